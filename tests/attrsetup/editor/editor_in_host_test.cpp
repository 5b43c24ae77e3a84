// The dialog as the CAD host runs it: the plug-in loaded by cadhost in console mode, the data
// files on its support path, the dialog answered by the host's DIALOG command.
#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "schema/gbk_text.h"

namespace {

class EditorInHostTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void writeFile(const char* name, const std::string& bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string readFile(const char* name) const {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::ReadOnly)) {
            return "<missing>";
        }
        const QByteArray bytes = file.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }

    // Runs the script in cadhost and answers its console output as UTF-8 text.
    QString run(const QString& script) {
        QProcess host;
        host.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("ACAD"));
        host.setProcessEnvironment(environment);
        host.start(QStringLiteral(CADHOST_PATH),
                   {QStringLiteral("--console"), QStringLiteral("--support-path"), dir.path()});
        EXPECT_TRUE(host.waitForStarted());
        host.write(script.toUtf8());
        host.closeWriteChannel();
        EXPECT_TRUE(host.waitForFinished(60000));
        return QString::fromUtf8(host.readAll());
    }
    // Starts cadhost on the same folder without waiting for it.
    std::unique_ptr<QProcess> start(const QString& script) {
        auto host = std::make_unique<QProcess>();
        host->setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("ACAD"));
        host->setProcessEnvironment(environment);
        host->start(QStringLiteral(CADHOST_PATH),
                    {QStringLiteral("--console"), QStringLiteral("--support-path"), dir.path()});
        EXPECT_TRUE(host->waitForStarted());
        host->write(script.toUtf8());
        // Without an event loop nothing reaches the process until asked for.
        EXPECT_TRUE(host->waitForBytesWritten(10000));
        host->closeWriteChannel();
        return host;
    }
    bool waitForFile(const QString& name) const {
        for (int i = 0; i < 6000; ++i) {
            if (QFile::exists(dir.filePath(name))) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    // The first administrator's dialog stays open for a few pictures' time, then is answered.
    QString holdOpen(int pictures, const QString& then) const {
        QString script = load();
        for (int i = 1; i <= pictures; ++i) {
            script += QStringLiteral("DIALOG SHOT %1\n")
                          .arg(dir.filePath(QStringLiteral("shot%1.png").arg(i)));
        }
        return script + then + QStringLiteral("QUORBEL\n");
    }
    static QString load() {
        return QStringLiteral("APPLOAD %1\n").arg(QStringLiteral(QUORBEL_ARX_PATH));
    }

    QTemporaryDir dir;
};

// Loose input: LF line ends, remarks, an explicit NULL token, a type 3 field with a dictionary.
constexpr const char* kLooseDef =
    "*房屋,3,NULL,房屋 面\n"
    "  名称,0,20,0,名称,TBL_LandUseCode\n"
    "  面积,3,12,2,面积,TBL_LandUseCode\n"
    "*道路,2,道路\n"
    "[END]\n";
constexpr const char* kLooseIndex =
    "; remark\n"
    "140101,area1,0,一般房屋,0,房屋\n"
    "160101,line1,1.23456,国道,0\n"
    "END\n";

TEST_F(EditorInHostTest, OkRewritesBothFilesCanonically) {
    writeFile("attribute.def", quorbel::utf8ToGbk(kLooseDef));
    writeFile("INDEX.INI", quorbel::utf8ToGbk(kLooseIndex));
    const QString output = run(load() + QStringLiteral("DIALOG OK\nQUORBEL\n"));
    EXPECT_TRUE(output.contains(QString::fromUtf8("属性结构设置"))) << output.toStdString();
    EXPECT_EQ(readFile("attribute.def"), quorbel::utf8ToGbk("*房屋,3,房屋 面\r\n"
                                                            "  名称,0,20,0,名称,TBL_LandUseCode\r\n"
                                                            "  面积,3,12,2,面积\r\n"
                                                            "\r\n"
                                                            "*道路,2,道路\r\n"
                                                            "\r\n"
                                                            "[END]\r\n"));
    EXPECT_EQ(readFile("INDEX.INI"), quorbel::utf8ToGbk("140101,area1,0.0000,一般房屋,0,房屋\r\n"
                                                        "160101,line1,1.2346,国道,0\r\n"
                                                        "END\r\n"));
}

TEST_F(EditorInHostTest, CancelWritesNothingAndAMissingFileKeepsTheDialogOpen) {
    writeFile("attribute.def", quorbel::utf8ToGbk(kLooseDef));
    writeFile("INDEX.INI", quorbel::utf8ToGbk(kLooseIndex));
    run(load() + QStringLiteral("DIALOG CANCEL\nQUORBEL\n"));
    EXPECT_EQ(readFile("attribute.def"), quorbel::utf8ToGbk(kLooseDef));
    EXPECT_EQ(readFile("INDEX.INI"), quorbel::utf8ToGbk(kLooseIndex));

    QFile::remove(dir.filePath(QStringLiteral("attribute.def")));
    const QString output = run(load() + QStringLiteral("DIALOG OK\nDIALOG CANCEL\nQUORBEL\n"));
    EXPECT_TRUE(output.contains(QString::fromUtf8("没有找到属性文件!"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QString::fromUtf8("没有找到attribute.def文件!")))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("stayed open"))) << output.toStdString();
    EXPECT_EQ(readFile("INDEX.INI"), quorbel::utf8ToGbk(kLooseIndex));
}

TEST_F(EditorInHostTest, EachOpeningReadsTheFilesAgainAlsoAfterAnUnload) {
    writeFile("attribute.def", quorbel::utf8ToGbk(kLooseDef));
    writeFile("INDEX.INI", quorbel::utf8ToGbk(kLooseIndex));
    const QString output =
        run(load() + QStringLiteral("DIALOG CANCEL\nQUORBEL\nARX UNLOAD quorbel.arx\n") + load() +
            QStringLiteral("DIALOG OK\nquorbel\n"));
    EXPECT_EQ(output.count(QString::fromUtf8("Dialog \"属性结构设置\" opened.")), 2)
        << output.toStdString();
    EXPECT_EQ(readFile("INDEX.INI"), quorbel::utf8ToGbk("140101,area1,0.0000,一般房屋,0,房屋\r\n"
                                                        "160101,line1,1.2346,国道,0\r\n"
                                                        "END\r\n"));
}

// Two administrators: the second opener is told who edits, and may look but not change.
TEST_F(EditorInHostTest, TheSecondOpenerIsToldOfTheFirstAndOpensReadOnly) {
    writeFile("attribute.def", quorbel::utf8ToGbk(kLooseDef));
    writeFile("INDEX.INI", quorbel::utf8ToGbk(kLooseIndex));
    auto first = start(holdOpen(20, QStringLiteral("DIALOG CANCEL\n")));
    ASSERT_TRUE(waitForFile(QStringLiteral("shot1.png")));
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral(".quorbel.lock"))));

    const QString second = run(load() + QStringLiteral("DIALOG OK\nDIALOG OK\nQUORBEL\n"));
    EXPECT_TRUE(second.contains(QString::fromUtf8("Dialog \"属性结构设置(只读)\" opened.")))
        << second.toStdString();
    EXPECT_EQ(readFile("INDEX.INI"), quorbel::utf8ToGbk(kLooseIndex));
    // Cancel on the question does not open the dialog at all.
    const QString third = run(load() + QStringLiteral("DIALOG CANCEL\nQUORBEL\n"));
    EXPECT_EQ(third.count(QStringLiteral("opened.")), 1) << third.toStdString();

    ASSERT_TRUE(first->waitForFinished(60000));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral(".quorbel.lock"))));
}

// INDEX.INI changed by someone else while the dialog was open: 取消 keeps theirs and the dialog,
// 覆盖 writes ours.
TEST_F(EditorInHostTest, FilesChangedWhileOpenAreOverwrittenOnlyWhenTheUserSaysSo) {
    const std::string theirs = quorbel::utf8ToGbk("160101,line1,0.0000,国道,0,道路\r\nEND\r\n");
    for (const bool overwrite : {false, true}) {
        writeFile("attribute.def", quorbel::utf8ToGbk(kLooseDef));
        writeFile("INDEX.INI", quorbel::utf8ToGbk(kLooseIndex));
        for (const char* shot : {"shot1.png", "shot2.png", "shot3.png"}) {
            QFile::remove(dir.filePath(QString::fromLatin1(shot)));
        }
        auto host = start(holdOpen(3, overwrite ? QStringLiteral("DIALOG OK\nDIALOG OK\n")
                                                : QStringLiteral("DIALOG OK\nDIALOG CANCEL\n"
                                                                 "DIALOG CANCEL\n")));
        ASSERT_TRUE(waitForFile(QStringLiteral("shot1.png")));
        writeFile("INDEX.INI", theirs);
        ASSERT_TRUE(host->waitForFinished(60000));
        const QString output = QString::fromUtf8(host->readAll());
        EXPECT_TRUE(output.contains(QString::fromUtf8("Dialog \"文件已被修改\" opened.")))
            << output.toStdString();
        if (overwrite) {
            EXPECT_EQ(readFile("INDEX.INI"),
                      quorbel::utf8ToGbk("140101,area1,0.0000,一般房屋,0,房屋\r\n"
                                         "160101,line1,1.2346,国道,0\r\n"
                                         "END\r\n"));
        } else {
            EXPECT_TRUE(output.contains(QStringLiteral("stayed open"))) << output.toStdString();
            EXPECT_EQ(readFile("INDEX.INI"), theirs);
            EXPECT_EQ(readFile("attribute.def"), quorbel::utf8ToGbk(kLooseDef));
        }
    }
}

}  // namespace
