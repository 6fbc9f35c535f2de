#include "core/platform/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/platform/native_path.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace fs = std::filesystem;

namespace qel {
namespace {

// A name beside the target that no other writer (thread or process) picks at once.
fs::path TemporaryName(const fs::path& target, int attempt) {
  static std::atomic<unsigned> counter{0};
#ifdef _WIN32
  const unsigned long process = GetCurrentProcessId();
#else
  const long process = static_cast<long>(getpid());
#endif
  fs::path name = ".";
  name += target.filename();
  name += "." + std::to_string(process) + "." + std::to_string(counter++) + "." +
          std::to_string(attempt) + ".tmp";
  fs::path tmp = target;
  tmp.replace_filename(name);
  return tmp;
}

#ifdef _WIN32

bool WriteAndReplace(const fs::path& target, std::string_view bytes) {
  const std::wstring& name = target.native();
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return false;
  }
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::wstring tmp = TemporaryName(target, attempt).native();
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
    ok = ok &&
         MoveFileExW(tmp.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
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
    const fs::path tmp = TemporaryName(target, attempt);
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

FileReadStatus ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  const fs::path native = PathFromUtf8(path);
  std::error_code ec;
  const fs::file_status status = fs::status(native, ec);
  if (status.type() == fs::file_type::not_found) return FileReadStatus::kMissing;
  // Folders, pipes and devices are no profile files (a pipe would block the read).
  if (ec || !fs::is_regular_file(status)) return FileReadStatus::kFailed;
  std::ifstream in(native, std::ios::binary);
  if (!in) return FileReadStatus::kFailed;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    bytes.clear();
    return FileReadStatus::kFailed;
  }
  return FileReadStatus::kRead;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  fs::path target = PathFromUtf8(path);
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    target = fs::weakly_canonical(target, ec);
    if (ec) return false;
  }
  return WriteAndReplace(target, bytes);
}

}  // namespace qel
