#include "shell/windows/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace vrk {

QIcon AppIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size / 16.0;
        // A tripod under an instrument head.
        p.setPen(QPen(QColor(0x5a, 0x3d, 0x1e), 1.4 * s));
        p.drawLine(QPointF(8 * s, 7 * s), QPointF(2 * s, 15 * s));
        p.drawLine(QPointF(8 * s, 7 * s), QPointF(14 * s, 15 * s));
        p.drawLine(QPointF(8 * s, 7 * s), QPointF(8 * s, 15 * s));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe0, 0xa0, 0x10));
        p.drawRoundedRect(QRectF(4 * s, 1 * s, 8 * s, 6 * s), 1.5 * s, 1.5 * s);
        p.setBrush(QColor(0x20, 0x40, 0x80));
        p.drawEllipse(QPointF(8 * s, 4 * s), 1.8 * s, 1.8 * s);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace vrk
