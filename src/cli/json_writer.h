// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JSON text for --json. Commands hand their rows over as UTF-8 text (their text output's
// columns); the writer escapes them, so a reply with quotes, backslashes or control bytes
// never breaks the document, and bytes that are no valid UTF-8 become U+FFFD, so the
// document always is valid UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qel::cli {

// A string literal, quotes included: '"', '\' and control characters escaped.
std::string JsonString(std::string_view utf8);

// One row of a command's output: keys (lower case, in column order) with a text or null.
using JsonRow = std::vector<std::pair<std::string, std::optional<std::string>>>;

// {"key":value,...} on one line.
std::string JsonObject(const JsonRow& row);

// [values...], one value per line; "[]" when there is none.
std::string JsonArray(const std::vector<std::string>& values);

}  // namespace qel::cli
