#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

struct ConsoleRun {
    int status = -1;
    std::string output;
};

// Runs the host program on a script the way a user's shell script would.
ConsoleRun runConsole(const std::string& script, const std::string& environment = {},
                      const std::string& options = {}) {
    const fs::path dir =
        fs::temp_directory_path() / ("cadhost-console-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "in.txt") << script;
    const std::string command = "env QT_QPA_PLATFORM=offscreen " + environment + " '" +
                                CADHOST_PATH + "' --console " + options + " < '" +
                                (dir / "in.txt").string() + "' > '" + (dir / "out.txt").string() +
                                "' 2>/dev/null";
    ConsoleRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(dir / "out.txt");
    run.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    fs::remove_all(dir);
    return run;
}

const std::string kModuleDir = fs::path(SAMPLE_MODULE_PATH).parent_path().string();

}  // namespace

TEST(CadhostConsole, FindsModulesOnTheAcadPathAndEchoesAScriptedSession) {
    const ConsoleRun run = runConsole("APPLOAD SAMPLE_MODULE.ARX\ntestcmd\nquit\n",
                                      "ACAD='/nonexistent:" + kModuleDir + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Command: APPLOAD SAMPLE_MODULE.ARX\nsample_module.arx loaded."),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Command: testcmd\n\nTESTCMD ran %s %d\n"), std::string::npos);
    // Quitting unloads what is loaded.
    EXPECT_NE(run.output.find("sample_module.arx unloaded."), std::string::npos);
}

TEST(CadhostConsole, SupportPathOptionComesBeforeAcadAndFailuresSetTheExitStatus) {
    const ConsoleRun run = runConsole("APPLOAD old_version_module.arx\n", "ACAD=/nonexistent",
                                      "--support-path '/also/nonexistent:" + kModuleDir + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("old_version_module.arx was built for API version 0x0F0000"),
              std::string::npos)
        << run.output;
}

TEST(CadhostConsole, EndOfInputEndsTheSessionEvenWhileACommandWaits) {
    const ConsoleRun run = runConsole("APPLOAD\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("Application file to load: "), std::string::npos);
}
