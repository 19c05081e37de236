#include "app/start_picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "qt/qt_text.h"
#include "shell/shell_messages.h"

namespace vx {

namespace {

constexpr int kWidth = 460;
constexpr int kHeight = 280;

// A sketch in softened colours of the plot: a fourth-order low-pass, its target and a plainly
// rounded design beside it, over a log-frequency grid.
void DrawSketch(QPainter& p, const QRectF& area) {
    p.setPen(QPen(QColor(220, 220, 220), 1));
    for (int k = 0; k <= 6; ++k) {
        const double x = area.left() + area.width() * k / 6.0;
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    for (int k = 0; k <= 4; ++k) {
        const double y = area.top() + area.height() * k / 4.0;
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    auto response = [&](double shift, double peak) {
        QPainterPath path;
        constexpr int kPoints = 120;
        for (int k = 0; k <= kPoints; ++k) {
            const double u = static_cast<double>(k) / kPoints;
            const double f = std::pow(10.0, 2.0 * u - 1.2) / shift;  // relative frequency
            const double f2 = f * f;
            const double level = -10.0 * std::log10(1.0 + f2 * f2 * f2 * f2) +
                                 peak * std::exp(-std::pow((f - 0.8) / 0.25, 2.0));
            const double y = area.top() + area.height() * std::min(1.0, -level / 60.0 + 0.1);
            const QPointF point(area.left() + area.width() * u, y);
            if (k == 0) {
                path.moveTo(point);
            } else {
                path.lineTo(point);
            }
        }
        return path;
    };
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 60, 60), 2));
    p.drawPath(response(0.93, 2.5));
    p.setPen(QPen(QColor(40, 170, 70), 2));
    p.drawPath(response(1.0, 0.0));
    p.setPen(QPen(QColor(30, 60, 220), 2));
    p.drawPath(response(0.99, 0.4));
    p.setPen(QPen(QColor(230, 60, 60), 1, Qt::DashLine));
    const double corner = area.left() + area.width() * 0.6;
    p.drawLine(QPointF(corner, area.top()), QPointF(corner, area.bottom()));
}

}  // namespace

void DrawStartPicture(QPainter& p, const QRect& page) {
    const int x = page.left() + std::max(0, (page.width() - kWidth) / 2);
    const int y = page.top() + std::max(0, (page.height() - kHeight) / 2);
    const QRectF card(x + 0.5, y + 0.5, kWidth - 1, kHeight - 1);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient shade(card.topLeft(), card.bottomLeft());
    shade.setColorAt(0.0, QColor(246, 248, 252));
    shade.setColorAt(1.0, QColor(228, 234, 244));
    p.setPen(QPen(QColor(135, 150, 176), 1));
    p.setBrush(shade);
    p.drawRoundedRect(card, 10, 10);

    // Pixel sizes: the picture itself has a fixed size in pixels.
    QFont title = p.font();
    title.setPixelSize(38);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(32, 48, 80));
    const QRectF titleBox(card.left() + 24, card.top() + 16, card.width() - 48, 48);
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, Qs(kProgramName));
    QFont small = p.font();
    small.setPixelSize(13);
    small.setBold(false);
    p.setFont(small);
    p.setPen(QColor(70, 82, 104));
    p.drawText(QRectF(card.left() + 24, titleBox.bottom(), card.width() - 48, 20),
               Qt::AlignLeft | Qt::AlignVCenter, Qs(kAboutPurpose));

    const QRectF sketch(card.left() + 24, titleBox.bottom() + 32, card.width() - 48,
                        card.height() - titleBox.height() - 110);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(180, 180, 180), 1));
    p.drawRect(sketch);
    DrawSketch(p, sketch.adjusted(1, 1, -1, -1));

    p.setPen(QColor(70, 82, 104));
    p.drawText(QRectF(card.left() + 12, sketch.bottom() + 8, card.width() - 24, 36),
               Qt::AlignCenter | Qt::TextWordWrap, Qs(kStartHint));
    p.restore();
}

}  // namespace vx
