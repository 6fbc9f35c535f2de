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

// A key with Ctrl (or the Mac's Command) and without Alt is a shortcut (Ctrl+V, Ctrl+C,
// Ctrl+Z), not typing, whatever text the platform gives it; key filters leave it to the
// field, and a paste then goes through the edit filter. Ctrl+Alt is AltGr on Windows,
// which types characters ("@", "{").
bool IsShortcut(const QKeyEvent& key);

}  // namespace qel::gui
