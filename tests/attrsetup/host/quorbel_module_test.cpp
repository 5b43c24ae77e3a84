#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <QApplication>
#include <QDialog>
#include <QMetaType>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "cadhost/application_table.h"
#include "cadhost/arx_api.h"
#include "cadhost/host_state.h"
#include "command_processor.h"
#include "qt_module_guard.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kModule = QUORBEL_MODULE_PATH;
constexpr int kPollMs = 10;

cadhost::ApplicationTable& applications() {
    return acrxCheckedCast<AcRxDynamicLinker>(acrxSysRegistry()->at("DynamicLinker"),
                                              AcRxDynamicLinker::desc())
        ->applications();
}

AcEdCommandStack& commands() {
    return *acrxCheckedCast<AcEdCommandStack>(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"),
                                              AcEdCommandStack::desc());
}

bool stillMapped(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        dlclose(handle);
    }
    return handle != nullptr;
}

struct AddressRange {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
};

// Where the file is mapped, from the first to the last of its mappings.
AddressRange mappingOf(const char* path) {
    const std::string real = fs::canonical(path).string();
    std::ifstream maps("/proc/self/maps");
    AddressRange range;
    std::string line;
    while (std::getline(maps, line)) {
        if (line.size() < real.size() ||
            line.compare(line.size() - real.size(), real.size(), real) != 0) {
            continue;
        }
        std::istringstream fields(line);
        std::uintptr_t begin = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        fields >> std::hex >> begin >> dash >> end;
        range.begin = range.begin == 0 ? begin : std::min(range.begin, begin);
        range.end = std::max(range.end, end);
    }
    return range;
}

// Keeps the addresses of an unloaded module inaccessible, so that anything still pointing into it
// faults at once instead of reading a later module that happens to be mapped at the same place.
class PoisonedRange {
  public:
    explicit PoisonedRange(AddressRange range) : m_size(range.end - range.begin) {
        m_address = mmap(reinterpret_cast<void*>(range.begin), m_size, PROT_NONE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    }
    ~PoisonedRange() {
        if (m_address != MAP_FAILED) {
            munmap(m_address, m_size);
        }
    }
    bool active() const { return m_address != MAP_FAILED; }

  private:
    std::size_t m_size;
    void* m_address;
};

// Calls inspect on the next modal dialog, from inside its loop; inspect closes it.
void onNextModalDialog(std::function<void(QDialog&)> inspect) {
    auto* timer = new QTimer;
    timer->setInterval(kPollMs);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            inspect(*dialog);
        }
    });
    timer->start();
}

class QuorbelModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // As the host program does at start.
        cadhost::guardQtAgainstUnloadedModules(applications());
        dir = fs::temp_directory_path() / ("quorbel-module-" + std::to_string(getpid()));
        fs::create_directories(dir);
        // Other letter case than the plug-in asks for, as files copied from Windows often have.
        fs::copy_file(fs::path(SAMPLES_DIR) / "INDEX.INI", dir / "index.ini");
        fs::copy_file(fs::path(SAMPLES_DIR) / "attribute.def", dir / "ATTRIBUTE.DEF");
        cadhost::setSupportPath({dir.string()});
        cadhost::setOutputSink(
            [this](std::string_view text, cadhost::TextOrigin) { output.append(text); });
    }
    void TearDown() override {
        applications().unloadAll();
        cadhost::setOutputSink({});
        cadhost::setSupportPath({});
        fs::remove_all(dir);
    }
    std::string fileBytes(const char* name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir;
    std::string output;
    cadhost::DialogScript dialogs;
    cadhost::CommandProcessor processor{dialogs};
};

}  // namespace

TEST_F(QuorbelModuleTest, RegistersQuorbelInKvtAndTakesItAwayTwiceInOneRun) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const int uiInitialisations = cadhost::uiLibraryInitialisations();
        ASSERT_TRUE(applications().load(kModule)) << output;
        // Attached: the UI library is prepared and the module's resources are in the chain.
        EXPECT_EQ(cadhost::uiLibraryInitialisations(), uiInitialisations + 1);
        const AddressRange mapped = mappingOf(kModule);
        EXPECT_TRUE(cadhostIsResourceModule(reinterpret_cast<HINSTANCE>(mapped.begin)));
        const cadhost::LoadedApplication* app = applications().find("quorbel.arx");
        ASSERT_NE(app, nullptr);
        EXPECT_FALSE(app->locked);
        EXPECT_TRUE(app->mdiAware);
        const AcEdRegisteredCommand* command = commands().lookupCmd("QUORBEL");
        ASSERT_NE(command, nullptr);
        EXPECT_EQ(command->group, "KVT");
        EXPECT_EQ(command->localName, "QUORBEL");
        EXPECT_EQ(command->flags, 3);
        EXPECT_EQ(command->functionCode, -1);
        EXPECT_EQ(command->uiContext, nullptr);
        EXPECT_EQ(command->resourceHandle, nullptr);
        EXPECT_EQ(app->version.value("FileDescription"), "Quorbel ObjectARX application");
        EXPECT_EQ(app->version.value("InternalName"), "Quorbel");
        EXPECT_EQ(app->version.value("ProductName"), "Quorbel Application");
        EXPECT_EQ(app->version.value("FileVersion"), "1.0.0.1");
        EXPECT_EQ(app->version.value("ProductVersion"), "1.0.0.1");

        ASSERT_TRUE(applications().unload("quorbel")) << output;
        EXPECT_FALSE(cadhostIsResourceModule(reinterpret_cast<HINSTANCE>(mapped.begin)));
        EXPECT_EQ(commands().lookupCmd("QUORBEL"), nullptr);
        EXPECT_FALSE(commands().hasGroup("KVT"));
        EXPECT_FALSE(stillMapped(kModule));
    }
    EXPECT_EQ(output.find("still mapped"), std::string::npos) << output;
    EXPECT_EQ(output.find("stays in memory"), std::string::npos) << output;
}

TEST_F(QuorbelModuleTest, OtherMessagesLeaveTheCommandAlone) {
    ASSERT_TRUE(applications().load(kModule));
    for (auto message : {AcRx::kLoadDwgMsg, AcRx::kUnloadDwgMsg, AcRx::kQuitMsg}) {
        EXPECT_TRUE(applications().sendMessage("quorbel.arx", message));
    }
    EXPECT_NE(commands().lookupCmd("QUORBEL"), nullptr);
}

TEST_F(QuorbelModuleTest, OpensTheDialogUnderItsOwnResourcesInAnyLetterCase) {
    std::unique_ptr<PoisonedRange> poison;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(applications().load(kModule));
        const AcEdRegisteredCommand* command = commands().lookupCmd("QUORBEL");
        ASSERT_NE(command, nullptr);
        Dl_info info{};
        ASSERT_NE(dladdr(reinterpret_cast<const void*>(command->function), &info), 0);
        const std::size_t depth = acDocManagerPtr()->pushedResourceHandles();
        const AddressRange mapped = mappingOf(kModule);

        QString title;
        HINSTANCE during = nullptr;
        std::size_t depthDuring = 0;
        bool parentless = false;
        onNextModalDialog([&](QDialog& dialog) {
            title = dialog.windowTitle();
            during = acDocManagerPtr()->resourceHandle();
            depthDuring = acDocManagerPtr()->pushedResourceHandles();
            parentless = dialog.parentWidget() == nullptr;
            dialog.reject();
        });
        processor.submit(round == 0 ? "quorbel" : "QuorBel");

        EXPECT_EQ(title, QString::fromUtf8("属性结构设置"));
        EXPECT_TRUE(parentless);
        EXPECT_EQ(during, info.dli_fbase);
        EXPECT_EQ(depthDuring, depth + 1);
        EXPECT_EQ(acDocManagerPtr()->pushedResourceHandles(), depth);
        // Both files were found; only the two remark lines of the samples are reported.
        const std::string after = output.substr(output.find("quorbel.arx loaded.\n") + 20);
        EXPECT_EQ(after.rfind("\nINDEX.INI", 0), 0u) << output;
        EXPECT_EQ(after.find("\n", 1), std::string::npos) << output;
        ASSERT_TRUE(applications().unload("quorbel.arx"));
        EXPECT_EQ(output.find("stays in memory"), std::string::npos) << output;
        EXPECT_FALSE(stillMapped(kModule));
        EXPECT_FALSE(QMetaType::fromName("CAttrStructDlg*").isValid());
        // The second round runs with the first round's addresses made unreadable: a pointer that
        // Qt kept into the module (a cached font name, a metatype) ends the test with a fault.
        if (!poison) {
            poison = std::make_unique<PoisonedRange>(mapped);
            EXPECT_TRUE(poison->active());
        }
        output.clear();
    }
}

// The in-place editors are shared objects of the module: none may outlive the dialog, or Qt would
// keep widgets whose code is unmapped.
TEST_F(QuorbelModuleTest, LeavesNoWidgetOfTheModuleBehindAfterAnInPlaceEdit) {
    const auto widgetsBefore = QApplication::allWidgets().size();
    ASSERT_TRUE(applications().load(kModule));
    bool editorOpened = false;
    onNextModalDialog([&](QDialog& dialog) {
        auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("201"));
        if (grid != nullptr && grid->rowCount() > 0 && grid->columnCount() > 0) {
            const QPoint cell = grid->visualRect(grid->model()->index(0, 0)).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
            for (QWidget* widget : QApplication::allWidgets()) {
                const QString name = QString::fromLatin1(widget->metaObject()->className());
                editorOpened = editorOpened || (widget->isVisible() && name.startsWith("CCell"));
            }
        }
        dialog.reject();
    });
    processor.submit("QUORBEL");
    EXPECT_TRUE(editorOpened);
    ASSERT_TRUE(applications().unload("quorbel.arx"));
    EXPECT_FALSE(stillMapped(kModule));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

TEST_F(QuorbelModuleTest, TransparentWhileAnotherCommandWaits) {
    ASSERT_TRUE(applications().load(kModule));
    processor.submit("ARX UNLOAD");
    ASSERT_TRUE(processor.isWaiting());
    bool opened = false;
    onNextModalDialog([&](QDialog& dialog) {
        opened = true;
        dialog.reject();
    });
    processor.submit("'QUORBEL");
    EXPECT_TRUE(opened);
    ASSERT_TRUE(processor.isWaiting());
    processor.submit("quorbel.arx");
    EXPECT_EQ(applications().find("quorbel.arx"), nullptr);
}

TEST_F(QuorbelModuleTest, CancelWritesNothingAndAMissingFileIsReportedOnTheCommandLine) {
    ASSERT_TRUE(applications().load(kModule));
    const std::string index = fileBytes("index.ini");
    const auto written = fs::last_write_time(dir / "index.ini");
    onNextModalDialog([](QDialog& dialog) { dialog.reject(); });
    processor.submit("QUORBEL");
    EXPECT_EQ(fileBytes("index.ini"), index);
    EXPECT_EQ(fs::last_write_time(dir / "index.ini"), written);

    fs::remove(dir / "index.ini");
    output.clear();
    bool stayedOpen = false;
    onNextModalDialog([&](QDialog& dialog) {
        dialog.accept();
        stayedOpen = dialog.isVisible();
        dialog.reject();
    });
    processor.submit("QUORBEL");
    EXPECT_TRUE(stayedOpen);
    ASSERT_FALSE(output.empty());
    EXPECT_EQ(output.front(), '\n');
    EXPECT_FALSE(fs::exists(dir / "index.ini"));
}

TEST_F(QuorbelModuleTest, ScriptedConsoleSessionOpensTheDialogOnTheSamples) {
    const fs::path script = dir / "session.txt";
    std::ofstream(script) << "APPLOAD QUORBEL.ARX\nARX\nDIALOG CANCEL\nQUORBEL\nQUIT\n";
    const fs::path log = dir / "session.log";
    const std::string command = "env QT_QPA_PLATFORM=offscreen ACAD='" +
                                fs::path(kModule).parent_path().string() + "' '" + CADHOST_PATH +
                                "' --console --support-path '" + dir.string() + "' < '" +
                                script.string() + "' > '" + log.string() + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(log);
    const std::string session{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(session.find("quorbel.arx loaded."), std::string::npos) << session;
    EXPECT_NE(session.find("    File description: Quorbel ObjectARX application\n"
                           "    Internal name: Quorbel\n"),
              std::string::npos)
        << session;
    EXPECT_NE(
        session.find("Command: QUORBEL\n\nINDEX.INI中有2行不是地物行(如备注、标题),"
                     "保存时不会写回:第1、2行!\nDialog \"属性结构设置\" opened.\nCommand: QUIT\n"),
        std::string::npos)
        << session;
    EXPECT_NE(session.find("quorbel.arx unloaded."), std::string::npos);
}
