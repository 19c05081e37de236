#include "app/report_painter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "qt/qt_text.h"

namespace vx {

CReportPainter::CReportPainter(QPainter& painter, int bodyHeight) : painter_(painter) {
    auto font = [bodyHeight](ReportStyle style, bool bold) {
        QFont f;
        f.setPixelSize(std::max(1, ReportFontHeight(style, bodyHeight)));
        f.setBold(bold);
        // No ligatures: a PDF reader finds "Spezifikation" only when its "fi" stays two letters.
        f.setStyleStrategy(QFont::PreferNoShaping);
        return f;
    };
    title_ = font(ReportStyle::TITLE, true);
    heading_ = font(ReportStyle::HEADING, true);
    body_ = font(ReportStyle::BODY, false);
}

const QFont& CReportPainter::FontOf(ReportStyle style) const {
    switch (style) {
        case ReportStyle::TITLE:
            return title_;
        case ReportStyle::HEADING:
            return heading_;
        case ReportStyle::BODY:
            break;
    }
    return body_;
}

int CReportPainter::Measure(ReportStyle style, const std::string& text) const {
    return QFontMetrics(FontOf(style), painter_.device()).horizontalAdvance(Qs(text));
}

void CReportPainter::Paint(const ReportPage& page) {
    painter_.save();
    painter_.setPen(Qt::black);
    for (const ReportItem& item : page.items) {
        if (const auto* text = std::get_if<ReportTextItem>(&item)) {
            painter_.setFont(FontOf(text->style));
            const QFontMetrics metrics(painter_.font(), painter_.device());
            painter_.drawText(QPoint(text->x, text->y + metrics.ascent()), Qs(text->text));
        } else {
            const auto& picture = std::get<ReportPictureItem>(item);
            const auto png = SchematicPng(picture.picture);
            QImage image;
            image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG");
            const PlotRect& r = picture.rect;
            // A line drawing: a PDF keeps it without the blur of JPEG compression.
            painter_.setRenderHint(QPainter::SmoothPixmapTransform);
            painter_.setRenderHint(QPainter::LosslessImageRendering);
            painter_.drawImage(QRect(r.left, r.top, r.Width(), r.Height()), image);
        }
    }
    painter_.restore();
}

}  // namespace vx
