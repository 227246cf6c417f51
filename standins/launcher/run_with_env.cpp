// run-with-env (win32 only): starts a program with environment variables set first, as the
// Windows session that starts the host gives it the user's environment. Under wine a program
// started from Linux takes TEMP and TMP from the prefix's registry whatever the Linux side set
// (and "temp" is the same variable, names being case-insensitive); a program started from a
// Windows process inherits that process's environment as it is.
//   run-with-env NAME=VALUE... -- PROGRAM [ARGUMENT...]
// Answers the program's exit code, or 125 when it cannot be started.
#include <windows.h>
// (the shell's header needs windows.h first)
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

namespace {

constexpr int kNotStarted = 125;

// One argument as the C runtime's command-line parser reads it back: quoted when it holds a
// blank or a quote or is empty; backslashes doubled where a quote follows them.
std::wstring QuoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L'"';
}

int Refuse(const char* why) {
  std::fprintf(stderr,
               "run-with-env: %s\nusage: run-with-env NAME=VALUE... -- PROGRAM [ARGUMENT...]\n",
               why);
  return kNotStarted;
}

struct ArgumentsFree {
  void operator()(LPWSTR* arguments) const { LocalFree(arguments); }
};

int Run(std::wstring commandLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "run-with-env: cannot start %ls (error %lu)\n", commandLine.c_str(),
                 GetLastError());
    return kNotStarted;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = kNotStarted;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace

int main() {
  int count = 0;
  std::unique_ptr<LPWSTR, ArgumentsFree> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  if (!arguments)
    return Refuse("cannot read the command line");
  LPWSTR* argument = arguments.get();
  int index = 1;
  for (; index < count && std::wcscmp(argument[index], L"--") != 0; ++index) {
    wchar_t* equals = std::wcschr(argument[index], L'=');
    if (equals == nullptr || equals == argument[index])
      return Refuse("a setting is not NAME=VALUE");
    *equals = L'\0';
    if (!SetEnvironmentVariableW(argument[index], equals + 1))
      return Refuse("cannot set a variable");
  }
  if (index + 1 >= count)
    return Refuse("no program after --");
  std::wstring commandLine;
  for (int a = index + 1; a < count; ++a)
    commandLine += (commandLine.empty() ? L"" : L" ") + QuoteArgument(argument[a]);
  return Run(commandLine);
}
