// Runs diduzozoz-cli as a process and captures what it prints.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace diduzozoz::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::vector<std::string>& args);
std::string ReadFile(const std::filesystem::path& p);
// This process's id, to name folders no other test run uses.
unsigned long ProcessId();

#if !defined(_WIN32)
// Any program, found on PATH; stdoutPath, when given, receives stdout instead of the capture.
CliRun RunProgram(const std::vector<std::string>& argv, const std::string& stdoutPath = {});
// Whether a program of that name is on PATH.
bool OnPath(const std::string& name);
#endif

#if defined(_WIN32)
// The program run with stdout and stderr on a console screen buffer: the text the buffer
// shows, one line a row. Nothing when this process has no console.
std::optional<std::string> RunCliOnConsole(const std::vector<std::string>& args);
#endif

}  // namespace diduzozoz::test
