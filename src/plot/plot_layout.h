#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/tolerance_result.h"
#include "model/filter.h"
#include "model/number_text.h"
#include "plot/axis_label.h"
#include "plot/plot_mapping.h"
#include "plot/plot_overlay.h"
#include "plot/plot_primitives.h"
#include "plot/scheme_shading.h"
#include "response/show_fregang.h"

namespace vx {

// Device scale of a drawing: every geometric constant of the plot is multiplied by sx or sy
// (the marker flags by the rounded ux and uy). The screen draws at 1:1.
struct PlotScale {
    double sx = 1.0;
    double sy = 1.0;
    int ux = 1;
    int uy = 1;
    bool printer = false;  // printers draw the major grid in black, two units wide
    // Width of a digit of the label font in device units: the frequency labels are spaced by it.
    double digitWidth = kScreenDigitWidth;
    // Device pixels per unit: the curves take a sample at every pixel, so that a screen of
    // display scale 2 shows them as smooth as its pixels allow.
    double resolution = 1.0;

    static PlotScale Screen(double devicePixelRatio = 1.0) {
        PlotScale s;
        s.resolution = devicePixelRatio;
        return s;
    }
    // A printer page is laid out as if it were 1276 by 920 screen pixels; its font is a share
    // of the page width (plot_print_mapping.h).
    static PlotScale Printer(const PlotRect& page);
    // Screen geometry with texts in a font of `size` pixels, as SVG files have.
    static PlotScale ForFontSize(double size);
};

struct PlotDrawing {
    std::vector<PlotPrimitive> primitives;
    PlotMapping mapping;
    std::string title;  // document title: specification name, "*" when modified
};

// Lays out the response diagram of a design: grid and axis labels, characteristic frequencies,
// the user's marks, the tolerance scheme of the filter's type, the selected curves with their
// legends, summary and date lines. The same
// drawing serves the screen, the printer and SVG files.
class CPlotLayout {
  public:
    // Widest digit of the screen font in pixels, which the screen fits its font to.
    static constexpr int kCharWidth = static_cast<int>(kScreenDigitWidth);

    // `summary` is the design summary line shown above the diagram: SummaryText in its report
    // variant (report/summary_text.h).
    CPlotLayout(const CFilter& filter, ResponseCurves& curves, std::string summary);

    // The band of a tolerance analysis to draw under the curves (from 5 % to 95 %), with its
    // legend, as long as it lies on the record's grid; nullptr for none. The band must outlive
    // the drawing.
    void SetToleranceBand(const ToleranceBand* band) { band_ = band; }
    // A simulated magnitude to draw over the curves (nullptr: none); it must outlive Draw.
    void SetOverlay(const PlotOverlay* overlay) { overlay_ = overlay; }

    // The frequency range as factors of the filter frequency, the record's plot range unless set
    // (a zoomed diagram); the curves must lie on its grid. A tolerance band shows only on the
    // record's range, where it was computed.
    void SetRange(double startFactor, double endFactor);
    // The level, linear, that the filter's tolerance scheme counts its attenuations from:
    // SchemeReference of the record's target. Needed where the curves are not the record's own
    // (a zoom); unset, the curves' target gives it.
    void SetSchemeReference(double reference) { schemeReference_ = reference; }

    // Sets the curves' display points to the diagram width.
    PlotDrawing Draw(const PlotRect& page, const PlotScale& scale);

  private:
    int Sx(double v) const;
    int Sy(double v) const;
    void Line(const PlotPen& pen, int x1, int y1, int x2, int y2);
    void Text(std::string text, int x, int y, HAlign h, PlotColor color);
    void Fill(PlotColor color);
    void CentredText(const char* text);

    bool FindVerticalRange();
    void DrawLevelGrid();
    void DrawFrequencyAxis();
    struct FrequencyTick;
    std::vector<FrequencyTick> FrequencyTicks(double f1, double f2, const AxisStep& axis) const;
    void LabelFrequencyTicks(std::vector<FrequencyTick>& ticks) const;
    void DrawCharacteristicFrequencies();
    void DrawMarks();
    // A band is set, lies on the grid, and a magnitude curve is shown.
    bool BandShown() const;
    void DrawToleranceBand();
    // The scheme of the filter's type, when a magnitude curve is shown: areas and borders.
    SchemeShading ShadedScheme() const;
    PlotPen SchemeBorderPen() const;
    void DrawSchemeLegend();
    void DrawCurves();
    void DrawOverlay();
    void DrawCurve(CShowFregang& curve, const PlotPen& pen, const char* legend, int legendX);
    void DrawMarker(const PlotPen& pen, double f, int level);
    int FrequencyX(double f) const;
    // Where the curves' sample k lies across the diagram.
    double SampleX(int k) const;
    std::string MarkerLabel(double f) const;

    const CFilter& filter_;
    ResponseCurves& curves_;
    std::string summary_;
    const ToleranceBand* band_ = nullptr;
    const PlotOverlay* overlay_ = nullptr;
    std::optional<double> schemeReference_;
    double startFactor_;
    double endFactor_;

    PlotDrawing out_;
    PlotRect page_;
    PlotScale scale_;
    int width_ = 0;      // right - left + 1
    int samples_ = 0;    // display points of the curves: one per device pixel across
    double low_ = 0.0;   // dB at the bottom
    double high_ = 0.0;  // dB at the top
    double delayMin_ = 0.0;
    double delayMax_ = 0.0;
    int labelDigits_ = 0;  // significant digits of the frequency labels
};

}  // namespace vx
