#include "app/plot_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QPolygonF>
#include <variant>

#include "app/start_picture.h"
#include "plot/plot_layout.h"
#include "qt/qt_text.h"

namespace vx {

namespace {

QColor ToQt(PlotColor c) {
    return {c.red, c.green, c.blue};
}

QPolygon ToQt(const std::vector<PlotPoint>& points) {
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const PlotPoint& p : points) {
        polygon << QPoint(p.x, p.y);
    }
    return polygon;
}

QPolygonF ToQt(const std::vector<PlotPointF>& points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const PlotPointF& p : points) {
        polygon << QPointF(p.x, p.y);
    }
    return polygon;
}

}  // namespace

QFont FittingPlotFont(QFont font) {
    for (int pixels = 12; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(QLatin1Char('0')) <= CPlotLayout::kCharWidth) {
            break;
        }
    }
    return font;
}

void CPlotPainter::Paint(const std::vector<PlotPrimitive>& primitives) {
    painter_.save();
    for (const PlotPrimitive& p : primitives) {
        std::visit(*this, p);
    }
    painter_.restore();
}

void CPlotPainter::operator()(const PlotFill& fill) {
    const PlotRect& r = fill.rect;
    painter_.fillRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)), ToQt(fill.color));
}

QPen CPlotPainter::PenOf(const PlotPen& pen) const {
    return {ToQt(pen.color), pen.width * penScale_,
            pen.style == PenStyle::DASHED ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap,
            Qt::RoundJoin};
}

void CPlotPainter::operator()(const PlotPolyline& line) {
    if (line.points.size() < 2) {
        return;
    }
    painter_.setPen(PenOf(line.pen));
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawPolyline(ToQt(line.points));
}

void CPlotPainter::operator()(const PlotCurve& curve) {
    if (curve.points.size() < 2) {
        return;
    }
    painter_.setPen(PenOf(curve.pen));
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.drawPolyline(ToQt(curve.points));
}

void CPlotPainter::operator()(const PlotPolygon& area) {
    if (area.points.size() < 3) {
        return;
    }
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQt(area.color));
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.drawPolygon(ToQt(area.points));
    painter_.setBrush(Qt::NoBrush);
}

void CPlotPainter::operator()(const PlotText& text) {
    const QString s = Qs(text.text);
    const QFontMetrics metrics = painter_.fontMetrics();
    const int width = metrics.horizontalAdvance(s);
    int x = text.anchor.x;
    if (text.halign == HAlign::RIGHT) {
        x -= width;
    } else if (text.halign == HAlign::CENTER) {
        x -= width / 2;
    }
    int top = text.anchor.y;
    if (text.valign == VAlign::MIDDLE) {
        top -= metrics.height() / 2;
    }
    painter_.setPen(ToQt(text.color));
    painter_.drawText(QPoint(x, top + metrics.ascent()), s);
}

void CPlotPainter::operator()(const PlotStartPicture& picture) {
    const PlotRect& r = picture.page;
    DrawStartPicture(painter_, QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
}

}  // namespace vx
