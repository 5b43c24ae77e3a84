#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "schema/attribute_def_file.h"
#include "schema/attribute_schema.h"
#include "schema/index_ini_file.h"
#include "schema/search_path_finder.h"

namespace {

namespace fs = std::filesystem;
using namespace quorbel;

constexpr int kFeatures = 100'000;
constexpr int kTables = 1'000;
constexpr int kFieldsPerTable = 20;

class QuietHost : public HostServices {
  public:
    explicit QuietHost(const fs::path& dir) : m_finder({dir}) {}
    int findFile(std::string_view name, std::string& fullPath) override {
        return m_finder.findFile(name, fullPath);
    }
    void print(std::string_view) override {}

  private:
    SearchPathFinder m_finder;
};

std::string tableName(int i) {
    return "Table" + std::to_string(i);
}

// A schema of the size of a large city's mapping standard, with GBK names.
void writeLargeSchema(const fs::path& dir) {
    std::vector<AttributeTable> tables;
    for (int t = 0; t < kTables; ++t) {
        AttributeTable table{
            tableName(t), t % 5, "NULL", "\xCA\xF4\xD0\xD4\xB1\xED " + std::to_string(t), {}};
        for (int f = 0; f < kFieldsPerTable; ++f) {
            table.fields.push_back({"\xD7\xD6\xB6\xCE" + std::to_string(f), f % 4, 10 + f, f % 3,
                                    "\xCB\xB5\xC3\xF7" + std::to_string(f),
                                    f % 4 == 0 ? "TBL_LandUseCode" : ""});
        }
        tables.push_back(std::move(table));
    }
    std::vector<FeatureEntry> features;
    for (int i = 0; i < kFeatures; ++i) {
        features.push_back({std::to_string(130000 + i),
                            (i % 3 == 0 ? "gc" : "xian") + std::to_string(i), (i % 7) * 0.25,
                            "\xB5\xD8\xCE\xEF" + std::to_string(i), "0",
                            i % 4 == 0 ? "" : tableName(i % kTables)});
    }
    std::ofstream(dir / "INDEX.INI", std::ios::binary) << formatIndexIni(features);
    std::ofstream(dir / "attribute.def", std::ios::binary) << formatAttributeDef(tables);
}

const fs::path& scratchPath() {
    static const fs::path path =
        fs::temp_directory_path() / ("schema-bench-" + std::to_string(::getpid()));
    return path;
}

// Generated on first use; main removes it after the run.
const fs::path& schemaDir() {
    static const bool generated = [] {
        fs::remove_all(scratchPath());
        fs::create_directories(scratchPath() / "copy");
        writeLargeSchema(scratchPath());
        return true;
    }();
    (void)generated;
    return scratchPath();
}

void copyFile(const fs::path& from, const fs::path& to, bool durable) {
    std::ifstream in(from, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::abort();
    }
    if (durable) {
        ::fsync(fd);
    }
    ::close(fd);
}

void BM_LoadAndSaveSchema(benchmark::State& state) {
    QuietHost host(schemaDir());
    for (auto _ : state) {
        AttributeSchema schema(host);
        if (!schema.loadSchema() || !schema.saveSchema()) {
            state.SkipWithError("load or save failed");
            break;
        }
        benchmark::DoNotOptimize(schema.features().data());
    }
}
BENCHMARK(BM_LoadAndSaveSchema)->Unit(benchmark::kMillisecond);

void copyBoth(benchmark::State& state, bool durable) {
    const fs::path& dir = schemaDir();
    for (auto _ : state) {
        copyFile(dir / "INDEX.INI", dir / "copy" / "INDEX.INI", durable);
        copyFile(dir / "attribute.def", dir / "copy" / "attribute.def", durable);
    }
}

// The floor: reading both files and writing them elsewhere, as a copy program would.
void BM_CopyBothFiles(benchmark::State& state) {
    copyBoth(state, false);
}
BENCHMARK(BM_CopyBothFiles)->Unit(benchmark::kMillisecond);

// The same copy flushed to disk, which the schema's safe replacement does too.
void BM_CopyBothFilesDurable(benchmark::State& state) {
    copyBoth(state, true);
}
BENCHMARK(BM_CopyBothFilesDurable)->Unit(benchmark::kMillisecond);

// Parsing and formatting alone, without the file system.
void BM_ParseAndFormatInMemory(benchmark::State& state) {
    const fs::path& dir = schemaDir();
    std::ifstream indexIn(dir / "INDEX.INI", std::ios::binary);
    const std::string index{std::istreambuf_iterator<char>(indexIn),
                            std::istreambuf_iterator<char>()};
    std::ifstream defIn(dir / "attribute.def", std::ios::binary);
    const std::string def{std::istreambuf_iterator<char>(defIn), std::istreambuf_iterator<char>()};
    for (auto _ : state) {
        const auto features = parseIndexIni(index);
        const auto content = parseAttributeDef(def);
        benchmark::DoNotOptimize(formatIndexIni(features));
        benchmark::DoNotOptimize(formatAttributeDef(content.tables));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(index.size() + def.size()));
}
BENCHMARK(BM_ParseAndFormatInMemory)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(scratchPath(), ec);
    return 0;
}
