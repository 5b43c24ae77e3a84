// The real Qt dialogs, offscreen, each answered by a timer that reads what it shows.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "serial/port_mapping.h"
#include "shell/dialogs/message_box_prompter.h"
#include "shell/dialogs/port_map_dlg.h"
#include "shell/dialogs/qt_shell_dialogs.h"
#include "shell/printing/print_setup_dlg.h"
#include "shell/qt_chinese.h"
#include "shell/windows/command_ids.h"

namespace {

using namespace vrk;

// Runs `inspect` on the first modal dialog of type T that appears, then lets it close.
template <class T>
void AnswerModal(const std::function<void(T*)>& inspect) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            inspect(dialog);
        }
    });
    timer->start();
}

bool QtChineseInstalled() {
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                         QStringLiteral("/qtbase_zh_CN.qm"));
}

TEST(QtDialogs, QuestionButtonsAndTheOpenDialogAreChineseAndListEveryFile) {
    if (!QtChineseInstalled()) {
        GTEST_SKIP() << "Qt's Chinese translations (qt6-translations-l10n) are not installed";
    }
    ASSERT_TRUE(InstallQtChinese(*QCoreApplication::instance()));

    MessageBoxPrompter prompter;
    QStringList buttons;
    AnswerModal<QMessageBox>([&](QMessageBox* box) {
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
        }
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(prompter.askYesNo("文本尚未存盘,是否继续?"));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QString::fromUtf8("否(&N)"), QString::fromUtf8("是(&Y)")}));

    QStringList okButton;
    AnswerModal<QMessageBox>([&](QMessageBox* box) {
        okButton << box->buttons().value(0)->text();
        box->accept();
    });
    prompter.showMessage("通讯结束");
    EXPECT_EQ(okButton, QStringList{QString::fromUtf8("确定")});

    // Files without an extension, the default name among them, are listed.
    QTemporaryDir dir;
    for (const char* name : {"无标题", "survey", "pcode.txt"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QStringList listed;
    QString cancelText;
    AnswerModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
        QTimer::singleShot(300, dialog, [&listed, &cancelText, dialog, view] {
            for (int row = 0; view != nullptr && row < view->model()->rowCount(view->rootIndex());
                 ++row) {
                listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            }
            for (auto* button : dialog->findChildren<QPushButton*>()) {
                cancelText += button->text() + QLatin1Char('|');
            }
            dialog->reject();
        });
    });
    QtShellDialogs dialogs(prompter);
    EXPECT_FALSE(dialogs.chooseOpenFile(nullptr).has_value());
    QDir::setCurrent(previous);
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"pcode.txt", "survey", QString::fromUtf8("无标题")}));
    EXPECT_TRUE(cancelText.contains(QString::fromUtf8("取消"))) << cancelText.toStdString();
}

TEST(QtDialogs, PortMappingOffersTheDefaultAndKeepsATypedPath) {
    QTemporaryDir profile;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());
    qputenv("XDG_CONFIG_HOME", profile.path().toLocal8Bit());
    PortMapping before;
    before.deviceFor(2) = "/dev/pts/7";
    ASSERT_TRUE(SavePortMapping(before));

    CPortMapDlg dialog;
    dialog.setFrom(LoadPortMapping());
    QComboBox* com1 = dialog.comboFor(1);
    ASSERT_EQ(com1, dialog.findChild<QComboBox*>(QString::number(ids::kPortMapFirst)));
    EXPECT_EQ(com1->itemText(0), QString::fromUtf8("默认 (/dev/ttyS0)"));
    EXPECT_EQ(com1->currentIndex(), 0);
    EXPECT_EQ(dialog.comboFor(2)->currentText(), "/dev/pts/7");
    dialog.comboFor(3)->setEditText("/dev/ttyUSB0 ");
    if (const char* shot = std::getenv("VRK410_PORTMAP_SCREENSHOT")) {
        dialog.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.grab().save(QString::fromLocal8Bit(shot)));
    }
    dialog.refresh();  // a re-listing keeps what each row holds
    const PortMapping after = dialog.values();
    EXPECT_EQ(after.deviceFor(1), "");
    EXPECT_EQ(after.deviceFor(2), "/dev/pts/7");
    EXPECT_EQ(after.deviceFor(3), "/dev/ttyUSB0");

    ASSERT_TRUE(SavePortMapping(after));
    EXPECT_EQ(LoadPortMapping().devices, after.devices);
    // The program's profile keeps only what it always held.
    QSettings profileFile(QSettings::NativeFormat, QSettings::UserScope,
                          "Local AppWizard-Generated Applications", "VRK410");
    EXPECT_TRUE(profileFile.allKeys().isEmpty());
}

// 打印设置 chooses the paper of the printer that 打印 and 打印预览 then use.
TEST(QtDialogs, PrintSetupSetsThePaperOfTheProgramsPrinter) {
    QPrinter printer;
    CPrintSetupDlg dialog(printer);
    auto* paper = dialog.findChild<QComboBox*>(QStringLiteral("paper"));
    ASSERT_NE(paper, nullptr);
    paper->setCurrentIndex(paper->findData(static_cast<int>(QPageSize::A3)));
    for (auto* button : dialog.findChildren<QRadioButton*>()) {
        button->setChecked(button->text().startsWith(QString::fromUtf8("横向")));
    }
    dialog.accept();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

}  // namespace
