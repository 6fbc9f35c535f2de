// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key filters cover more than keys: text pasted (Ctrl+V, the context menu, the middle
// mouse button) or dropped into a key-filtered field goes through the same filter, one
// character after the other as if typed, so a paste can enter nothing that typing could
// not (a ";" that would start a second SCPI command in the field's line, a line feed).
//
// It works as the field's validator, which Qt asks after every edit by the user and
// before the edit shows: the edit's inserted text is typed anew through the filter into
// the text without it. Texts set by the program (a read, a loaded file) are taken whole.

#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;

namespace qel::gui {

// Types one character into `text` at `caret` as the field's key filter does: the filter
// may enter it, enter another character, drop it, or change the text and move the caret.
using TypeCharacter = std::function<void(QString& text, int& caret, QChar typed)>;

// Filters every user edit of `edit`: inserted control characters are dropped, the others
// go through `type` (when set). With maxLength > 0 an edit that leaves the text longer
// than maxLength and longer than it was is undone; a text set by the program may be
// longer (a read can fill in more than a user may type) and can still be shortened.
void InstallEditFilter(QLineEdit& edit, TypeCharacter type, int maxLength);

// The character a key types as a key filter sees it: Ctrl with a letter types that
// letter's control code (Ctrl+V is 0x16, as on Windows), whatever text the platform gives
// the key, so a filter that lets control characters pass lets the field paste (and the
// edit filter filters the paste); other keys type their text. Ctrl with Alt is AltGr on
// Windows, which types characters ("@", "{").
QString TypedText(const QKeyEvent& key);

}  // namespace qel::gui
