// Switching tables and changing the category in the real dialog over large feature indexes. Both
// rebuild list widgets from the schema, so they should grow linearly with the index.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "editor/attr_struct_dlg.h"
#include "editor/dialog_template.h"
#include "large_schema.h"
#include "schema/attribute_schema.h"
#include "schema/feature_category.h"
#include "schema/search_path_finder.h"

namespace {

class DirectoryHost : public quorbel::HostServices {
  public:
    explicit DirectoryHost(const std::string& directory) : m_finder({directory}) {}
    int findFile(std::string_view name, std::string& fullPath) override {
        return m_finder.findFile(name, fullPath);
    }
    void print(std::string_view) override {}

  private:
    quorbel::SearchPathFinder m_finder;
};

void writeFile(const QTemporaryDir& dir, const char* name, const std::string& bytes) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

// Every feature is a point feature; a tenth of them belong to table A, another tenth to B, and
// the codes cycle through the eleven categories.
struct LargeIndex {
    explicit LargeIndex(std::int64_t features) {
        const auto& categories = quorbel::featureCategories();
        std::string index;
        index.reserve(static_cast<std::size_t>(features) * 40);
        for (std::int64_t i = 0; i < features; ++i) {
            const auto slot = static_cast<std::size_t>(i) % categories.size();
            const std::string code = categories[slot].prefix + std::to_string(100000 + i);
            index += code + ",gc" + std::to_string(i) + ",0.0000,F" + std::to_string(i) + ",0";
            if (i % 10 == 0) {
                index += ",A";
            } else if (i % 10 == 1) {
                index += ",B";
            }
            index += "\r\n";
        }
        index += "END\r\n";
        writeFile(dir, "INDEX.INI", index);
        writeFile(dir, "attribute.def",
                  "*A,1,a\r\n  F1,0,10,0,d\r\n\r\n*B,1,b\r\n  F2,1,4,0,d\r\n\r\n[END]\r\n");
        dialog = std::make_unique<CAttrStructDlg>(schema);
        dialog->show();
        tree = dialog->findChild<QTreeWidget*>(QStringLiteral("200"));
        category = dialog->findChild<QComboBox*>(QStringLiteral("211"));
    }

    QTemporaryDir dir;
    DirectoryHost host{dir.path().toStdString()};
    quorbel::AttributeSchema schema{host};
    std::unique_ptr<CAttrStructDlg> dialog;
    QTreeWidget* tree = nullptr;
    QComboBox* category = nullptr;
};

void BM_TableSwitch(benchmark::State& state) {
    LargeIndex large(state.range(0));
    QTreeWidgetItem* root = large.tree->topLevelItem(0);
    int next = 1;
    for (auto _ : state) {
        large.tree->setCurrentItem(root->child(next));
        next = 1 - next;
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TableSwitch)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_CategoryChange(benchmark::State& state) {
    LargeIndex large(state.range(0));
    int next = 1;
    for (auto _ : state) {
        large.category->setCurrentIndex(next);
        emit large.category->activated(next);
        next = 1 - next;
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CategoryChange)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

// One feature moved into the included list and the move undone, over a category of 9,000 of
// 100,000 features: each is a step of the history, and the undo refills the available list.
void BM_MoveIntoIncludedAndUndo(benchmark::State& state) {
    LargeIndex large(state.range(0));
    large.category->setCurrentIndex(0);
    emit large.category->activated(0);
    auto* available =
        large.dialog->findChild<QListWidget*>(QString::number(quorbel::editor::IDC_AVAILABLE));
    auto* undo = large.dialog->findChild<QPushButton*>(QString::number(quorbel::editor::IDC_UNDO));
    for (auto _ : state) {
        available->clearSelection();
        available->item(0)->setSelected(true);
        large.dialog->onCommand(quorbel::editor::IDC_INCLUDE);
        undo->click();
    }
    if (large.dialog->steps().index() != 0 || available->count() == 0) {
        state.SkipWithError("the move was not undone");
    }
}
BENCHMARK(BM_MoveIntoIncludedAndUndo)->Arg(100000)->Unit(benchmark::kMillisecond);

// The benchmarks' large schema: 1,000 tables of 8 fields, 100,000 features.
struct LargeSchemaFiles {
    LargeSchemaFiles() {
        writeFile(dir, "INDEX.INI", quorbel::bench::largeIndexIni());
        writeFile(dir, "attribute.def", quorbel::bench::largeAttributeDef());
    }
    QTemporaryDir dir;
    DirectoryHost host{dir.path().toStdString()};
    quorbel::AttributeSchema schema{host};
};

// From construction to the first table shown, as QUORBEL opens it: both files read and parsed,
// the tree filled, the first table's fields and features shown.
void BM_DialogOpenLargeSchema(benchmark::State& state) {
    LargeSchemaFiles files;
    for (auto _ : state) {
        auto dialog = std::make_unique<CAttrStructDlg>(files.schema);
        dialog->show();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DialogOpenLargeSchema)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same up to the first paint of the dialog, which is when the user sees it open.
void BM_DialogOpenAndPaintLargeSchema(benchmark::State& state) {
    LargeSchemaFiles files;
    for (auto _ : state) {
        auto dialog = std::make_unique<CAttrStructDlg>(files.schema);
        dialog->show();
        QApplication::processEvents();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DialogOpenAndPaintLargeSchema)->Unit(benchmark::kMillisecond)->UseRealTime();

// Saving the first table under a new name: 10,000 features follow it, and the step is recorded
// for undo.
void BM_RenameTableUsedByTenThousandFeatures(benchmark::State& state) {
    LargeSchemaFiles files;
    CAttrStructDlg dialog(files.schema);
    dialog.show();
    auto* name = dialog.findChild<QLineEdit*>(QString::number(quorbel::editor::IDC_TABLE_NAME));
    int next = 0;
    for (auto _ : state) {
        name->setText(QStringLiteral("T%1").arg(next++ % 2));
        dialog.onCommand(quorbel::editor::IDC_SAVE_TABLE);
    }
    if (files.schema.featuresOfTable(files.schema.tables().front().name).size() <
        static_cast<std::size_t>(quorbel::bench::kFeaturesOfFirstTable)) {
        state.SkipWithError("the features did not follow the table");
    }
}
BENCHMARK(BM_RenameTableUsedByTenThousandFeatures)->Unit(benchmark::kMillisecond);

// Typing into the find box over an available list of all 100,000 features, each keystroke
// alternating between a short and a longer text.
void BM_RefilterAvailableList(benchmark::State& state) {
    QTemporaryDir dir;
    std::string index;
    for (int i = 0; i < quorbel::bench::kLargeFeatures; ++i) {
        index += "13" + std::to_string(100000 + i) + ",gc" + std::to_string(i) +
                 ",0.0000,\xB5\xE3" + std::to_string(i) + ",0\r\n";
    }
    writeFile(dir, "INDEX.INI", index + "END\r\n");
    writeFile(dir, "attribute.def", "*A,1,a\r\n\r\n[END]\r\n");
    DirectoryHost host{dir.path().toStdString()};
    quorbel::AttributeSchema schema{host};
    CAttrStructDlg dialog(schema);
    dialog.show();
    auto* category = dialog.findChild<QComboBox*>(QStringLiteral("211"));
    category->setCurrentIndex(0);
    emit category->activated(0);
    auto* find = dialog.findChild<QLineEdit*>(QString::number(quorbel::editor::IDC_AVAILABLE_FIND));
    const QString texts[] = {QStringLiteral("5"), QStringLiteral("55")};
    int next = 0;
    for (auto _ : state) {
        find->setText(texts[next++ % 2]);
    }
}
BENCHMARK(BM_RefilterAvailableList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
