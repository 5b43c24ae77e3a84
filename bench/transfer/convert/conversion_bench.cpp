// The conversions of a 1 MiB download against a bare scan for its line ends: the scan is the
// least any reading of the text must do, so the ratio says what the block and field handling
// cost on top.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "convert/delf_conversion.h"
#include "convert/pcode_conversion.h"
#include "coord_download.h"
#include "download_text.h"
#include "link/upload_lines.h"

namespace {

constexpr std::size_t kDownloadSize = 1 << 20;

const std::string& CoordDownload() {
    static const std::string text = vrk::bench::CoordDownloadOfAtLeast(kDownloadSize);
    return text;
}

const std::string& PcodeDownload() {
    static const std::string text = [] {
        std::string lines;
        for (int i = 0; lines.size() < kDownloadSize * 10 / 11; ++i) {
            lines += std::to_string(i % 51);
            lines += ",CODE";
            lines += std::to_string(i % 1000);
            lines += "\r\n";
        }
        return vrk::test::DownloadTextOf(vrk::BuildPcodeUpload(lines));
    }();
    return text;
}

void Throughput(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

std::size_t CountLineEnds(const std::string& text) {
    std::size_t lines = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while ((p = static_cast<const char*>(
                std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr) {
        ++lines;
        ++p;
    }
    return lines;
}

void BM_LineEndScan(benchmark::State& state) {
    const std::string& text = CoordDownload();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountLineEnds(text));
    }
    Throughput(state, text.size());
}

void BM_ConvertToDelf(benchmark::State& state) {
    const std::string& text = CoordDownload();
    for (auto _ : state) {
        auto result = vrk::ConvertToDelf(text);
        if (!result.ok) {
            state.SkipWithError("conversion failed");
            break;
        }
        benchmark::DoNotOptimize(result.text.data());
    }
    Throughput(state, text.size());
}

void BM_ConvertToPcode(benchmark::State& state) {
    const std::string& text = PcodeDownload();
    for (auto _ : state) {
        auto result = vrk::ConvertToPcode(text);
        if (!result.ok) {
            state.SkipWithError("conversion failed");
            break;
        }
        benchmark::DoNotOptimize(result.text.data());
    }
    Throughput(state, text.size());
}

void BM_BuildCoordUpload(benchmark::State& state) {
    const std::string lines = vrk::ConvertToDelf(CoordDownload()).text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vrk::BuildCoordUpload(lines).data());
    }
    Throughput(state, lines.size());
}

}  // namespace

BENCHMARK(BM_LineEndScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertToDelf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertToPcode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildCoordUpload)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
