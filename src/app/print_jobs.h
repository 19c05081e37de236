#pragma once

#include <QPageLayout>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QDialog;
class QPainter;
class QPrinter;
class QWidget;

namespace vx {

class CDesignSession;
class CDiagram;
class CNoiseFlow;
class CToleranceFlow;
struct ProgramSettings;

// The two things the program prints: the response diagram and the result report.
enum class PrintKind { GRAPH, RESULT };

// Page set-up, preview and printing of the diagram and of the result report, each with a page
// set-up of its own for the session. Both are drawn straight onto the printer's painter from
// the core's layouts, so that a PDF keeps vector lines and real text.
class CPrintJobs {
  public:
    // `settings` names the designer; `tolerance` holds the tolerance analysis, whose band the
    // diagram and whose figures the report show when it was run; `noise` holds the noise study,
    // whose figures the report shows when it was run; `redraw` repaints the window
    // after the diagram was laid out for paper.
    // `diagram` is the window's: the view it shows is the one printed.
    CPrintJobs(QWidget* window, CDesignSession& session, CDiagram& diagram,
               const ProgramSettings& settings, const CToleranceFlow& tolerance,
               const CNoiseFlow& noise, std::function<void()> redraw);

    void PageSetup(PrintKind kind);
    void Preview(PrintKind kind);
    void Print(PrintKind kind);
    // Prints into a PDF file with the kind's page set-up; false when the file cannot be written.
    bool PrintToPdf(PrintKind kind, const QString& path);

  private:
    QPageLayout& LayoutOf(PrintKind kind);
    // A printer of the kind's page set-up.
    std::unique_ptr<QPrinter> Printer(PrintKind kind) const;
    static void Entitle(QDialog& dialog, const char* name, const char* title);
    // False when the printer cannot be drawn on (a file that cannot be written).
    bool Paint(PrintKind kind, QPrinter& printer);
    void PaintPlot(QPrinter& printer, QPainter& painter);
    void PaintReport(QPrinter& printer, QPainter& painter);

    QWidget* window_;
    CDesignSession& session_;
    CDiagram& diagram_;
    const ProgramSettings& settings_;
    const CToleranceFlow& tolerance_;
    const CNoiseFlow& noise_;
    std::function<void()> redraw_;
    std::array<QPageLayout, 2> layouts_;
};

}  // namespace vx
