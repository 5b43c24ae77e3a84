#include "shell/printing/print_setup_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/dialogs/dialog_buttons.h"
#include "shell/windows/command_ids.h"

namespace vrk {

namespace {

constexpr auto kPrintSetupTitle = "打印设置";
constexpr auto kNoPrinter = "（未找到打印机）";
constexpr QPageSize::PageSizeId kPaperSizes[] = {QPageSize::A4,     QPageSize::A3,
                                                 QPageSize::A5,     QPageSize::B5,
                                                 QPageSize::Letter, QPageSize::Legal};

}  // namespace

CPrintSetupDlg::CPrintSetupDlg(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer) {
    setObjectName(QString::number(ids::kFilePageSetup));
    setWindowTitle(QString::fromUtf8(kPrintSetupTitle));
    auto* form = new QFormLayout;

    printers_ = new QComboBox;
    printers_->setObjectName(QStringLiteral("printer"));
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty()) {
        printers_->addItem(QString::fromUtf8(kNoPrinter), QString());
        printers_->setEnabled(false);
    }
    for (const QString& name : names) {
        printers_->addItem(name, name);
    }
    const QString current = printer_.printerName().isEmpty() ? QPrinterInfo::defaultPrinterName()
                                                             : printer_.printerName();
    printers_->setCurrentIndex(std::max(0, printers_->findData(current)));
    form->addRow(QString::fromUtf8("打印机(&N)："), printers_);

    paper_ = new QComboBox;
    paper_->setObjectName(QStringLiteral("paper"));
    for (const QPageSize::PageSizeId id : kPaperSizes) {
        paper_->addItem(QPageSize::name(id), static_cast<int>(id));
    }
    const int paperIndex =
        paper_->findData(static_cast<int>(printer_.pageLayout().pageSize().id()));
    paper_->setCurrentIndex(std::max(0, paperIndex));
    form->addRow(QString::fromUtf8("纸张大小(&Z)："), paper_);

    portrait_ = new QRadioButton(QString::fromUtf8("纵向(&O)"));
    landscape_ = new QRadioButton(QString::fromUtf8("横向(&A)"));
    (printer_.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)
        ->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);
    form->addRow(QString::fromUtf8("方向："), orientation);

    QDialogButtonBox* buttons = MakeOkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CPrintSetupDlg::accept() {
    const QString name = printers_->currentData().toString();
    if (!name.isEmpty()) {
        printer_.setPrinterName(name);
    }
    printer_.setPageSize(
        QPageSize(static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt())));
    printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
    QDialog::accept();
}

}  // namespace vrk
