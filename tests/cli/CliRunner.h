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
std::string ReadFile(const std::filesystem::path& p);
// This process's id, to name folders no other test run uses.
unsigned long ProcessId();

}  // namespace diduzozoz::test
