// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small text helpers of the service windows: replies in double quotes, field texts sent
// in double quotes, and the key filters of their edit fields.

#include <optional>
#include <string>
#include <string_view>

namespace qel {

// A reply beginning with a double quote loses its first and last characters, then every
// pair of adjacent double quotes (scanning from the left) becomes one. Any other text,
// the empty text included, is returned unchanged.
std::string UnquoteReply(const std::string& reply);

// Removes blanks (character 32 only) from the end.
std::string TrimTrailingBlanks(const std::string& text);

// A double quote, the text with each double quote inside doubled, a double quote: the
// instrument's own way of quoting (UnquoteReply undoes it), so a text read from the
// instrument goes back as it came and a quote inside it never ends the text early, which
// would turn the rest of it into commands.
std::string QuotedText(const std::string& text);
// Whether a text is one the internal settings write: no double quote and no control
// character.
bool FitsInQuotes(const std::string& text);

// A whole text read as a decimal integer: optional leading blanks, an optional sign,
// digits, nothing after them; nullopt otherwise (also beyond the range of int).
std::optional<int> ParseDecimalInteger(std::string_view text);

// Key filters: the character a typed key enters, or nullopt when it is dropped.
// Probe "Intern SN": control characters (below 32, Backspace among them) and digits.
std::optional<char> ProbeSerialKeyFilter(char key);
// Probe number fields: control characters, "+", "-", ".", digits and a lower-case "e";
// "," is entered as "."; everything else (the upper-case "E" too) is dropped.
std::optional<char> ProbeNumberKeyFilter(char key);
// Probe type list: every character is dropped; the type is chosen from the list.
std::optional<char> ProbeTypeKeyFilter(char key);
// Internal-settings number fields: the key is turned to upper case first; "," is entered
// as "."; "+", "-", ".", digits and "E" pass; everything else is dropped, control
// characters such as Backspace included (Delete and the arrow keys type no character).
std::optional<char> InternalNumberKeyFilter(char key);

}  // namespace qel
