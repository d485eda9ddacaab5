// Runs diduzozoz-cli as a process and captures what it prints.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace diduzozoz::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::vector<std::string>& args);
// Any program, found on PATH; stdoutPath, when given, receives stdout instead of the capture.
CliRun RunProgram(const std::vector<std::string>& argv, const std::string& stdoutPath = {});
// Whether a program of that name is on PATH.
bool OnPath(const std::string& name);
std::string ReadFile(const std::filesystem::path& p);

}  // namespace diduzozoz::test
