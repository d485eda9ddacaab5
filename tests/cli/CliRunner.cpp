#include "cli/CliRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace diduzozoz::test {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

CliRun RunProgram(const std::vector<std::string>& args, const std::string& stdoutPath) {
    const fs::path dir = fs::temp_directory_path() / ("cli_test_" + std::to_string(::getpid()));
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

}  // namespace diduzozoz::test
