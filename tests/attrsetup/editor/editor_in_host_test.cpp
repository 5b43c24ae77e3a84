// The dialog as the CAD host runs it: the plug-in loaded by cadhost in console mode, the data
// files on its support path, the dialog answered by the host's DIALOG command.
#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

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

}  // namespace
