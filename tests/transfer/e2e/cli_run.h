#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sample_data.h"

extern char** environ;

namespace e2e {

// A private directory per test, so tests can run in parallel.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vrk-e2e-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A program started with standard input from /dev/null, its output in files of `dir`, and `env`
// added to the environment ("NAME=value"); Finish() waits for it and collects what it wrote.
class Command {
  public:
    Command(const TempDir& dir, std::vector<std::string> words,
            const std::vector<std::string>& env = {})
        : outPath_(dir.file("cli.out")), errPath_(dir.file("cli.err")) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath_.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<char*> argv;
        for (auto& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        std::vector<std::string> environment = env;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            environment.emplace_back(*entry);
        }
        std::vector<char*> envp;
        for (auto& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        if (::posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
            pid_ = 0;
        }
        posix_spawn_file_actions_destroy(&actions);
    }

    pid_t pid() const { return pid_; }

    CliResult finish() {
        CliResult result;
        if (pid_ != 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            pid_ = 0;
        }
        result.out = ReadFile(outPath_);
        result.err = ReadFile(errPath_);
        return result;
    }

  private:
    std::string outPath_;
    std::string errPath_;
    pid_t pid_ = 0;
};

inline CliResult RunCommand(const TempDir& dir, std::vector<std::string> words,
                            const std::vector<std::string>& env = {}) {
    return Command(dir, std::move(words), env).finish();
}

// Runs vrk410-cli with `args`, as RunCommand.
inline CliResult RunCli(const TempDir& dir, const std::vector<std::string>& args,
                        const std::vector<std::string>& env = {}) {
    std::vector<std::string> words = {E2E_CLI_PATH};
    words.insert(words.end(), args.begin(), args.end());
    return RunCommand(dir, std::move(words), env);
}

}  // namespace e2e
