// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window opens and how large it is. Every window of the program has one fixed
// size, the room its laid-out contents ask for, and opens centred: the main window on the
// screen, the others on the main window.

class QWidget;

namespace qel::gui {

// Fixes `window` to the size its contents ask for, at least their minimum and at least
// the size it was designed at. Called when the window is first shown: by then its children have
// been shown too, so the sizes that some widgets only know once shown (a tab bar's tabs, a choice
// box sized to its items) count, and so do the texts of the start-up translation.
void FixSizeToContents(QWidget& window);

// Centres `window` on the available area of its screen.
void CentreOnScreen(QWidget& window);

// Centres `window` on the program's main window when that is shown, else on the screen.
void CentreOnMainWindow(QWidget& window);

}  // namespace qel::gui
