#include "shell/plot/point_plot_canvas.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "shell/plot/point_plot_texts.h"
#include "shell/windows/edit_text_services.h"
#include "survey/label_placement.h"

namespace vrk {

namespace {

constexpr double kFitMargin = 30.0;
constexpr double kPickReach = 8.0;
constexpr double kDragThreshold = 3.0;
constexpr double kZoomPerWheelStep = 1.25;
constexpr double kWheelStep = 120.0;
constexpr double kPointSize = 4.0;
constexpr double kHighlightRadius = 7.0;
constexpr double kLabelGap = 4.0;
constexpr double kLabelCell = 4.0;
constexpr double kScaleBarMaxPixels = 120.0;
constexpr double kDecorationInset = 16.0;
constexpr double kArrowLength = 36.0;
const QColor kPointColour(0xc0, 0x20, 0x20);

// Widths to estimate a label by without measuring it: one wide Latin letter for each ASCII byte,
// half a Chinese character for each other byte (a GBK character takes two). No estimate is
// smaller than the label, so kept labels never overlap.
struct LabelWidths {
    double asciiByte = 0.0;
    double otherByte = 0.0;

    explicit LabelWidths(const QFontMetricsF& metrics)
        : asciiByte(metrics.horizontalAdvance(QLatin1Char('W'))),
          otherByte(metrics.horizontalAdvance(QChar(0x4E2D)) / 2) {}

    double of(const std::string& name) const {
        const auto other = std::count_if(
            name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        return static_cast<double>(name.size() - static_cast<std::size_t>(other)) * asciiByte +
               static_cast<double>(other) * otherByte;
    }
};

}  // namespace

CPointPlotCanvas::CPointPlotCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAutoFillBackground(false);
    setMinimumSize(200, 150);
}

void CPointPlotCanvas::setPoints(std::vector<SurveyPoint> points, bool fit) {
    points_ = std::move(points);
    highlighted_.reset();
    if (fit || fitting_) {
        fitAll();
    } else {
        update();
    }
}

void CPointPlotCanvas::setHighlighted(std::optional<std::size_t> index) {
    highlighted_ = index;
    update();
}

void CPointPlotCanvas::fitAll() {
    fitting_ = true;
    transform_.fit(BoundsOf(points_), width(), height(), kFitMargin);
    update();
}

// The page is drawn as the widget is, scaled up as a whole: points, labels and decorations keep
// their proportions to the plot whatever the resolution of the printer or PDF.
void CPointPlotCanvas::renderTo(QPainter& painter, const QRectF& area) const {
    const double factor =
        std::min(area.width() / std::max(width(), 1), area.height() / std::max(height(), 1));
    if (!(factor > 0)) {
        return;
    }
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(factor, factor);
    QFont pixelFont = font();
    pixelFont.setPixelSize(QFontInfo(font()).pixelSize());
    painter.setFont(pixelFont);
    const QRectF scaled(0, 0, area.width() / factor, area.height() / factor);
    PlotTransform sameScale = transform_;
    sameScale.resize(scaled.width(), scaled.height());
    paintPlot(painter, scaled, sameScale);
    painter.restore();
}

std::optional<std::size_t> CPointPlotCanvas::pointAt(QPointF at) const {
    std::optional<std::size_t> nearest;
    double best = kPickReach * kPickReach;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const PlotPixel pixel = transform_.toPixel(points_[i].y, points_[i].x);
        const double dx = pixel.px - at.x();
        const double dy = pixel.py - at.y();
        const double distance = dx * dx + dy * dy;
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

void CPointPlotCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPlot(painter, rect(), transform_);
}

void CPointPlotCanvas::resizeEvent(QResizeEvent*) {
    if (fitting_) {
        fitAll();
    } else {
        transform_.resize(width(), height());
    }
}

void CPointPlotCanvas::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / kWheelStep;
    if (steps == 0) {
        return;
    }
    const QPointF at = event->position();
    fitting_ = false;
    transform_.zoomAbout({at.x(), at.y()}, std::pow(kZoomPerWheelStep, steps));
    update();
    event->accept();
}

void CPointPlotCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressedAt_ = event->position();
        lastDragAt_ = event->position();
        dragged_ = false;
    }
}

void CPointPlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const GroundPosition ground = transform_.toGround({at.x(), at.y()});
    emit groundUnderCursor(ground.y, ground.x);
    if (!pressedAt_) {
        return;
    }
    if (!dragged_ && QLineF(*pressedAt_, at).length() < kDragThreshold) {
        return;
    }
    dragged_ = true;
    fitting_ = false;
    transform_.panBy(at.x() - lastDragAt_.x(), at.y() - lastDragAt_.y());
    lastDragAt_ = at;
    update();
}

void CPointPlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressedAt_) {
        return;
    }
    const bool click = !dragged_;
    pressedAt_.reset();
    if (click) {
        if (const auto index = pointAt(event->position())) {
            emit pointClicked(*index);
        }
    }
}

void CPointPlotCanvas::paintPlot(QPainter& painter, const QRectF& area,
                                 const PlotTransform& transform) const {
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setClipRect(area);
    std::vector<QPointF> visible;
    visible.reserve(points_.size());
    const QRectF reach = area.adjusted(-kPointSize, -kPointSize, kPointSize, kPointSize);
    for (const SurveyPoint& point : points_) {
        const PlotPixel pixel = transform.toPixel(point.y, point.x);
        const QPointF at(area.left() + pixel.px, area.top() + pixel.py);
        if (reach.contains(at)) {
            visible.push_back(at);
        }
    }
    painter.setPen(QPen(kPointColour, kPointSize, Qt::SolidLine, Qt::SquareCap));
    painter.drawPoints(visible.data(), static_cast<int>(visible.size()));
    if (highlighted_ && *highlighted_ < points_.size()) {
        const SurveyPoint& point = points_[*highlighted_];
        const PlotPixel pixel = transform.toPixel(point.y, point.x);
        painter.setPen(QPen(Qt::blue, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(area.left() + pixel.px, area.top() + pixel.py),
                            kHighlightRadius, kHighlightRadius);
    }
    paintLabels(painter, area, transform);
    paintScaleBar(painter, area, transform.pixelsPerMetre());
    paintNorthArrow(painter, area);
    painter.restore();
}

void CPointPlotCanvas::paintLabels(QPainter& painter, const QRectF& area,
                                   const PlotTransform& transform) const {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const LabelWidths widths(metrics);
    const double lineHeight = metrics.height();
    std::vector<LabelBox> boxes;
    std::vector<std::size_t> owners;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const SurveyPoint& point = points_[i];
        if (point.name.empty()) {
            continue;
        }
        const PlotPixel pixel = transform.toPixel(point.y, point.x);
        if (pixel.px < 0 || pixel.py < 0 || pixel.px > area.width() || pixel.py > area.height()) {
            continue;
        }
        boxes.push_back(
            {pixel.px + kLabelGap, pixel.py - lineHeight / 2, widths.of(point.name), lineHeight});
        owners.push_back(i);
    }
    painter.setPen(Qt::black);
    for (const std::size_t kept : PlaceLabels(boxes, area.width(), area.height(), kLabelCell)) {
        const LabelBox& box = boxes[kept];
        painter.drawText(QPointF(area.left() + box.left, area.top() + box.top + metrics.ascent()),
                         ViewStringOf(points_[owners[kept]].name));
    }
}

void CPointPlotCanvas::paintScaleBar(QPainter& painter, const QRectF& area,
                                     double pixelsPerMetre) const {
    const ScaleBar bar = RoundScaleBar(pixelsPerMetre, kScaleBarMaxPixels);
    if (bar.pixels <= 0) {
        return;
    }
    const double left = area.left() + kDecorationInset;
    const double base = area.bottom() - kDecorationInset;
    const double tick = 5.0;
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(left, base), QPointF(left + bar.pixels, base));
    painter.drawLine(QPointF(left, base - tick), QPointF(left, base));
    painter.drawLine(QPointF(left + bar.pixels, base - tick), QPointF(left + bar.pixels, base));
    const QString label = bar.metres >= 1 ? QStringLiteral("%1 m").arg(bar.metres)
                                          : QStringLiteral("%1 m").arg(bar.metres, 0, 'g', 3);
    painter.drawText(QPointF(left, base - tick - 3), label);
}

void CPointPlotCanvas::paintNorthArrow(QPainter& painter, const QRectF& area) const {
    const double x = area.right() - kDecorationInset - kArrowLength / 4;
    const double top = area.top() + kDecorationInset + QFontMetricsF(painter.font()).height();
    QPainterPath head;
    head.moveTo(x, top);
    head.lineTo(x - kArrowLength / 4, top + kArrowLength / 2);
    head.lineTo(x + kArrowLength / 4, top + kArrowLength / 2);
    head.closeSubpath();
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(QPointF(x, top), QPointF(x, top + kArrowLength));
    painter.fillPath(head, Qt::black);
    const QString north = QString::fromUtf8(texts::kPlotNorth);
    const double textWidth = QFontMetricsF(painter.font()).horizontalAdvance(north);
    painter.drawText(QPointF(x - textWidth / 2, top - 4), north);
}

}  // namespace vrk
