#include "shell/dialogs/qt_shell_dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "shell/dialogs/about_dlg.h"
#include "shell/dialogs/comm_settings_dlg.h"
#include "shell/dialogs/port_map_dlg.h"
#include "shell/printing/print_setup_dlg.h"
#include "shell/windows/shell_texts.h"

namespace vrk {

namespace {

std::optional<QString> Chosen(const QString& name) {
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return name;
}

}  // namespace

std::optional<QString> QtShellDialogs::chooseOpenFile(QWidget* parent) {
    return Chosen(
        QFileDialog::getOpenFileName(parent, {}, {}, QString::fromUtf8(texts::kAllFiles)));
}

std::optional<QString> QtShellDialogs::chooseSaveFile(QWidget* parent, const QString& suggested) {
    return Chosen(
        QFileDialog::getSaveFileName(parent, {}, suggested, QString::fromUtf8(texts::kAllFiles)));
}

bool QtShellDialogs::editCommSettings(QWidget* parent, CommSettings& settings) {
    CCommSettingsDlg dialog(prompter_, parent);
    dialog.setFrom(settings);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    settings = dialog.values();
    return true;
}

bool QtShellDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtShellDialogs::pageSetup(QWidget* parent, QPrinter& printer) {
    CPrintSetupDlg dialog(printer, parent);
    dialog.exec();
}

void QtShellDialogs::preview(QWidget* parent, QPrinter& printer, int& pages,
                             const std::function<void(QPrinter*)>& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    auto* view = dialog.findChild<QPrintPreviewWidget*>();
    if (view != nullptr && pages == 2) {
        view->setViewMode(QPrintPreviewWidget::FacingPagesView);
    }
    dialog.exec();
    if (view != nullptr) {
        pages = view->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1;
    }
}

void QtShellDialogs::about(QWidget* parent) {
    CAboutDlg dialog(parent);
    dialog.exec();
}

bool QtShellDialogs::editPortMapping(QWidget* parent) {
    CPortMapDlg dialog(parent);
    dialog.setFrom(LoadPortMapping());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (!SavePortMapping(dialog.values())) {
        prompter_.showMessage("端口映射未能保存：无法写入 " + PortMappingFile() +
                              "，原来的映射仍然有效。");
        return false;
    }
    return true;
}

}  // namespace vrk
