// `vrk410-cli export FORMAT survey.delf -o OUT --crs EPSG:4526` on 100,000 points, timed as the
// user waits for it: the whole process, from its start (loading the GDAL module included) to its
// exit.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kPoints = 100'000;

class Survey {
  public:
    Survey() {
        dir_ = std::filesystem::temp_directory_path() / "vrk410-export-bench";
        std::filesystem::create_directories(dir_);
        std::ofstream out(input(), std::ios::binary);
        // Millimetres, as an instrument writes them: the stream's default six significant digits
        // would give every point of a row the same "3.85e+07".
        out << std::fixed << std::setprecision(3);
        // Zone 38 eastings with the zone in front, codes in GBK ("房屋"), as a survey arrives.
        for (int i = 0; i < kPoints; ++i) {
            out << "P" << i << ",\xB7\xBF\xCE\xDD," << 38'500'000 + (i % 1000) * 1.234 << ','
                << 3'456'000 + (i / 1000) * 2.345 << ',' << 10 + (i % 97) * 0.01 << "\r\n";
        }
    }
    ~Survey() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    Survey(const Survey&) = delete;
    Survey& operator=(const Survey&) = delete;

    std::string input() const { return (dir_ / "survey.delf").string(); }
    std::string output(const std::string& format) const {
        return (dir_ / ("survey." + format)).string();
    }

  private:
    std::filesystem::path dir_;
};

int RunCli(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VRK410_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_ExportProcess(benchmark::State& state, const std::string& format) {
    const Survey survey;
    for (auto _ : state) {
        if (RunCli({VRK410_CLI, "export", format, survey.input(), "-o", survey.output(format),
                    "--crs", "EPSG:4526"}) != 0) {
            state.SkipWithError("vrk410-cli export failed");
            break;
        }
    }
    state.counters["points"] = kPoints;
}

BENCHMARK_CAPTURE(BM_ExportProcess, gpkg, std::string("gpkg"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportProcess, dxf, std::string("dxf"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportProcess, csv, std::string("csv"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportProcess, shp, std::string("shp"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportProcess, geojson, std::string("geojson"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportProcess, kml, std::string("kml"))->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
