#include "shell/plot/point_plot_window.h"

#include <QBoxLayout>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>

#include "files/file_writer.h"
#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"
#include "shell/export/export_dlg.h"
#include "shell/export/export_texts.h"
#include "shell/plot/point_plot_canvas.h"
#include "shell/plot/point_plot_texts.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/edit_text_services.h"
#include "shell/windows/file_failure_reason.h"
#include "shell/windows/vrk410_view.h"
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

CPointPlotWindow::CPointPlotWindow(CVRK410View& view, ShellDialogs& dialogs, QPrinter& printer,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), view_(view), dialogs_(dialogs), printer_(printer) {
    setObjectName(QString::number(ids::kViewPointPlot));
    setWindowTitle(QString::fromUtf8(texts::kPlotTitle));
    heading_ = new QLabel;
    canvas_ = new CPointPlotCanvas;
    pointInfo_ = new QLabel;
    cursorInfo_ = new QLabel;
    pointInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(heading_, 1);
    connect(AddButton(buttons, texts::kPlotFit, ids::kPlotFit), &QPushButton::clicked, canvas_,
            &CPointPlotCanvas::fitAll);
    connect(AddButton(buttons, texts::kPlotPrint, ids::kPlotPrint), &QPushButton::clicked, this,
            &CPointPlotWindow::print);
    connect(AddButton(buttons, texts::kPlotSave, ids::kPlotSave), &QPushButton::clicked, this,
            &CPointPlotWindow::saveAs);
    connect(AddButton(buttons, texts::kExportButton, ids::kPlotExport), &QPushButton::clicked, this,
            [this] { pointInfo_->setText(ShowExportDialog(this, view_, dialogs_)); });
    auto* status = new QHBoxLayout;
    status->addWidget(pointInfo_, 1);
    status->addWidget(cursorInfo_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(canvas_, 1);
    layout->addLayout(status);

    connect(canvas_, &CPointPlotCanvas::groundUnderCursor, this, [this](double y, double x) {
        cursorInfo_->setText(QString::fromUtf8(texts::kPlotCursor).arg(Metres(y), Metres(x)));
    });
    connect(canvas_, &CPointPlotCanvas::pointClicked, this, &CPointPlotWindow::selectPoint);
    follow_.setSingleShot(true);
    follow_.setInterval(kFollowDelayMs);
    connect(&follow_, &QTimer::timeout, this, &CPointPlotWindow::reload);
    connect(&view_, &QPlainTextEdit::textChanged, &follow_, qOverload<>(&QTimer::start));
    resize(720, 560);
    reload();
}

void CPointPlotWindow::reload() {
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

void CPointPlotWindow::selectPoint(std::size_t index) {
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

void CPointPlotWindow::print() {
    if (!dialogs_.choosePrinter(this, printer_)) {
        return;
    }
    QPainter painter(&printer_);
    canvas_->renderTo(painter, QRectF(0, 0, printer_.width(), printer_.height()));
}

void CPointPlotWindow::saveAs() {
    const std::optional<QString> chosen =
        dialogs_.chooseSaveFile(this, QString::fromUtf8(texts::kPlotSuggestedFile));
    if (!chosen) {
        return;
    }
    if (const FileResult saved = saveTo(*chosen); !saved.ok()) {
        view_.prompter().showMessage((QString::fromUtf8(texts::kPlotCannotSave).arg(*chosen) +
                                      QLatin1Char('\n') + SaveFailureReason(*chosen, saved))
                                         .toStdString());
    }
}

// Drawn into memory first, then written by the file writer like every file the program saves.
FileResult CPointPlotWindow::saveTo(const QString& path) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QPdfWriter pdf(&buffer);
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
        image.save(&buffer, "PNG");
    }
    const QByteArray& bytes = buffer.data();
    return WriteFile(LocalPath(path),
                     std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace vrk
