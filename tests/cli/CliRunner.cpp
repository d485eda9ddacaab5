#include "cli/CliRunner.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace diduzozoz::test {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

#if defined(_WIN32)

unsigned long ProcessId() {
    return GetCurrentProcessId();
}

namespace {

// Bytes that are no UTF-8 become U+FFFD: a Windows command line is UTF-16 and cannot carry
// them, whoever starts the program.
std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// One argument quoted so that the C runtime's command-line parser gives it back unchanged.
void AppendQuoted(std::wstring& line, const std::wstring& arg) {
    line += L" \"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them.
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
}

HANDLE InheritableFile(const fs::path& p, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(p.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs the program with the given standard handles; its exit code, or -1 with the reason in
// `failure`.
int RunWithHandles(const std::vector<std::string>& args, HANDLE in, HANDLE out, HANDLE err,
                   DWORD flags, std::string& failure) {
    // The program is found beside this test program, wherever the build folder is mounted.
    wchar_t self[MAX_PATH];
    const DWORD selfLength = GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path program = (fs::path(std::wstring(self, selfLength)).parent_path() /
                              fs::path(DIDUZOZOZ_CLI).make_preferred())
                                 .lexically_normal();
    std::wstring line = L"\"" + program.wstring() + L"\"";
    for (const std::string& arg : args) AppendQuoted(line, Wide(arg));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    // Under Wine on a busy machine a start has failed now and then; a start that failed ran
    // nothing, so trying again changes no result.
    DWORD startError = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                           nullptr, &startup, &process)) {
            startError = 0;
            break;
        }
        startError = GetLastError();
        Sleep(200);
    }
    if (startError != 0) {
        failure = "CreateProcessW failed, error " + std::to_string(startError);
        return -1;
    }
    int exitCode = -1;
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0) {
        failure = "WaitForSingleObject failed, error " + std::to_string(GetLastError());
    } else if (!GetExitCodeProcess(process.hProcess, &code)) {
        failure = "GetExitCodeProcess failed, error " + std::to_string(GetLastError());
    } else {
        exitCode = static_cast<int>(code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

}  // namespace

CliRun RunCli(const std::vector<std::string>& args) {
    const fs::path dir = fs::temp_directory_path() / ("cli_test_" + std::to_string(ProcessId()));
    fs::create_directories(dir);
    CliRun run;
    HANDLE out = InheritableFile(dir / "stdout", GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = InheritableFile(dir / "stderr", GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE in = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
    std::string failure;
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE || in == INVALID_HANDLE_VALUE) {
        failure = "CreateFileW failed, error " + std::to_string(GetLastError());
    } else {
        run.exitCode = RunWithHandles(args, in, out, err, CREATE_NO_WINDOW, failure);
    }
    for (HANDLE h : {out, err, in}) {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    run.out = ReadFile(dir / "stdout");
    // The test's failure message then says why the program did not run.
    run.err = failure.empty() ? ReadFile(dir / "stderr") : "test harness: " + failure + "\n";
    return run;
}

std::optional<std::string> RunCliOnConsole(const std::vector<std::string>& args) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inherit, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (screen == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string failure;
    RunWithHandles(args, nullptr, screen, screen, 0, failure);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    std::string text;
    if (GetConsoleScreenBufferInfo(screen, &info)) {
        std::vector<wchar_t> row(static_cast<std::size_t>(info.dwSize.X));
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            DWORD got = 0;
            ReadConsoleOutputCharacterW(screen, row.data(), static_cast<DWORD>(row.size()),
                                        COORD{0, y}, &got);
            std::wstring shown(row.data(), got);
            shown.erase(shown.find_last_not_of(L' ') + 1);
            const int n =
                WideCharToMultiByte(CP_UTF8, 0, shown.data(), static_cast<int>(shown.size()),
                                    nullptr, 0, nullptr, nullptr);
            std::string utf8(static_cast<std::size_t>(n), '\0');
            WideCharToMultiByte(CP_UTF8, 0, shown.data(), static_cast<int>(shown.size()),
                                utf8.data(), n, nullptr, nullptr);
            text += utf8;
            if (y < info.dwCursorPosition.Y) text += '\n';
        }
    }
    CloseHandle(screen);
    return text;
}

#else

unsigned long ProcessId() {
    return static_cast<unsigned long>(::getpid());
}

CliRun RunProgram(const std::vector<std::string>& args, const std::string& stdoutPath) {
    const fs::path dir = fs::temp_directory_path() / ("cli_test_" + std::to_string(ProcessId()));
    fs::create_directories(dir);
    const std::string outPath = stdoutPath.empty() ? (dir / "stdout").string() : stdoutPath;
    const std::string errPath = (dir / "stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> all = args;
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    CliRun run;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (stdoutPath.empty()) run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
}

CliRun RunCli(const std::vector<std::string>& args) {
    std::vector<std::string> all = {DIDUZOZOZ_CLI};
    all.insert(all.end(), args.begin(), args.end());
    return RunProgram(all);
}

bool OnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string d;
    while (std::getline(dirs, d, ':')) {
        if (!d.empty() && ::access((fs::path(d) / name).c_str(), X_OK) == 0) return true;
    }
    return false;
}

#endif

}  // namespace diduzozoz::test
