// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <cerrno>
#endif

namespace fs = std::filesystem;

namespace qel {
namespace {

constexpr std::string_view kTemporarySuffix = ".qeltmp";

long CurrentProcessId() {
#ifdef _WIN32
  return static_cast<long>(GetCurrentProcessId());
#else
  return static_cast<long>(getpid());
#endif
}

// Whether a process with this id runs now. In doubt (no permission to ask) it does, so
// its file stays.
bool ProcessRuns(long processId) {
#ifdef _WIN32
  HANDLE process =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId));
  if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD exitCode = 0;
  const bool runs = !GetExitCodeProcess(process, &exitCode) || exitCode == STILL_ACTIVE;
  CloseHandle(process);
  return runs;
#else
  return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
#endif
}

// A regular file (not a link) that this user owns.
bool IsOwnRegularFile(const fs::path& path) {
#ifdef _WIN32
  std::error_code ec;
  return fs::symlink_status(path, ec).type() == fs::file_type::regular;
#else
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
#endif
}

// The process id in a temporary file name of this target: `name` must be exactly
// ".<target name>.<digits>-<digits>.qeltmp".
template <typename Char>
std::optional<long> TemporaryOwner(std::basic_string_view<Char> name,
                                   std::basic_string_view<Char> targetName) {
  const auto digitsAt = [&name](std::size_t& at) {
    const std::size_t start = at;
    while (at < name.size() && name[at] >= '0' && name[at] <= '9') ++at;
    return at - start;
  };
  if (name.size() < targetName.size() + 2 || name[0] != '.' ||
      name.substr(1, targetName.size()) != targetName || name[targetName.size() + 1] != '.') {
    return std::nullopt;
  }
  std::size_t at = targetName.size() + 2;
  const std::size_t pidStart = at;
  const std::size_t pidDigits = digitsAt(at);
  if (pidDigits == 0 || pidDigits > 9 || at >= name.size() || name[at] != '-') return std::nullopt;
  ++at;
  if (digitsAt(at) == 0 || name.size() - at != kTemporarySuffix.size()) return std::nullopt;
  for (std::size_t i = 0; i < kTemporarySuffix.size(); ++i) {
    if (name[at + i] != static_cast<Char>(kTemporarySuffix[i])) return std::nullopt;
  }
  long processId = 0;
  for (std::size_t i = pidStart; i < pidStart + pidDigits; ++i) {
    processId = processId * 10 + (name[i] - '0');
  }
  return processId;
}

// Removes what killed writers of this target left behind (see WriteFileAtomically).
void RemoveLeftoverTemporaries(const fs::path& target) {
  using View = std::basic_string_view<fs::path::value_type>;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const fs::path::string_type targetName = target.filename().native();
  const long self = CurrentProcessId();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path::string_type name = it->path().filename().native();
    const std::optional<long> owner = TemporaryOwner(View(name), View(targetName));
    if (!owner || *owner == self || ProcessRuns(*owner)) continue;
    if (!IsOwnRegularFile(it->path())) continue;
    std::error_code ignored;
    fs::remove(it->path(), ignored);
  }
}

// A name beside the target that no other writer (thread or process) picks at once.
fs::path TemporaryPath(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  fs::path tmp = target;
  tmp.replace_filename(TemporaryFileName(target, CurrentProcessId(), counter++));
  return tmp;
}

#ifdef _WIN32

bool WriteAndReplace(const fs::path& target, std::string_view bytes) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return false;
  }
  for (int attempt = 0; attempt < 8; ++attempt) {
    const fs::path tmp = TemporaryPath(target);
    HANDLE file = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return false;
    }
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
      ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written > 0;
      done += written;
    }
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExW(tmp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(tmp.c_str());
    return ok;
  }
  return false;
}

#else

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

bool WriteAndReplace(const fs::path& target, std::string_view bytes) {
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const fs::path tmp = TemporaryPath(target);
    // 0666 less the umask, as for any new file; an existing file's bits are copied below.
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    bool ok = !exists || ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
      ::unlink(tmp.c_str());
      return false;
    }
    SyncFolder(target.parent_path());
    return true;
  }
  return false;
}

#endif

}  // namespace

fs::path TemporaryFileName(const fs::path& target, long processId, unsigned n) {
  fs::path name = ".";
  name += target.filename();
  name += "." + std::to_string(processId) + "-" + std::to_string(n) + std::string(kTemporarySuffix);
  return name;
}

FileReadStatus ReadFileBytes(const fs::path& path, std::string& bytes) {
  bytes.clear();
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return FileReadStatus::kMissing;
  // Folders, pipes and devices are no profile files (a pipe would block the read).
  if (ec || !fs::is_regular_file(status)) return FileReadStatus::kFailed;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileReadStatus::kFailed;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    bytes.clear();
    return FileReadStatus::kFailed;
  }
  return FileReadStatus::kRead;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  if (path.empty() || !path.has_filename()) return false;
  fs::path target(path);
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    target = fs::weakly_canonical(target, ec);
    if (ec) return false;
  }
  RemoveLeftoverTemporaries(target);
  return WriteAndReplace(target, bytes);
}

}  // namespace qel
