#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "cadhost/arx_api.h"
#include "cadhost/file_search.h"
#include "cadhost/host_state.h"
#include "cadhost/version_resource.h"
#include "host_output_capture.h"

namespace fs = std::filesystem;

namespace {

void dummyCommand() {}
void otherCommand() {}

AcEdCommandStack* commandStack() {
    AcRxDictionary* classes = AcRxDictionary::cast(acrxSysRegistry()->at("ClassDictionary"));
    auto* cls = acrxCheckedCast<AcRxClass>(classes->at("AcEdCommandStack"), AcRxClass::desc());
    return acrxCheckedCast<AcEdCommandStack>(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"),
                                             cls);
}

class TempDir {
  public:
    TempDir() {
        m_path = fs::temp_directory_path() /
                 ("cadhost-test-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    const fs::path& path() const { return m_path; }
    fs::path write(const std::string& relative, const std::string& bytes) const {
        const fs::path file = m_path / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

  private:
    fs::path m_path;
};

}  // namespace

TEST(HostRegistry, OffersItsObjectsUnderTheirNamesWithCheckedClasses) {
    AcRxDictionary* registry = acrxSysRegistry();
    ASSERT_NE(registry->at("DynamicLinker"), nullptr);
    EXPECT_TRUE(registry->at("DynamicLinker")->isKindOf(AcRxDynamicLinker::desc()));
    EXPECT_TRUE(registry->at("DynamicLinker")->isKindOf(AcRxObject::desc()));
    EXPECT_FALSE(registry->at("DynamicLinker")->isKindOf(AcEdCommandStack::desc()));
    EXPECT_NE(commandStack(), nullptr);
    EXPECT_EQ(registry->at("NoSuchEntry"), nullptr);
    EXPECT_EQ(registry->at(nullptr), nullptr);
    // A checked cast to the wrong class answers null instead of a wrongly typed pointer.
    EXPECT_EQ(
        acrxCheckedCast<AcEdCommandStack>(registry->at("DynamicLinker"), AcEdCommandStack::desc()),
        nullptr);
    EXPECT_EQ(AcRxDictionary::cast(registry->at("DynamicLinker")), nullptr);
}

TEST(CommandStack, RegistersFindsInAnyCaseAndRemovesByGroup) {
    AcEdCommandStack& stack = *commandStack();
    ASSERT_EQ(stack.addCommand("GRP1", "FIRST", "erste", ACRX_CMD_TRANSPARENT, dummyCommand),
              Acad::eOk);
    EXPECT_EQ(stack.addCommand("grp1", "first", "x", ACRX_CMD_MODAL, otherCommand),
              Acad::eDuplicateKey);
    EXPECT_EQ(stack.addCommand("GRP1", "TWO WORDS", "TWO", 0, otherCommand), Acad::eInvalidInput);
    EXPECT_EQ(stack.addCommand("GRP1", "NOFUNC", "NOFUNC", 0, nullptr), Acad::eInvalidInput);
    ASSERT_EQ(stack.addCommand("GRP2", "FIRST", "FIRST", 0, otherCommand), Acad::eOk);

    // The group registered last is searched first; the local name finds it too.
    ASSERT_NE(stack.lookupCmd("First"), nullptr);
    EXPECT_EQ(stack.lookupCmd("First")->function, &otherCommand);
    ASSERT_NE(stack.lookupCmd("ERSTE"), nullptr);
    EXPECT_EQ(stack.lookupCmd("ERSTE")->function, &dummyCommand);
    EXPECT_TRUE(stack.lookupCmd("erste")->isTransparent());

    EXPECT_EQ(stack.removeGroup("grp2"), Acad::eOk);
    EXPECT_EQ(stack.lookupCmd("FIRST")->function, &dummyCommand);
    EXPECT_EQ(stack.removeGroup("GRP1"), Acad::eOk);
    EXPECT_EQ(stack.lookupCmd("FIRST"), nullptr);
    EXPECT_EQ(stack.removeGroup("GRP1"), Acad::eKeyNotFound);
    EXPECT_FALSE(stack.hasGroup("GRP1"));
}

TEST(DocManager, PopsOnlyWhatWasPushed) {
    AcApDocManager& documents = *acDocManagerPtr();
    int moduleA = 0;
    int moduleB = 0;
    EXPECT_EQ(documents.resourceHandle(), acedHostResourceHandle());
    documents.pushResourceHandle(&moduleA);
    documents.pushResourceHandle(&moduleB);
    EXPECT_EQ(documents.resourceHandle(), &moduleB);
    EXPECT_EQ(documents.popResourceHandle(), Acad::eOk);
    EXPECT_EQ(documents.resourceHandle(), &moduleA);
    EXPECT_EQ(documents.popResourceHandle(), Acad::eOk);
    EXPECT_EQ(documents.popResourceHandle(), Acad::eNotApplicable);
    EXPECT_EQ(documents.resourceHandle(), acedHostResourceHandle());
}

TEST(FindFile, SearchesTheSupportPathInOrderIgnoringLetterCase) {
    TempDir first;
    TempDir second;
    second.write("INDEX.INI", "second");
    const fs::path inSecond = second.path() / "INDEX.INI";
    cadhost::setSupportPath({first.path().string(), second.path().string()});

    std::array<char, 512> buffer{};
    EXPECT_EQ(acedFindFile("index.ini", buffer.data(), static_cast<int>(buffer.size())), RTNORM);
    EXPECT_EQ(fs::path(buffer.data()), inSecond);

    // An earlier directory wins, even in other letter case.
    first.write("Index.Ini", "first");
    EXPECT_EQ(acedFindFile("INDEX.ini", buffer.data(), static_cast<int>(buffer.size())), RTNORM);
    EXPECT_EQ(fs::path(buffer.data()), first.path() / "Index.Ini");

    // Where both spellings lie side by side, the exact one is taken.
    first.write("index.ini", "exact");
    EXPECT_EQ(acedFindFile("index.ini", buffer.data(), static_cast<int>(buffer.size())), RTNORM);
    EXPECT_EQ(fs::path(buffer.data()), first.path() / "index.ini");

    // A directory of that name is no match.
    fs::create_directories(first.path() / "attribute.def");
    EXPECT_EQ(acedFindFile("attribute.def", buffer.data(), static_cast<int>(buffer.size())),
              RTERROR);
    EXPECT_EQ(acedFindFile("", buffer.data(), static_cast<int>(buffer.size())), RTREJ);
    cadhost::setSupportPath({});
}

TEST(FindFile, RefusesAResultThatDoesNotFitInsteadOfCuttingIt) {
    TempDir dir;
    dir.write("attribute.def", "x");
    cadhost::setSupportPath({dir.path().string()});
    const std::string full = (dir.path() / "attribute.def").string();
    std::vector<char> exact(full.size() + 1, 'x');
    EXPECT_EQ(acedFindFile("ATTRIBUTE.DEF", exact.data(), static_cast<int>(exact.size())), RTNORM);
    EXPECT_EQ(std::string(exact.data()), full);
    std::vector<char> tooShort(full.size(), 'x');
    EXPECT_EQ(acedFindFile("attribute.def", tooShort.data(), static_cast<int>(tooShort.size())),
              RTREJ);
    EXPECT_EQ(std::string(tooShort.begin(), tooShort.end()), std::string(full.size(), 'x'));
    cadhost::setSupportPath({});
}

TEST(SearchPath, SplitsOnColonsAndSemicolonsDroppingEmptyEntries) {
    EXPECT_EQ(cadhost::splitSearchPath("a::b;c:"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(cadhost::splitSearchPath("").empty());
}

TEST(Printf, PrintsDataTextAsItIs) {
    HostOutputCapture output;
    const char* data = "\n%s%n%d \xce\xc4\xbc\xfe";
    acutPrintf("%s", data);
    EXPECT_EQ(output.text(), data);
    output.clear();
    acutPrintf("%d-%s", 42, "x");
    EXPECT_EQ(output.text(), "42-x");
}

TEST(VersionResource, ReadsTheSectionOfABuiltModule) {
    const cadhost::VersionInfo info = cadhost::readVersionResource(SAMPLE_MODULE_PATH);
    EXPECT_EQ(info.value("FileVersion"), "2.3.4.5");
    EXPECT_EQ(info.value("FileDescription"), "Host test application");
    EXPECT_EQ(info.value("ProductName"), "");
    EXPECT_TRUE(cadhost::readVersionResource(OLD_VERSION_MODULE_PATH).empty());
    EXPECT_TRUE(cadhost::readVersionResource("/nonexistent/module.arx").empty());
}

TEST(VersionResource, SurvivesDamagedFiles) {
    std::ifstream in(SAMPLE_MODULE_PATH, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_TRUE(cadhost::findElfSection(bytes, CADHOST_VERSION_SECTION).has_value());
    // Cut anywhere, the reader answers nothing or a section inside the bytes, never reads past.
    for (std::size_t length = 0; length < bytes.size(); length += 997) {
        const std::string_view cut(bytes.data(), length);
        const auto section = cadhost::findElfSection(cut, CADHOST_VERSION_SECTION);
        if (section) {
            EXPECT_GE(section->data(), cut.data());
            EXPECT_LE(section->data() + section->size(), cut.data() + cut.size());
        }
    }
    EXPECT_FALSE(cadhost::findElfSection("\x7f"
                                         "ELF",
                                         ".text")
                     .has_value());
}

TEST(VersionResource, ParsesKeyValueLinesSkippingPaddingAndNoise) {
    static const char raw[] = "A=1\r\n\0\0=skip\nnoequals\nB=x=y\n";
    const std::string text(raw, sizeof raw - 1);
    const cadhost::VersionInfo info = cadhost::parseVersionText(text);
    ASSERT_EQ(info.entries.size(), 2u);
    EXPECT_EQ(info.value("A"), "1");
    EXPECT_EQ(info.value("B"), "x=y");
}
