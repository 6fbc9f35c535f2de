// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the parameter pages share on the widget side: choice boxes that show a
// ChoiceSetting (items from the core, no selection as empty text), the two key filters,
// the typing limit of edit fields and the monospaced font.

#include <QFont>
#include <QString>
#include <span>
#include <string_view>

#include "core/pages/choice_setting.h"

class QComboBox;
class QLineEdit;

namespace qel::gui {

// A Windows-1252 text of the core as Qt shows it.
QString ShownText(std::string_view text);

// Fills `box` with the German item texts. The start-up translation later replaces them in
// place, so the pages fill their boxes once, at construction, and afterwards only move the
// selection.
void FillChoiceBox(QComboBox& box, std::span<const std::string_view> items);
// Replaces the texts of the items in place (same count), keeping the selection; no change
// handler runs.
void ReplaceChoiceItems(QComboBox& box, std::span<const std::string_view> items);
// Shows the setting's position (-1: no selection, empty text) without running the box's
// change handlers, which react to the user only.
void ShowChoice(QComboBox& box, const ChoiceSetting& setting);
// The box's position into the setting.
void TakeChoice(const QComboBox& box, ChoiceSetting& setting);

// The choice-box key filter (`Funk_ComboBoxKeyPress`): every typed character is
// swallowed, control characters included, on the box and on its open list, so the box's
// text always is one of its items or empty. Keys that type nothing (cursor keys, F4,
// Alt+Down) still choose and open, Tab still moves the focus, and Enter and Escape still
// close the open list.
void InstallChoiceBoxKeyFilter(QComboBox& box);

// The numeric key filter of the limit fields (`OG_EditKeyPress`, the core's
// NumericKeyFilter) for typed, pasted and dropped text, and a typing limit of `maxLength`
// characters.
void InstallNumericKeyFilter(QLineEdit& edit, int maxLength);

// Limits what the user types or pastes to `maxLength` characters (control characters are
// never entered). Unlike QLineEdit::setMaxLength it leaves texts set by the program whole
// (a limit read from the instrument may be longer), and a longer text can still be
// shortened.
void SetTypingLimit(QLineEdit& edit, int maxLength);

// The system's fixed-pitch font, optionally bold and at a point size (0: as it is).
QFont MonospacedFont(bool bold = false, int pointSize = 0);

}  // namespace qel::gui
