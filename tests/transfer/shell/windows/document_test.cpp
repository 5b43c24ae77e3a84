#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <unistd.h>

#include <gtest/gtest.h>

#include "shell/printing/text_printer.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/recent_file_list.h"
#include "shell/windows/vrk410_doc.h"
#include "shell/windows/vrk410_view.h"
#include "shell_test_support.h"

namespace {

using namespace vrk;
using shelltest::Harness;

void WriteFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string ReadFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

TEST(Document, ArbitraryBytesOpenAndSaveUnchanged) {
    Harness h;
    QTemporaryDir dir;
    const QString in = dir.filePath("download.txt");
    std::string bytes = "\x02_+P1        _ x+002000000\x03\r\n\nlone\rcr\nlf";
    bytes += std::string("\0\x04\x81\xFF\x80\xBF\xD8\r\n\r", 11);
    WriteFile(in, bytes);
    ASSERT_TRUE(h.app->InitInstance({in}));
    EXPECT_EQ(h.app->frame().windowTitle(), "download.txt - VRK410");
    EXPECT_FALSE(h.app->document().isModified());
    const QString out = dir.filePath("copy.txt");
    ASSERT_TRUE(h.app->document().DoSave(out));
    EXPECT_EQ(ReadFile(out), bytes);
    EXPECT_EQ(h.app->frame().windowTitle(), "copy.txt - VRK410");
}

// The old edit control's 1,048,575 bytes no longer limit a file; 16 MiB does.
TEST(Document, FileSizeLimitRefusesOneByteMore) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    QTemporaryDir dir;
    const QString ok = dir.filePath("ok.txt");
    const QString big = dir.filePath("big.txt");
    std::string lines;
    while (lines.size() < 1048576) {
        lines += std::string(62, 'a') + "\r\n";
    }
    WriteFile(ok, lines);
    WriteFile(big, std::string(16 * 1024 * 1024 + 1, 'b'));
    ASSERT_TRUE(h.app->document().OpenDocumentFile(ok));
    EXPECT_EQ(h.app->view().rawText().bytes, lines);
    EXPECT_FALSE(h.app->document().OpenDocumentFile(big));
    EXPECT_EQ(h.prompter.texts(), std::vector<std::string>{"该文件太大，无法打开。"});
    EXPECT_EQ(h.app->view().rawText().bytes.front(), 'a');
    EXPECT_EQ(h.app->document().pathName(), QFileInfo(ok).absoluteFilePath());
    // A download stops where the view would hold more than a file may have.
    EXPECT_EQ(h.app->view().textServices().capacity(), 16777216u);
}

// A file marked read-only stays as it is, also for root; a folder that takes no new file only
// means the file is written where it is.
TEST(Document, ReadOnlyFileKeepsItsBytesAndTheChangesStay) {
    Harness h;
    QTemporaryDir dir;
    const QString path = dir.filePath("survey.delf");
    WriteFile(path, "old\r\n");
    ASSERT_TRUE(h.app->InitInstance({path}));
    h.app->view().textServices().setText("new\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_FALSE(h.app->document().OnFileSave());
    EXPECT_EQ(h.prompter.texts(), std::vector<std::string>{"保存文档失败。\n没有写入文件 " +
                                                           path.toStdString() + " 的权限。"});
    EXPECT_EQ(ReadFile(path), "old\r\n");
    EXPECT_TRUE(h.app->document().isModified());

    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Root ignores the folder's mode, so there the folder is made immutable instead.
    const bool root = ::geteuid() == 0;
    const bool locked =
        root ? QProcess::execute("chattr", {"+i", dir.path()}) == 0
             : QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool saved = h.app->document().OnFileSave();
    if (root) {
        QProcess::execute("chattr", {"-i", dir.path()});
    } else {
        QFile::setPermissions(
            dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    if (!locked) {
        GTEST_SKIP() << "the folder could not be made unwritable here";
    }
    EXPECT_TRUE(saved) << h.prompter.texts().back();
    EXPECT_EQ(ReadFile(path), "new\r\n");
    EXPECT_FALSE(h.app->document().isModified());
}

TEST(Document, SaveOntoAFolderFailsAndKeepsTheChanges) {
    Harness h;
    QTemporaryDir dir;
    ASSERT_TRUE(h.app->InitInstance({}));
    h.app->view().insertPlainText("P1,1");
    EXPECT_FALSE(h.app->document().DoSave(dir.path()));
    EXPECT_EQ(h.prompter.texts(),
              std::vector<std::string>{"保存文档失败。\n" +
                                       QDir::toNativeSeparators(dir.path()).toStdString() +
                                       " 是文件夹，不是文件。"});
    EXPECT_TRUE(h.app->document().isModified());
    EXPECT_EQ(h.app->frame().windowTitle(), "无标题 - VRK410");
}

TEST(Document, OpenAndSaveFailuresSayWhy) {
    Harness h;
    QTemporaryDir dir;
    ASSERT_TRUE(h.app->InitInstance({}));
    EXPECT_FALSE(h.app->document().OpenDocumentFile(dir.filePath("survey")));
    h.app->view().insertPlainText("P1,1");
    EXPECT_FALSE(h.app->document().DoSave(dir.filePath("gone/survey")));
    EXPECT_EQ(h.prompter.texts(),
              (std::vector<std::string>{
                  "打开文档失败。\n文件 " + dir.filePath("survey").toStdString() + " 不存在。",
                  "保存文档失败。\n文件夹 " + dir.filePath("gone").toStdString() + " 不存在。"}));
    EXPECT_TRUE(h.app->document().isModified());
}

TEST(Document, TextGbkCannotHoldIsNotSavedAsQuestionMarks) {
    Harness h;
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    WriteFile(path, "P1,1\r\n");
    ASSERT_TRUE(h.app->InitInstance({path}));
    h.app->view().moveCursor(QTextCursor::End);
    h.app->view().insertPlainText(QString::fromUtf8("P2,\xF0\x9F\x98\x80"));
    EXPECT_FALSE(h.app->document().OnFileSave());
    ASSERT_EQ(h.prompter.shown.size(), 1u);
    EXPECT_NE(h.prompter.shown[0].text.find("第 2 行"), std::string::npos);
    EXPECT_EQ(ReadFile(path), "P1,1\r\n");
    EXPECT_TRUE(h.app->document().isModified());
}

TEST(Document, SaveOnCloseQuestionComesFirstAndCancelKeepsTheWindow) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    h.app->view().insertPlainText("x");
    h.prompter.save = {SaveAnswer::Cancel};
    EXPECT_FALSE(h.app->frame().close());
    EXPECT_EQ(h.prompter.texts(), std::vector<std::string>{"save?无标题"});
    h.prompter.save = {SaveAnswer::No};
    EXPECT_TRUE(h.app->frame().close());
}

TEST(Document, RecentFilesAndNothingElseGoToTheProfile) {
    Harness h;
    QTemporaryDir dir;
    for (int i = 1; i <= 5; ++i) {
        WriteFile(dir.filePath(QString("f%1.txt").arg(i)), "x");
    }
    ASSERT_TRUE(h.app->InitInstance({}));
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(h.app->document().OpenDocumentFile(dir.filePath(QString("f%1.txt").arg(i))));
    }
    CommSettings changed;
    changed.m_nBaud = 4;
    h.app->view().setCommSettings(changed);
    h.app->frame().close();
    QSettings profile(QSettings::NativeFormat, QSettings::UserScope,
                      "Local AppWizard-Generated Applications", "VRK410");
    EXPECT_EQ(profile.allKeys(), (QStringList{"Recent File List/File1", "Recent File List/File2",
                                              "Recent File List/File3", "Recent File List/File4"}));
    EXPECT_EQ(profile.value("Recent File List/File1").toString(), dir.filePath("f5.txt"));
    EXPECT_EQ(profile.value("Recent File List/File4").toString(), dir.filePath("f2.txt"));
    EXPECT_NE(h.app->frame().command(ids::kFileMru), nullptr);
}

TEST(Document, SettingsSurviveNewAndOpen) {
    Harness h;
    QTemporaryDir dir;
    WriteFile(dir.filePath("a.txt"), "a");
    ASSERT_TRUE(h.app->InitInstance({}));
    EXPECT_EQ(h.app->view().commSettings(), CommSettings{});
    CommSettings changed;
    changed.m_nPort = 2;
    changed.m_nRecvDelay = 30;
    h.app->view().setCommSettings(changed);
    h.app->document().OnFileNew();
    ASSERT_TRUE(h.app->document().OpenDocumentFile(dir.filePath("a.txt")));
    EXPECT_EQ(h.app->view().commSettings(), changed);
}

TEST(Document, CommandLineFailures) {
    Harness h;
    EXPECT_FALSE(h.app->InitInstance({"/nonexistent/file.txt"}));
    EXPECT_EQ(h.prompter.texts(),
              std::vector<std::string>{"打开文档失败。\n文件夹 /nonexistent 不存在。"});
    EXPECT_FALSE(h.app->InitInstance({"/p"}));
}

TEST(Printing, PrintSwitchWritesThePdfAndAsksToExit) {
    Harness h;
    QTemporaryDir dir;
    const QString in = dir.filePath("pts.txt");
    WriteFile(in,
              "\xBF\xD8\xD6\xC6\xB5\xE3"
              "1,1000.000,2000.000,50.000\r\n");
    const QString pdf = dir.filePath("out.pdf");
    bool exitNow = false;
    ASSERT_TRUE(h.app->InitInstance({"/pt", in, pdf}, &exitNow));
    EXPECT_TRUE(exitNow);
    EXPECT_FALSE(h.app->frame().isVisible());
    const std::string bytes = ReadFile(pdf);
    ASSERT_GT(bytes.size(), 500u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
}

}  // namespace
