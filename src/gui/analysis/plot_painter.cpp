#include "analysis/plot_painter.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "analysis/plot_data.h"

namespace elix {
namespace {

QColor ToColor(const PlotColour& colour) { return QColor(colour.red, colour.green, colour.blue); }

QPen ToPen(const PlotPen& pen) {
    QPen qpen(ToColor(pen.colour), pen.width < 1 ? 1 : pen.width);
    qpen.setStyle(pen.dotted ? Qt::DotLine : Qt::SolidLine);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    return qpen;
}

}  // namespace

QFont PlotFont(int fontSize) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    // Tenths of a point at 96 dots per inch: size / 10 * 96 / 72 pixels.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(fontSize * 96.0 / 720.0))));
    return font;
}

void PaintPlotPicture(QPainter& painter, const PlotPicture& picture) {
    if (!picture.drawn) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const PlotLine& line : picture.lines) {
        painter.setPen(ToPen(line.pen));
        painter.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
    }
    for (const PlotPolyline& curve : picture.curves) {
        QPolygon points;
        points.reserve(static_cast<qsizetype>(curve.points.size()));
        for (const PlotPoint& p : curve.points) points.append(QPoint(p.x, p.y));
        painter.setPen(ToPen(curve.pen));
        painter.drawPolyline(points);
    }
    for (const PlotText& text : picture.texts) {
        painter.setFont(PlotFont(text.fontSize));
        painter.setPen(ToColor(text.colour));
        const QRect box(text.topLeft.x, text.topLeft.y, 100000, 100000);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine,
                         QString::fromStdString(text.text));
    }
    painter.restore();
}

QImage RenderPlotImage(CPlotData& plot, int width, int height) {
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPlotPicture(painter, LayOutPlot(plot, PlotRect{0, 0, width, height}));
    return image;
}

}  // namespace elix
