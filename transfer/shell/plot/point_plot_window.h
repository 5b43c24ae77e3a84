#pragma once

#include <QTimer>
#include <QWidget>

#include "files/file_result.h"

class QLabel;
class QPrinter;
class QPushButton;

namespace vrk {

class CVRK410View;
class CPointPlotCanvas;
class ShellDialogs;

// 点位图: the view's DELF points, read as the coordinate upload reads them. Not modal; it follows
// the view's text after a pause in typing, and a click on a point puts the view's caret on the
// point's line.
class CPointPlotWindow final : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFollowDelayMs = 400;

    // `printer` is the frame's, so printing uses the printer and paper chosen in 打印设置.
    CPointPlotWindow(CVRK410View& view, ShellDialogs& dialogs, QPrinter& printer,
                     QWidget* parent = nullptr);

    // Reads the view's text again now; the first reading also fits the plot.
    void reload();
    void selectPoint(std::size_t index);

    CPointPlotCanvas& canvas() const { return *canvas_; }
    QLabel& heading() const { return *heading_; }
    QLabel& pointInfo() const { return *pointInfo_; }
    QLabel& cursorInfo() const { return *cursorInfo_; }

    void print();
    void saveAs();
    // PNG, or PDF when the name ends in ".pdf", through the file writer.
    FileResult saveTo(const QString& path) const;

  private:
    CVRK410View& view_;
    ShellDialogs& dialogs_;
    QPrinter& printer_;
    CPointPlotCanvas* canvas_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* pointInfo_ = nullptr;
    QLabel* cursorInfo_ = nullptr;
    QTimer follow_;
    bool fitted_ = false;
};

}  // namespace vrk
