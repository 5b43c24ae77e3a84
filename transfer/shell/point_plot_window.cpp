#include "shell/point_plot_window.h"

#include <QBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>

#include "shell/command_ids.h"
#include "shell/edit_text_services.h"
#include "shell/export_dlg.h"
#include "shell/export_texts.h"
#include "shell/point_plot_canvas.h"
#include "shell/point_plot_texts.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_prompter.h"
#include "shell/vrk410_view.h"
#include "survey/delf_point_list.h"

namespace vrk {

namespace {

constexpr int kCoordDecimals = 3;
constexpr int kPdfResolution = 300;

QString Metres(double value) {
    return QString::number(value, 'f', kCoordDecimals);
}

QPushButton* AddButton(QBoxLayout* row, const char* text, int id) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::number(id));
    row->addWidget(button);
    return button;
}

}  // namespace

PointPlotWindow::PointPlotWindow(CVRK410View& view, ShellDialogs& dialogs, QPrinter& printer,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), view_(view), dialogs_(dialogs), printer_(printer) {
    setObjectName(QString::number(ids::kViewPointPlot));
    setWindowTitle(QString::fromUtf8(texts::kPlotTitle));
    heading_ = new QLabel;
    canvas_ = new PointPlotCanvas;
    pointInfo_ = new QLabel;
    cursorInfo_ = new QLabel;
    pointInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(heading_, 1);
    connect(AddButton(buttons, texts::kPlotFit, ids::kPlotFit), &QPushButton::clicked, canvas_,
            &PointPlotCanvas::fitAll);
    connect(AddButton(buttons, texts::kPlotPrint, ids::kPlotPrint), &QPushButton::clicked, this,
            &PointPlotWindow::print);
    connect(AddButton(buttons, texts::kPlotSave, ids::kPlotSave), &QPushButton::clicked, this,
            &PointPlotWindow::saveAs);
    connect(AddButton(buttons, texts::kExportButton, ids::kPlotExport), &QPushButton::clicked, this,
            [this] { pointInfo_->setText(ShowExportDialog(this, view_, dialogs_)); });
    auto* status = new QHBoxLayout;
    status->addWidget(pointInfo_, 1);
    status->addWidget(cursorInfo_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(canvas_, 1);
    layout->addLayout(status);

    connect(canvas_, &PointPlotCanvas::groundUnderCursor, this, [this](double y, double x) {
        cursorInfo_->setText(QString::fromUtf8(texts::kPlotCursor).arg(Metres(y), Metres(x)));
    });
    connect(canvas_, &PointPlotCanvas::pointClicked, this, &PointPlotWindow::selectPoint);
    follow_.setSingleShot(true);
    follow_.setInterval(kFollowDelayMs);
    connect(&follow_, &QTimer::timeout, this, &PointPlotWindow::reload);
    connect(&view_, &QPlainTextEdit::textChanged, &follow_, qOverload<>(&QTimer::start));
    resize(720, 560);
    reload();
}

void PointPlotWindow::reload() {
    follow_.stop();
    SurveyPointList list = ReadDelfPoints(view_.rawText().bytes);
    heading_->setText(QString::fromUtf8(texts::kPlotHeading)
                          .arg(list.points.size())
                          .arg(list.skippedLines.size()));
    // The first reading fits; later ones keep the user's zoom unless there was nothing to see.
    const bool fit = !fitted_ || canvas_->points().empty();
    fitted_ = fitted_ || !list.points.empty();
    canvas_->setPoints(std::move(list.points), fit);
}

void PointPlotWindow::selectPoint(std::size_t index) {
    const auto& points = canvas_->points();
    if (index >= points.size()) {
        return;
    }
    const SurveyPoint& point = points[index];
    pointInfo_->setText(QString::fromUtf8(texts::kPlotPoint)
                            .arg(ViewStringOf(point.name), ViewStringOf(point.code),
                                 Metres(point.y), Metres(point.x), Metres(point.h))
                            .arg(point.line));
    canvas_->setHighlighted(index);
    view_.textServices().moveCaret(point.offset);
    view_.ensureCursorVisible();
}

void PointPlotWindow::print() {
    if (!dialogs_.choosePrinter(this, printer_)) {
        return;
    }
    QPainter painter(&printer_);
    canvas_->renderTo(painter, QRectF(0, 0, printer_.width(), printer_.height()));
}

void PointPlotWindow::saveAs() {
    const std::optional<QString> chosen =
        dialogs_.chooseSaveFile(this, QString::fromUtf8(texts::kPlotSuggestedFile));
    if (!chosen) {
        return;
    }
    if (!saveTo(*chosen)) {
        view_.prompter().showMessage(
            QString::fromUtf8(texts::kPlotCannotSave).arg(*chosen).toStdString());
    }
}

// Written through QSaveFile: an existing file is replaced only by a complete new one.
bool PointPlotWindow::saveTo(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QPdfWriter pdf(&file);
        pdf.setResolution(kPdfResolution);
        pdf.setTitle(QString::fromUtf8(texts::kPlotTitle));
        QPainter painter(&pdf);
        canvas_->renderTo(painter, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
        painter.end();
    } else {
        QImage image(canvas_->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        canvas_->renderTo(painter, QRectF(image.rect()));
        painter.end();
        if (!image.save(&file, "PNG")) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

}  // namespace vrk
