#include "app/print_jobs.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

#include "app/noise_flow.h"
#include "app/plot_painter.h"
#include "app/report_painter.h"
#include "app/tolerance_flow.h"
#include "plot/diagram.h"
#include "plot/graph_option_texts.h"
#include "plot/plot_print_mapping.h"
#include "qt/qt_text.h"
#include "report/printed_report.h"
#include "report/result_messages.h"
#include "report/summary_text.h"
#include "session/design_session.h"
#include "shell/program_settings.h"

namespace vx {

namespace {

struct KindTexts {
    const char* pageSetup;
    const char* preview;
    const char* print;
};

size_t IndexOf(PrintKind kind) {
    return kind == PrintKind::GRAPH ? 0 : 1;
}

// A printed phase or time view: the width in screen pixels its page stands for, and its font.
constexpr double kScreenPageWidth = 1276.0;
constexpr int kScreenFontPixels = 12;

KindTexts TextsOf(PrintKind kind) {
    if (kind == PrintKind::GRAPH) {
        return {kGraphPageSetupTitle, kGraphPreviewTitle, kGraphPrintTitle};
    }
    return {kResultPageSetupTitle, kResultPreviewTitle, kResultPrintTitle};
}

}  // namespace

CPrintJobs::CPrintJobs(QWidget* window, CDesignSession& session, CDiagram& diagram,
                       const ProgramSettings& settings, const CToleranceFlow& tolerance,
                       const CNoiseFlow& noise, std::function<void()> redraw)
    : window_(window),
      session_(session),
      diagram_(diagram),
      settings_(settings),
      tolerance_(tolerance),
      noise_(noise),
      redraw_(std::move(redraw)) {
    // A4 with 10 mm margins: the diagram across the page, the report down it.
    const QMarginsF margins(10, 10, 10, 10);
    LayoutOf(PrintKind::GRAPH) = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                             margins, QPageLayout::Millimeter);
    LayoutOf(PrintKind::RESULT) = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              margins, QPageLayout::Millimeter);
}

QPageLayout& CPrintJobs::LayoutOf(PrintKind kind) {
    return layouts_[IndexOf(kind)];
}

std::unique_ptr<QPrinter> CPrintJobs::Printer(PrintKind kind) const {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(layouts_[IndexOf(kind)]);
    printer->setCreator(Qs(kReportToolName));
    printer->setDocName(Qs(session_.Filter().documentName));
    return printer;
}

void CPrintJobs::Entitle(QDialog& dialog, const char* name, const char* title) {
    dialog.setObjectName(name);
    dialog.setWindowTitle(Qs(title));
}

void CPrintJobs::PageSetup(PrintKind kind) {
    const auto printer = Printer(kind);
    QPageSetupDialog dialog(printer.get(), window_);
    Entitle(dialog, "pageSetupDialog", TextsOf(kind).pageSetup);
    if (dialog.exec() == QDialog::Accepted) {
        LayoutOf(kind) = printer->pageLayout();
    }
}

void CPrintJobs::Preview(PrintKind kind) {
    const auto printer = Printer(kind);
    QPrintPreviewDialog dialog(printer.get(), window_);
    Entitle(dialog, "printPreviewDialog", TextsOf(kind).preview);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, kind](QPrinter* target) { Paint(kind, *target); });
    dialog.exec();
    // The preview's own page set-up counts for the next print.
    LayoutOf(kind) = printer->pageLayout();
    redraw_();
}

void CPrintJobs::Print(PrintKind kind) {
    const auto printer = Printer(kind);
    QPrintDialog dialog(printer.get(), window_);
    Entitle(dialog, "printDialog", TextsOf(kind).print);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    LayoutOf(kind) = printer->pageLayout();
    Paint(kind, *printer);
    redraw_();
}

bool CPrintJobs::PrintToPdf(PrintKind kind, const QString& path) {
    const auto printer = Printer(kind);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    const bool printed = Paint(kind, *printer);
    redraw_();
    return printed;
}

bool CPrintJobs::Paint(PrintKind kind, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // The commands run only with a design, which has its structure.
    if (session_.Current() != nullptr) {
        if (kind == PrintKind::GRAPH) {
            PaintPlot(printer, painter);
        } else {
            PaintReport(printer, painter);
        }
    }
    return painter.end();
}

void CPrintJobs::PaintPlot(QPrinter& printer, QPainter& painter) {
    const PlotPrintMapping m = PlotPrintMappingFor(printer.width(), printer.height(),
                                                   printer.logicalDpiX(), printer.logicalDpiY());
    painter.translate(m.originX, m.originY);
    painter.scale(m.scale, m.scale);
    QFont font;
    font.setPixelSize(std::max(1, m.fontHeight));
    font.setStyleStrategy(QFont::PreferNoShaping);  // letters a PDF reader can search
    painter.setFont(font);
    const std::string summary =
        SummaryText(session_.Filter(), session_.OpAmps(), SummaryVariant::REPORT);
    const ToleranceResult* result = tolerance_.Result();
    const ToleranceBand* band = result != nullptr ? &result->band : nullptr;
    if (diagram_.View() == PlotViewKind::MAGNITUDE) {
        CPlotPainter(painter, m.penScale)
            .Paint(diagram_.Draw(m.page, PlotScale::Printer(m.page), summary, nullptr, band)
                       .plot.primitives);
        return;
    }
    // The other views are laid out in screen pixels: the page is drawn as if it were
    // kScreenPageWidth pixels wide, in the screen's font.
    const double k = m.page.Width() / kScreenPageWidth;
    painter.scale(k, k);
    font.setPixelSize(kScreenFontPixels);
    painter.setFont(font);
    const PlotRect page{0, 0, static_cast<int>(kScreenPageWidth),
                        static_cast<int>(m.page.Height() / k)};
    CPlotPainter(painter, m.penScale / k)
        .Paint(diagram_.Draw(page, PlotScale::Screen(), summary, nullptr, band).plot.primitives);
}

void CPrintJobs::PaintReport(QPrinter& printer, QPainter& painter) {
    const ReportGeometry geometry = ReportPageGeometry(
        printer.width(), printer.height(), printer.logicalDpiX(), printer.logicalDpiY());
    CReportPainter pages(painter, geometry.fontHeight);
    const CReportLayout layout(geometry, [&pages](ReportStyle style, const std::string& text) {
        return pages.Measure(style, text);
    });
    const PrintedReportContent content{
        session_.Filter(),   session_.Character(),   session_.OpAmps(),
        *session_.Current(), settings_.designerName, settings_.designerOrganisation,
        tolerance_.Result(), session_.Findings(),    noise_.Result()};
    const std::vector<ReportPage> placed = layout.Paginate(PrintedReportSections(content));
    for (size_t i = 0; i < placed.size(); ++i) {
        if (i > 0) {
            printer.newPage();
        }
        pages.Paint(placed[i]);
    }
}

}  // namespace vx
