// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of an INI (profile) file held in memory, read and changed with the Windows
// profile-file rules. `IniFile` loads one of these from disk for every read and writes it
// back atomically after every change.
//
// Rules, line by line (leading blanks and tabs are skipped before a line is classified):
//   ";..."          comment; never a key, even when it holds "="
//   "[name]..."     section header; name = text up to the LAST "]", blanks trimmed,
//                   anything after the "]" ignored. "[name" without "]" is no header.
//   "key=value"     key line; key = text before the first "=", value = text after it,
//                   both trimmed of blanks, tabs, CR, VT and FF
//   anything else   (blank lines, lines without "=") kept, never read
// Key lines before the first section header belong to no section and are never read.
// Sections and keys match case-insensitively (ASCII letters only). Of duplicate sections
// only the first counts (keys in a later copy are invisible, for reads and writes); of
// duplicate keys in a section the first counts.
//
// A read value loses one pair of enclosing double or single quotes and is cut at 2047
// bytes, as GetPrivateProfileString does with its 2048-byte buffer.
//
// Writing a key that exists replaces that one line with "key=value" (the key keeps the
// file's spelling). A new key goes right after the last key line of its section (after the
// header when the section has none), so blank lines and comments that lead into the next
// section stay in front of it. A new section is appended at the end of the file as
// "[section]" followed by "key=value", with no blank line before it. All other lines are
// kept byte for byte; bytes 0x80..0xFF pass through unchanged.
//
// Serialize() ends every line with CRLF, also the last one. A line ends at CRLF, LF or a
// lone CR, as the Windows profile functions read them. A UTF-8 byte-order mark at the
// start of the file is no part of the first line (Windows skips it too); a write keeps it.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qel {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

class IniDocument {
 public:
  // The longest value a read hands back.
  static constexpr std::size_t kMaxValueLength = 2047;

  IniDocument() = default;
  // Parses the bytes of a file; never fails.
  static IniDocument Parse(std::string_view bytes);

  // The file bytes: the byte-order mark when the parsed file had one, then every line
  // followed by CRLF.
  std::string Serialize() const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // True when the section has a key line with this name.
  bool HasKey(std::string_view section, std::string_view key) const;
  // Section names in file order, each name once (first spelling).
  std::vector<std::string> ReadSectionNames() const;
  // Key names of the (first) section in file order, each name once; empty when missing.
  std::vector<std::string> ReadSectionKeys(std::string_view section) const;

  // Throws std::invalid_argument for names the file cannot hold: an empty key, a key
  // with "=" or starting with ";" or "[", a section with "]", CR or LF in either. Blanks
  // around both names are dropped. CR and LF in the value become blanks, so a value can
  // never break its line apart and smuggle in further keys or sections.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteStrings(std::string_view section,
                    const std::vector<std::pair<std::string, std::string>>& keyValues);

  // The lines without their line ends.
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  // Index of the first header naming the section, or npos.
  std::size_t FindSection(std::string_view section) const;
  // Index of the first key line in the section starting at header index `header`, or npos.
  std::size_t FindKey(std::size_t header, std::string_view key) const;
  // One past the last line of the section whose header is at `header`.
  std::size_t SectionEnd(std::size_t header) const;

  std::vector<std::string> lines_;
  bool byteOrderMark_ = false;  // the file began with a UTF-8 byte-order mark
};

}  // namespace qel
