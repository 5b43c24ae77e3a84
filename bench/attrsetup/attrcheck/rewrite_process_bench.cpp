// attrcheck --rewrite as a user runs it, a whole process on the large schema, against cp of the
// same two files. QUORBEL_ATTRCHECK names another build's attrcheck to compare with.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "large_schema.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const fs::path& scratch() {
    static const fs::path path =
        fs::temp_directory_path() / ("attrcheck-bench-" + std::to_string(::getpid()));
    return path;
}

const std::string& originalIndex() {
    static const std::string bytes = quorbel::bench::largeIndexIni();
    return bytes;
}

const std::string& originalDef() {
    static const std::string bytes = quorbel::bench::largeAttributeDef();
    return bytes;
}

// Written through to the disk, as an administrator's files have long been: otherwise the
// writeback of the restored bytes lands in the timed run's own sync.
void writeDurably(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void restoreFiles() {
    fs::create_directories(scratch() / "copy");
    writeDurably(scratch() / "INDEX.INI", originalIndex());
    writeDurably(scratch() / "attribute.def", originalDef());
}

bool run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

std::string attrcheckPath() {
    const char* other = std::getenv("QUORBEL_ATTRCHECK");
    return other != nullptr && *other != '\0' ? other : ATTRCHECK_PATH;
}

void BM_AttrcheckRewriteProcess(benchmark::State& state) {
    const std::string attrcheck = attrcheckPath();
    for (auto _ : state) {
        state.PauseTiming();
        restoreFiles();
        state.ResumeTiming();
        if (!run({attrcheck, "--support-path", scratch().string(), "--rewrite"})) {
            state.SkipWithError("attrcheck failed");
            break;
        }
    }
}
BENCHMARK(BM_AttrcheckRewriteProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CpBothFilesProcess(benchmark::State& state) {
    restoreFiles();
    for (auto _ : state) {
        if (!run({"cp", (scratch() / "INDEX.INI").string(), (scratch() / "attribute.def").string(),
                  (scratch() / "copy").string()})) {
            state.SkipWithError("cp failed");
            break;
        }
    }
}
BENCHMARK(BM_CpBothFilesProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(scratch(), ec);
    return 0;
}
