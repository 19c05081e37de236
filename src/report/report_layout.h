#pragma once

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "plot/plot_primitives.h"
#include "report/schematic_pictures.h"

// The printed result report laid out on pages: sections of label rows, stage lines, tables,
// text lines and the schematic, placed so that a section stays on one page when it can. A
// painter draws the placed items; it measures the texts, the layout decides where they go.
namespace vx {

// The three fonts of the report: the title, the section headings (and table headers) in bold,
// and the body.
enum class ReportStyle { TITLE, HEADING, BODY };

// "label:" and its value, which may take several lines (the designer's name and organisation);
// a line too long for the page wraps between its words.
struct ReportLabelRow {
    std::string label;
    std::vector<std::string> lines;
};
struct ReportLabelRows {
    std::vector<ReportLabelRow> rows;
};

// "Stufe 1:" followed by the stage's items ("R1=10 kOhm"), set in columns that line up from
// stage to stage and wrap onto further lines when the page is too narrow.
struct ReportStageLine {
    std::string lead;
    std::vector<std::string> items;
};
struct ReportStageLines {
    std::vector<ReportStageLine> stages;
};

// A table whose first row is the header. A table wider than the page cuts its widest columns
// to one width and wraps their texts between words.
struct ReportTable {
    std::vector<std::vector<std::string>> rows;
};

struct ReportTextLines {
    std::vector<std::string> lines;
};

// The stage schematic with its size in pixels, scaled into the page by the layout.
struct ReportPicture {
    SchematicPicture picture = SchematicPicture::LP_SK;
    int width = 0;
    int height = 0;
};

using ReportBlock =
    std::variant<ReportLabelRows, ReportStageLines, ReportTable, ReportTextLines, ReportPicture>;

// A heading (none for the footer) in its style, then its blocks.
struct ReportSection {
    std::string heading;
    ReportStyle headingStyle = ReportStyle::HEADING;
    std::vector<ReportBlock> blocks;
};

// Placed items, in device units of the page; `y` is the top of the text's line.
struct ReportTextItem {
    std::string text;
    int x = 0;
    int y = 0;
    ReportStyle style = ReportStyle::BODY;
    bool operator==(const ReportTextItem&) const = default;
};
struct ReportPictureItem {
    SchematicPicture picture = SchematicPicture::LP_SK;
    PlotRect rect;
};
using ReportItem = std::variant<ReportTextItem, ReportPictureItem>;

struct ReportPage {
    std::vector<ReportItem> items;
};

// Where a page's report goes and how large its body font is, in device units.
struct ReportGeometry {
    PlotRect content;
    int fontHeight = 0;
};

// The report on a page of `width` by `height` device units with the device's resolution: the
// body font is 1.8 % of the page width high (the same physical size when the device's pixels
// are not square), the margins are 4.84 % of the width on every side.
ReportGeometry ReportPageGeometry(int width, int height, double dpiX, double dpiY);

// Font height of a style for a body font `bodyHeight` high.
int ReportFontHeight(ReportStyle style, int bodyHeight);

class CReportLayout {
  public:
    // Width of a text in a style, in device units.
    using Measure = std::function<int(ReportStyle, const std::string&)>;

    CReportLayout(const ReportGeometry& geometry, Measure measure);

    // The sections on as many pages as they need: a section that does not fit on the rest of
    // a page starts a new one, and one longer than a page is split between its rows, its
    // heading kept with the first of them. A table split between pages repeats its header row
    // at the top of the next page, and every page ends with its number ("Seite 1 von 3").
    std::vector<ReportPage> Paginate(const std::vector<ReportSection>& sections) const;

  private:
    // Items that go on one page together, placed relative to the chunk's top.
    struct Chunk {
        int height = 0;
        std::vector<ReportItem> items;
        // A heading or a table's header row: not the last thing on a page.
        bool keepWithNext = false;
        // Index, among the section's chunks, of the header row to repeat above this row when
        // it starts a page; -1 for none.
        int header = -1;
    };

    std::vector<Chunk> SectionChunks(const ReportSection& section) const;
    void AddChunks(const ReportLabelRows& block, std::vector<Chunk>& out) const;
    void AddChunks(const ReportStageLines& block, std::vector<Chunk>& out) const;
    void AddChunks(const ReportTable& block, std::vector<Chunk>& out) const;
    void AddChunks(const ReportTextLines& block, std::vector<Chunk>& out) const;
    void AddChunks(const ReportPicture& block, std::vector<Chunk>& out) const;
    // The words of `text` on lines no wider than `width`; a longer word has a line of its own.
    std::vector<std::string> Wrap(ReportStyle style, const std::string& text, int width) const;
    int LineHeight(ReportStyle style) const;
    int Gap() const;
    // The page number's line at the foot of each page.
    void NumberPages(std::vector<ReportPage>& pages) const;

    ReportGeometry geometry_;
    Measure measure_;
};

}  // namespace vx
