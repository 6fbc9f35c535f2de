#pragma once
// The GUI's edge between QString and the core's Windows-1252 bytes, and between QString
// file names and the core's path bytes.

#include <QFile>
#include <QString>
#include <string>

#include "core/text/win1252.h"

namespace qel::gui {

inline QString FromWin1252(const std::string& text) {
  return QString::fromStdString(Win1252ToUtf8(text));
}

inline std::string ToWin1252(const QString& text) {
  return Utf8ToWin1252(text.toStdString());
}

// File names are no Windows-1252 texts: the core takes the file system's bytes on Linux
// and UTF-8 on Windows (core/platform/native_path.h), where QFile::encodeName would give
// the ANSI code page and lose every character outside it.
inline std::string ToPathBytes(const QString& path) {
#ifdef _WIN32
  return path.toStdString();
#else
  return QFile::encodeName(path).toStdString();
#endif
}

inline QString FromPathBytes(const std::string& bytes) {
#ifdef _WIN32
  return QString::fromStdString(bytes);
#else
  return QFile::decodeName(QByteArray::fromStdString(bytes));
#endif
}

}  // namespace qel::gui
