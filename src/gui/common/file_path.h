// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window program's one rule for file names: a QString path becomes the file system's
// own path and back (on POSIX the bytes QFile::encodeName gives, on Windows UTF-16), never
// a Windows-1252 text. Windows-1252 is for file contents and SCPI text only.

#include <QDir>
#include <QFile>
#include <QString>
#include <filesystem>

#include "core/platform/ini_file.h"

namespace qel::gui {

inline std::filesystem::path ToFilePath(const QString& path) {
#ifdef _WIN32
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

inline QString FromFilePath(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

// The refused write of a file: "In <path> kann nicht geschrieben werden".
inline QString WriteErrorText(const std::filesystem::path& path) {
  const QString shown = QDir::toNativeSeparators(FromFilePath(path));
  return QString::fromStdString(RefusedWriteText(shown.toStdString()));
}

}  // namespace qel::gui
