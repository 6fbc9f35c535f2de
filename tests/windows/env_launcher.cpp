// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a program with some environment variables set, for tests of the Windows programs
// under Wine: Wine sets ProgramData and ALLUSERSPROFILE itself in every process it starts
// from Linux, so a test's own data folder reaches the program only through a Windows
// parent. The child inherits stdin, stdout and stderr; its exit status is ours.
//   env_launcher.exe [NAME=VALUE ...] -- PROGRAM [ARG ...]

#include <windows.h>
// shellapi.h builds on windows.h's types.
#include <shellapi.h>

#include <string>

namespace {

// One argument as the C runtime's command-line parser reads it back: quoted when it is
// empty or holds a blank or a quote; backslashes doubled only before a quote.
std::wstring Quote(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr) return 125;
  int i = 1;
  for (; i < count && std::wstring(args[i]) != L"--"; ++i) {
    const std::wstring setting = args[i];
    const std::size_t equals = setting.find(L'=');
    if (equals == std::wstring::npos || equals == 0) return 125;
    SetEnvironmentVariableW(setting.substr(0, equals).c_str(), setting.c_str() + equals + 1);
  }
  if (i + 1 >= count) return 125;
  std::wstring commandLine;
  for (int j = i + 1; j < count; ++j) {
    if (!commandLine.empty()) commandLine += L' ';
    commandLine += Quote(args[j]);
  }
  // The child gets our standard handles by name, not by whatever a console-less start
  // under Wine would hand on: a lost stdout would read as a program that printed nothing.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
      SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(args[i + 1], commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 126;
  }
  DWORD status = 125;
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &status)) {
    status = 125;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}
