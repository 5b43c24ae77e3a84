// A million GSI-16 coordinate blocks (about 100 MB, a whole season of memory cards) into DELF
// lines: the import must stay well under a second for it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "import/gsi_reader.h"

namespace {

constexpr int kBlocks = 1'000'000;

const std::string& GsiBlocks() {
    static const std::string text = [] {
        std::string file;
        file.reserve(static_cast<std::size_t>(kBlocks) * 128);
        char block[160];
        for (int i = 0; i < kBlocks; ++i) {
            const int written = std::snprintf(
                block, sizeof block,
                "*11%04d+%016d 71....+000000000000TREE 81..00+%016lld 82..00+%016lld "
                "83..00+%016d \r\n",
                i % 10000, i + 1, 500000000LL + i * 7LL, 3000000000LL + i * 11LL, 45000 + i % 997);
            file.append(block, static_cast<std::size_t>(written));
        }
        return file;
    }();
    return text;
}

void BM_GsiMillionBlocks(benchmark::State& state) {
    const std::string& file = GsiBlocks();
    std::size_t points = 0;
    for (auto _ : state) {
        const vrk::ImportResult result = vrk::ReadGsi(file, static_cast<std::size_t>(-1));
        points = result.points;
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["points"] = static_cast<double>(points);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_GsiMillionBlocks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
