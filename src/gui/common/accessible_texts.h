// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts for assistive technology (screen readers) that the captions alone do not give.

class QWidget;

namespace qel::gui {

// Buttons with equal captions in one window (the "Lesen" of the readout, of the device
// information and of the error status) are told apart by an accessible description: the
// title of the group each sits in. A description set before is kept. Called when the
// window is first shown, after the start-up translation, so the titles are in the
// window's language.
void DescribeButtonsWithEqualCaptions(QWidget& window);

}  // namespace qel::gui
