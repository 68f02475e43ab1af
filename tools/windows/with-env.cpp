// Starts a Windows program with variables added to its environment, and ends with its exit code:
//
//   with-env.exe NAME=VALUE... -- PROGRAM [ARGUMENTS...]
//
// Wine hands no variable whose name starts with QT_ from the Linux environment to Windows
// programs (so that the build machine's Qt settings do not reach them), so wine-run.sh passes
// the ones a test sets (QT_QPA_PLATFORM ...) this way. The program's part of the command line is
// passed on exactly as it was given.
#include <windows.h>

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    int i = 1;
    for (; i < argc && std::wcscmp(argv[i], L"--") != 0; ++i) {
        const wchar_t* equals = std::wcschr(argv[i], L'=');
        if (equals == nullptr) {
            return 125;
        }
        const std::wstring name(argv[i], size_t(equals - argv[i]));
        ::SetEnvironmentVariableW(name.c_str(), equals + 1);
    }
    // The raw command line after the first " -- ".
    const wchar_t* line = ::GetCommandLineW();
    const wchar_t* rest = std::wcsstr(line, L" -- ");
    if (i >= argc - 1 || rest == nullptr) {
        return 125;
    }
    std::wstring command(rest + 4);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return 126;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    return int(code);
}
