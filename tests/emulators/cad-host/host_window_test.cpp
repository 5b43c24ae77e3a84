#include "host_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "cadhost/host_functions.h"
#include "modal_dialog_answerer.h"

namespace {

class HostWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cadhost::setOutputSink([this](std::string_view text, cadhost::TextOrigin origin) {
            window.appendOutput(text, origin);
        });
        window.show();
    }
    void TearDown() override { cadhost::setOutputSink({}); }

    void type(const QString& line) {
        auto* input = window.findChild<QLineEdit*>(QStringLiteral("commandInput"));
        input->setText(line);
        QTest::keyClick(input, Qt::Key_Return);
    }
    QString history() const {
        return window.findChild<QPlainTextEdit*>(QStringLiteral("commandHistory"))->toPlainText();
    }
    QString prompt() const {
        return window.findChild<QLabel*>(QStringLiteral("commandPrompt"))->text();
    }

    cadhost::DialogScript dialogs;
    cadhost::CommandProcessor processor{dialogs};
    cadhost::HostWindow window{processor};
};

// accept() that refuses to close, as a dialog does whose save failed.
class StubbornDialog : public QDialog {
  public:
    void accept() override { ++accepts; }
    int accepts = 0;
};

}  // namespace

TEST_F(HostWindowTest, EchoesInputShowsOutputAndFollowsTheWaitingCommandsQuestion) {
    EXPECT_EQ(prompt(), QStringLiteral("Command: "));
    type(QStringLiteral("help"));
    EXPECT_TRUE(history().contains(QStringLiteral("Command: help\nCommands of the host:")));
    type(QStringLiteral("APPLOAD"));
    EXPECT_EQ(prompt(), QStringLiteral("Application file to load: "));
    auto* input = window.findChild<QLineEdit*>(QStringLiteral("commandInput"));
    QTest::keyClick(input, Qt::Key_Escape);
    EXPECT_TRUE(history().endsWith(QStringLiteral("*Cancel*\n")));
    EXPECT_EQ(prompt(), QStringLiteral("Command: "));
    QTest::keyClick(input, Qt::Key_Up);
    EXPECT_EQ(input->text(), QStringLiteral("APPLOAD"));
    QTest::keyClick(input, Qt::Key_Up);
    EXPECT_EQ(input->text(), QStringLiteral("help"));
    QTest::keyClick(input, Qt::Key_Down);
    QTest::keyClick(input, Qt::Key_Down);
    EXPECT_EQ(input->text(), QString());
}

TEST_F(HostWindowTest, ShowsPluginTextAsChineseAndHostLinesStartFresh) {
    acutPrintf("%s", "\n\xc3\xbb\xd3\xd0\xd5\xd2\xb5\xbd INDEX.INI");
    type(QStringLiteral("nosuch"));
    EXPECT_TRUE(history().contains(QString::fromUtf8("\n没有找到 INDEX.INI\nCommand: nosuch\n")))
        << history().toStdString();
}

TEST(ModalDialogAnswerer, UsesTheNextAnswerUntilTheDialogIsClosed) {
    cadhost::DialogScript script;
    script.push({cadhost::DialogAnswer::Kind::Ok, {}});
    script.push({cadhost::DialogAnswer::Kind::Cancel, {}});
    cadhost::ModalDialogAnswerer answerer(script, false);
    qApp->installEventFilter(&answerer);
    std::string output;
    cadhost::setOutputSink([&](std::string_view text, cadhost::TextOrigin) { output += text; });

    StubbornDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Probe"));
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(dialog.accepts, 1);
    EXPECT_NE(output.find("Dialog \"Probe\" opened."), std::string::npos);
    EXPECT_NE(output.find("Dialog \"Probe\" stayed open."), std::string::npos);
    EXPECT_EQ(script.size(), 0u);

    qApp->removeEventFilter(&answerer);
    cadhost::setOutputSink({});
}

TEST(ModalDialogAnswerer, WithoutAnswersCancelsOnlyWhereNobodyCanClick) {
    cadhost::DialogScript script;
    std::string output;
    cadhost::setOutputSink([&](std::string_view text, cadhost::TextOrigin) { output += text; });
    {
        cadhost::ModalDialogAnswerer console(script, true);
        qApp->installEventFilter(&console);
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Nobody"));
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_NE(output.find("No answer for dialog \"Nobody\": cancelled."), std::string::npos);
        qApp->removeEventFilter(&console);
    }
    {
        cadhost::ModalDialogAnswerer window(script, false);
        qApp->installEventFilter(&window);
        QDialog dialog;
        bool stillOpen = false;
        QTimer::singleShot(100, &dialog, [&] {
            stillOpen = dialog.isVisible();
            dialog.accept();
        });
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_TRUE(stillOpen);
        qApp->removeEventFilter(&window);
    }
    cadhost::setOutputSink({});
}

TEST(ModalDialogAnswerer, SavesAPictureBeforeTheNextAnswer) {
    const std::filesystem::path picture =
        std::filesystem::temp_directory_path() / "cadhost-answerer-shot.png";
    std::filesystem::remove(picture);
    cadhost::DialogScript script;
    script.push({cadhost::DialogAnswer::Kind::Shot, picture.string()});
    script.push({cadhost::DialogAnswer::Kind::Cancel, {}});
    cadhost::ModalDialogAnswerer answerer(script, true);
    qApp->installEventFilter(&answerer);
    cadhost::setOutputSink([](std::string_view, cadhost::TextOrigin) {});
    QDialog dialog;
    dialog.resize(200, 100);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(std::filesystem::exists(picture));
    EXPECT_GT(std::filesystem::file_size(picture), 0u);
    std::filesystem::remove(picture);
    qApp->removeEventFilter(&answerer);
    cadhost::setOutputSink({});
}
