#include "shell/dialogs/about_dlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "shell/windows/command_ids.h"
#include "shell/windows/shell_texts.h"

namespace vrk {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(ids::kAboutDialog));
    setWindowTitle(QString::fromUtf8(texts::kAboutTitle));
    auto* icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    auto* ok = new QPushButton(QString::fromUtf8(texts::kOk));
    ok->setObjectName(QString::number(ids::kIdOk));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(new QLabel(QString::fromUtf8(texts::kAboutLine1)), 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(texts::kAboutLine2)), 1, 1);
    grid->addWidget(ok, 0, 2);
}

}  // namespace vrk
