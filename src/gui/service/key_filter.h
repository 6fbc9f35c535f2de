// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key filters of the service windows' edit fields, bound to the core's filter functions:
// each typed, pasted or dropped character is dropped, entered as it is, or entered as
// another character (the number fields turn "," into "."). Keys that type no character
// (arrows, Delete, Home, ...) are never filtered.
//
// The typing limit of an edit field is not QLineEdit::setMaxLength, which would also cut
// the longer texts that a read may put into the field: an edit by the user (typing,
// pasting) that makes the text longer than the limit is undone, texts set by the program
// are taken whole, and a field holding a longer text can still be shortened.

#include <QObject>
#include <functional>
#include <optional>

class QLineEdit;

namespace qel::gui {

// The core's key filters: the character to enter for a typed one, or nullopt to drop it.
using CharFilter = std::function<std::optional<char>(char key)>;

class KeyFilter : public QObject {
  Q_OBJECT

 public:
  explicit KeyFilter(CharFilter filter, QObject* parent = nullptr)
      : QObject(parent), filter_(std::move(filter)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CharFilter filter_;
};

// Installs a KeyFilter (may be empty: every character passes) for typed keys and the
// same filter for pasted and dropped text, and, for maxLength > 0, the typing limit; all
// are owned by the field.
void InstallKeyFilter(QLineEdit* edit, const CharFilter& filter, int maxLength = 0);

}  // namespace qel::gui
