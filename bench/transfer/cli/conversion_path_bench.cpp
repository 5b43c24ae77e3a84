// The whole conversion path of `vrk410-cli convert delf IN -o OUT` on a 4 MiB download: reading
// the file, converting it and writing the result, in one process. Only the process start is left
// out.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "convert/delf_conversion.h"
#include "coord_download.h"
#include "files/file_reader.h"
#include "files/file_writer.h"

namespace {

constexpr std::size_t kDownloadSize = 4 << 20;

class TempFiles {
  public:
    TempFiles() {
        const std::string download = vrk::bench::CoordDownloadOfAtLeast(kDownloadSize);
        dir_ = std::filesystem::temp_directory_path() / "vrk410-conversion-path-bench";
        std::filesystem::create_directories(dir_);
        vrk::WriteFile(input(), download);
        size_ = download.size();
    }
    ~TempFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    TempFiles(const TempFiles&) = delete;
    TempFiles& operator=(const TempFiles&) = delete;

    std::string input() const { return (dir_ / "download.txt").string(); }
    std::string output() const { return (dir_ / "points.delf").string(); }
    std::size_t size() const { return size_; }

  private:
    std::filesystem::path dir_;
    std::size_t size_ = 0;
};

void BM_ConvertDelfFileToFile(benchmark::State& state) {
    const TempFiles files;
    for (auto _ : state) {
        std::string input;
        if (!vrk::ReadFile(files.input(), input).ok()) {
            state.SkipWithError("cannot read the download");
            break;
        }
        const vrk::ConversionResult result = vrk::ConvertToDelf(input);
        if (!result.ok || !vrk::WriteFile(files.output(), result.text).ok()) {
            state.SkipWithError("conversion or writing failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
    state.counters["download_bytes"] = static_cast<double>(files.size());
}

}  // namespace

// Wall time: reading and writing spend it in the kernel as much as in the program.
BENCHMARK(BM_ConvertDelfFileToFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
