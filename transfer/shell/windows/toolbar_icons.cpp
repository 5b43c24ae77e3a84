#include "shell/windows/toolbar_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace vrk {

namespace {

// The toolbar's button size, then the larger sizes a style or a scaled screen asks for.
constexpr QSize kIconSizes[] = {{16, 15}, {24, 22}, {32, 30}, {48, 45}, {64, 60}};

}  // namespace

QIcon ToolbarIcon(const char* name) {
    QSvgRenderer renderer(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(name)));
    QIcon icon;
    if (!renderer.isValid()) {
        return icon;
    }
    for (const QSize& size : kIconSizes) {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace vrk
