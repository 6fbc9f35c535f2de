// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by all parameter pages: choice position <-> SCPI token, the limit value
// text, the numeric key filter of the limit fields and the channel text of a page.

#include <string>
#include <string_view>

namespace qel {

// Position of the reply in the comma-separated token list, or -1. The whole reply is
// compared with each whole token, ignoring ASCII letter case; nothing is trimmed, so a
// blank or a line end left in the reply makes it unequal.
int TokenToIndex(std::string_view reply, std::string_view tokens);

// The token at `index`, or empty text outside the list (a box without selection then
// sends its header, the blank and nothing else).
std::string IndexToToken(int index, std::string_view tokens);

// Number of tokens in a list.
int TokenCount(std::string_view tokens);

// A number reply as a limit field shows it: "." and four decimals, at most 12 significant
// digits, "-" for negative values; the scientific form for more than 12 integer digits.
// A reply that is no number (empty text included) shows as "0.0000".
std::string FormatLimitValue(std::string_view reply);

// A limit text from a parameter file as the limit field takes it. Kept when the field
// could hold it: a number (as typed or as FormatLimitValue writes it), empty text, or a
// sign and point that typing starts with ("+", "-", ".", "+.", "-."). Anything else counts
// as a missing key, "0": a file cannot carry further commands into the limit line, as
// "1;:MODE AC" would.
std::string LimitTextFromFile(std::string_view text);

// What the numeric key filter does with one typed character.
struct KeyFilterResult {
  enum class Action {
    Pass,     // the field takes `ch` as usual (replacing any selection)
    Swallow,  // the field ignores the key
    SetText,  // the key is swallowed; the field's text becomes `text`, the caret `caret`
  };
  Action action = Action::Swallow;
  char ch = 0;
  std::string text;
  int caret = 0;
};

// The key filter of the limit fields (`OG_EditKeyPress`), run before the field takes the
// character. `caret` is the caret position in `text` (clamped into it).
//  - control characters (below 32) pass; "," becomes "." before any other rule;
//  - anything but "+", "-", ".", digits is swallowed; into an empty field all of them pass;
//  - a sign is always swallowed and applied to the text instead: it replaces a leading
//    sign (caret unmoved) or goes in front (caret one to the right);
//  - a digit or "." passes after a lone sign; else it passes only when the text with the
//    character inserted at the caret (a selection not removed) still is a number.
KeyFilterResult NumericKeyFilter(const std::string& text, int caret, char typed);

// The kinds of parameter page; the kind decides how a page's Tag becomes the channel
// text of its command lines.
enum class PageKind { Einheiten, OutLine, InLine, Tasten, EIA232, LAN };

// OutLine, InLine: the decimal Tag. Tasten: "TOP" for 0, "BOT" for 1, empty for any other
// Tag. The other pages have no channel: empty text.
std::string ChannelText(PageKind kind, int tag);

}  // namespace qel
