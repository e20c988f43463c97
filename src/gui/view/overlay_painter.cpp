#include "view/overlay_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "view/overlay.h"

namespace elix {

namespace {

QColor ColourOf(const ItemColour& c, int alpha = 255) { return QColor(c.red, c.green, c.blue, alpha); }

// Points on a 96-dpi screen: 9 points are 12 pixels.
constexpr double kScreenPixelsPerPoint = 96.0 / 72.0;

}  // namespace

void PaintOverlay(QPainter& painter, const Overlay& overlay, QPoint origin) {
    if (overlay.primitives.empty()) return;
    painter.save();
    painter.translate(origin);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont font(QString::fromStdString(overlay.fontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(overlay.fontPoints * kScreenPixelsPerPoint + 0.5)));
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());

    for (const OverlayPrimitive& p : overlay.primitives) {
        const QColor colour = ColourOf(p.colour, p.alpha);
        switch (p.shape) {
            case OverlayPrimitive::Shape::Line: {
                QPen pen(colour);
                pen.setWidth(p.penWidth);
                pen.setCapStyle(Qt::SquareCap);
                painter.setPen(pen);
                if (p.x1 == p.x2 && p.y1 == p.y2)
                    painter.drawPoint(p.x1, p.y1);
                else
                    painter.drawLine(p.x1, p.y1, p.x2, p.y2);
                break;
            }
            case OverlayPrimitive::Shape::Rect:
                painter.fillRect(QRect(p.x1, p.y1, p.x2, p.y2), colour);
                break;
            case OverlayPrimitive::Shape::Text: {
                painter.setPen(colour);
                const QRect box(p.x1, p.y1, p.x2, p.y2);
                const QString text = metrics.elidedText(QString::fromStdString(p.text), Qt::ElideRight, p.x2);
                painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
                break;
            }
        }
    }
    painter.restore();
}

}  // namespace elix
