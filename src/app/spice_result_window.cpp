#include "app/spice_result_window.h"

#include <QPainter>

#include "app/plot_painter.h"
#include "dialogs/copy_shortcut.h"
#include "qt/qt_text.h"
#include "spice/spice_messages.h"

namespace vx {

CSpiceResultWindow::CSpiceResultWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("spiceResultWindow");
    setWindowTitle(Qs(spice_text::kResultWindowTitle));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(480, 360);
    resize(760, 540);
    setFont(FittingPlotFont(font()));
    AddCopyShortcut(this, [this] { return Qs(CSpiceAnalysis::ResultText(result_, summary_)); });
}

void CSpiceResultWindow::ShowResult(SpiceResult result, const std::string& summary) {
    result_ = std::move(result);
    summary_ = summary;
    chart_ = CSpiceAnalysis::ResultChart(result_, summary);
    show();
    raise();
    activateWindow();
    update();
}

void CSpiceResultWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (chart_.x.size() < 2 || !(chart_.x.back() > chart_.x.front())) {
        return;
    }
    CPlotPainter(painter).Paint(CChartLayout(chart_).Draw({0, 0, width() - 1, height() - 1}));
}

}  // namespace vx
