#pragma once

#include <QWidget>

#include <optional>
#include <vector>

#include "survey/plot_transform.h"
#include "survey/survey_point.h"

class QPainter;

namespace vrk {

// Draws survey points with their names, east to the right and north up at one scale, with a
// scale bar and a north arrow. The wheel zooms about the cursor, dragging pans, a click picks the
// nearest point within reach.
class CPointPlotCanvas final : public QWidget {
    Q_OBJECT
  public:
    explicit CPointPlotCanvas(QWidget* parent = nullptr);

    // New points; the view keeps its place if the user has zoomed or panned, unless `fit`.
    void setPoints(std::vector<SurveyPoint> points, bool fit);
    const std::vector<SurveyPoint>& points() const { return points_; }
    void fitAll();
    // Rings the point with this index (the one last clicked); nullopt rings none.
    void setHighlighted(std::optional<std::size_t> index);

    // The plot as it is seen, drawn into `area` of any paint device and scaled to fill it
    // (printing, saving).
    void renderTo(QPainter& painter, const QRectF& area) const;
    // The point nearest to `at` (widget pixels) within reach, if any.
    std::optional<std::size_t> pointAt(QPointF at) const;
    const PlotTransform& transform() const { return transform_; }

  signals:
    void groundUnderCursor(double y, double x);
    void pointClicked(std::size_t index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void paintPlot(QPainter& painter, const QRectF& area, const PlotTransform& transform) const;
    void paintLabels(QPainter& painter, const QRectF& area, const PlotTransform& transform) const;
    void paintScaleBar(QPainter& painter, const QRectF& area, double pixelsPerMetre) const;
    void paintNorthArrow(QPainter& painter, const QRectF& area) const;

    std::vector<SurveyPoint> points_;
    std::optional<std::size_t> highlighted_;
    PlotTransform transform_;
    std::optional<QPointF> pressedAt_;
    QPointF lastDragAt_;
    bool dragged_ = false;
    // Until the user zooms or pans, the plot fits itself to every new size.
    bool fitting_ = true;
};

}  // namespace vrk
