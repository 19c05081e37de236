#include "report/report_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "report/result_messages.h"
#include "report/word_wrap.h"

namespace vx {

namespace {

int Round(double x) {
    return static_cast<int>(std::lround(x));
}

void Shift(ReportItem& item, int dy) {
    if (auto* text = std::get_if<ReportTextItem>(&item)) {
        text->y += dy;
    } else {
        PlotRect& r = std::get<ReportPictureItem>(item).rect;
        r.top += dy;
        r.bottom += dy;
    }
}

// What does not fit into `available` comes off the widest columns, which end up equally wide,
// but none narrower than its longest word (`least`).
void FitColumns(std::vector<int>& widths, const std::vector<int>& least, int available) {
    auto cut = [&](int cap) {
        std::vector<int> cutWidths(widths.size());
        for (size_t k = 0; k < widths.size(); ++k) {
            cutWidths[k] = std::max(least[k], std::min(widths[k], cap));
        }
        return cutWidths;
    };
    auto total = [](const std::vector<int>& w) { return std::accumulate(w.begin(), w.end(), 0LL); };
    if (total(widths) <= available) {
        return;
    }
    // The widest cap that fits; the total grows with the cap.
    int low = 0;
    int high = *std::max_element(widths.begin(), widths.end());
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (total(cut(mid)) <= available) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    widths = cut(low);
}

}  // namespace

ReportGeometry ReportPageGeometry(int width, int height, double dpiX, double dpiY) {
    // Device units are pixels of the device: a height given in horizontal units is converted
    // to the vertical ones, so that the font keeps its size on a device with oblong pixels.
    const double aspect = dpiX > 0.0 && dpiY > 0.0 ? dpiY / dpiX : 1.0;
    const int mx = Round(0.0484 * width);
    const int my = Round(0.0484 * width * aspect);
    return {{mx, my, width - mx, height - my}, Round(0.018 * width * aspect)};
}

int ReportFontHeight(ReportStyle style, int bodyHeight) {
    switch (style) {
        case ReportStyle::TITLE:
            return Round(1.5 * bodyHeight);
        case ReportStyle::HEADING:
            return Round(1.15 * bodyHeight);
        case ReportStyle::BODY:
            break;
    }
    return bodyHeight;
}

CReportLayout::CReportLayout(const ReportGeometry& geometry, Measure measure)
    : geometry_(geometry), measure_(std::move(measure)) {}

int CReportLayout::LineHeight(ReportStyle style) const {
    return Round(1.35 * ReportFontHeight(style, geometry_.fontHeight));
}

int CReportLayout::Gap() const {
    return geometry_.fontHeight;
}

std::vector<std::string> CReportLayout::Wrap(ReportStyle style, const std::string& text,
                                             int width) const {
    return WrapWords(text, width, [&](const std::string& s) { return measure_(style, s); });
}

std::vector<ReportPage> CReportLayout::Paginate(const std::vector<ReportSection>& sections) const {
    const PlotRect& c = geometry_.content;
    const int sectionGap = LineHeight(ReportStyle::BODY);
    // The page number's line and half a line above it stay free.
    const int bottom = c.bottom - 3 * LineHeight(ReportStyle::BODY) / 2;
    std::vector<ReportPage> pages(1);
    int y = c.top;
    auto newPage = [&] {
        pages.emplace_back();
        y = c.top;
    };
    auto place = [&](const Chunk& chunk) {
        for (ReportItem item : chunk.items) {
            Shift(item, y);
            pages.back().items.push_back(std::move(item));
        }
        y += chunk.height;
    };
    for (const ReportSection& section : sections) {
        const std::vector<Chunk> chunks = SectionChunks(section);
        int total = 0;
        for (const Chunk& chunk : chunks) {
            total += chunk.height;
        }
        if (y > c.top) {
            // Whole on the rest of this page, or whole on the next one when it fits there.
            if (y + sectionGap + total <= bottom || total > bottom - c.top) {
                y += sectionGap;
            } else {
                newPage();
            }
        }
        for (size_t i = 0; i < chunks.size(); ++i) {
            int needed = chunks[i].height;
            for (size_t k = i; chunks[k].keepWithNext && k + 1 < chunks.size(); ++k) {
                needed += chunks[k + 1].height;
            }
            if (y > c.top && y + needed > bottom) {
                newPage();
                if (chunks[i].header >= 0) {
                    place(chunks[static_cast<size_t>(chunks[i].header)]);
                }
            }
            place(chunks[i]);
        }
    }
    NumberPages(pages);
    return pages;
}

void CReportLayout::NumberPages(std::vector<ReportPage>& pages) const {
    const PlotRect& c = geometry_.content;
    const int count = static_cast<int>(pages.size());
    for (int p = 0; p < count; ++p) {
        std::string text = PageNumberText(p + 1, count);
        const int x = c.right - measure_(ReportStyle::BODY, text);
        pages[static_cast<size_t>(p)].items.push_back(ReportTextItem{
            std::move(text), x, c.bottom - LineHeight(ReportStyle::BODY), ReportStyle::BODY});
    }
}

std::vector<CReportLayout::Chunk> CReportLayout::SectionChunks(const ReportSection& section) const {
    std::vector<Chunk> chunks;
    if (!section.heading.empty()) {
        const ReportStyle style = section.headingStyle;
        // A third of a line below the heading sets it off from its rows.
        chunks.push_back({LineHeight(style) + LineHeight(ReportStyle::BODY) / 3,
                          {ReportTextItem{section.heading, geometry_.content.left, 0, style}},
                          true});
    }
    for (const ReportBlock& block : section.blocks) {
        std::visit([&](const auto& b) { AddChunks(b, chunks); }, block);
    }
    return chunks;
}

void CReportLayout::AddChunks(const ReportLabelRows& block, std::vector<Chunk>& out) const {
    int labelWidth = 0;
    for (const ReportLabelRow& row : block.rows) {
        labelWidth = std::max(labelWidth, measure_(ReportStyle::BODY, row.label + ":"));
    }
    const int left = geometry_.content.left;
    const int valueX = left + labelWidth + Gap();
    // Long labels leave the values at least a third of the page.
    const int valueWidth =
        std::max(geometry_.content.right - valueX, geometry_.content.Width() / 3);
    const int lh = LineHeight(ReportStyle::BODY);
    for (const ReportLabelRow& row : block.rows) {
        std::vector<std::string> lines;
        for (const std::string& line : row.lines) {
            for (std::string& part : Wrap(ReportStyle::BODY, line, valueWidth)) {
                lines.push_back(std::move(part));
            }
        }
        Chunk chunk{lh * std::max<int>(1, static_cast<int>(lines.size())),
                    {ReportTextItem{row.label + ":", left, 0, ReportStyle::BODY}}};
        for (size_t k = 0; k < lines.size(); ++k) {
            chunk.items.push_back(
                ReportTextItem{lines[k], valueX, static_cast<int>(k) * lh, ReportStyle::BODY});
        }
        out.push_back(std::move(chunk));
    }
}

void CReportLayout::AddChunks(const ReportStageLines& block, std::vector<Chunk>& out) const {
    int leadWidth = 0;
    int itemWidth = 0;
    int most = 1;
    for (const ReportStageLine& stage : block.stages) {
        leadWidth = std::max(leadWidth, measure_(ReportStyle::BODY, stage.lead));
        for (const std::string& item : stage.items) {
            itemWidth = std::max(itemWidth, measure_(ReportStyle::BODY, item));
        }
        most = std::max(most, static_cast<int>(stage.items.size()));
    }
    const PlotRect& c = geometry_.content;
    const int firstX = c.left + leadWidth + Gap();
    const int column = itemWidth + Gap();
    // As many as fit, spread evenly over the lines a stage needs: six items that need two
    // lines go three and three rather than five and one.
    const int fit = std::max(1, (c.right - firstX + Gap()) / std::max(1, column));
    const int lines = (most + fit - 1) / fit;
    const int perLine = (most + lines - 1) / lines;
    const int lh = LineHeight(ReportStyle::BODY);
    // Stages of several lines each are set apart by a third of a line.
    const int apart = lines > 1 ? lh / 3 : 0;
    for (const ReportStageLine& stage : block.stages) {
        const int count = static_cast<int>(stage.items.size());
        Chunk chunk{lh * std::max(1, (count + perLine - 1) / perLine) + apart,
                    {ReportTextItem{stage.lead, c.left, 0, ReportStyle::BODY}}};
        for (int i = 0; i < count; ++i) {
            chunk.items.push_back(ReportTextItem{stage.items[static_cast<size_t>(i)],
                                                 firstX + (i % perLine) * column,
                                                 (i / perLine) * lh, ReportStyle::BODY});
        }
        out.push_back(std::move(chunk));
    }
}

void CReportLayout::AddChunks(const ReportTable& block, std::vector<Chunk>& out) const {
    std::vector<int> widths;
    std::vector<int> least;  // of the longest word
    for (size_t r = 0; r < block.rows.size(); ++r) {
        const ReportStyle style = r == 0 ? ReportStyle::HEADING : ReportStyle::BODY;
        const auto& row = block.rows[r];
        widths.resize(std::max(widths.size(), row.size()), 0);
        least.resize(widths.size(), 0);
        for (size_t k = 0; k < row.size(); ++k) {
            widths[k] = std::max(widths[k], measure_(style, row[k]));
            for (const std::string& word : Wrap(style, row[k], 0)) {
                least[k] = std::max(least[k], measure_(style, word));
            }
        }
    }
    FitColumns(widths, least,
               geometry_.content.Width() - 2 * Gap() * (static_cast<int>(widths.size()) - 1));
    const int header = static_cast<int>(out.size());
    for (size_t r = 0; r < block.rows.size(); ++r) {
        const ReportStyle style = r == 0 ? ReportStyle::HEADING : ReportStyle::BODY;
        const int lh = LineHeight(style);
        Chunk chunk{lh, {}, r == 0, r == 0 ? -1 : header};
        int x = geometry_.content.left;
        for (size_t k = 0; k < block.rows[r].size(); ++k) {
            const std::vector<std::string> lines = Wrap(style, block.rows[r][k], widths[k]);
            for (size_t i = 0; i < lines.size(); ++i) {
                chunk.items.push_back(ReportTextItem{lines[i], x, static_cast<int>(i) * lh, style});
            }
            chunk.height = std::max(chunk.height, lh * static_cast<int>(lines.size()));
            x += widths[k] + 2 * Gap();
        }
        out.push_back(std::move(chunk));
    }
}

void CReportLayout::AddChunks(const ReportTextLines& block, std::vector<Chunk>& out) const {
    const int lh = LineHeight(ReportStyle::BODY);
    for (const std::string& line : block.lines) {
        // A line too long for the page goes on below, its parts kept together.
        Chunk chunk{0, {}};
        for (std::string& part : Wrap(ReportStyle::BODY, line, geometry_.content.Width())) {
            chunk.items.push_back(ReportTextItem{std::move(part), geometry_.content.left,
                                                 chunk.height, ReportStyle::BODY});
            chunk.height += lh;
        }
        chunk.height = std::max(chunk.height, lh);  // an empty line keeps its place
        out.push_back(std::move(chunk));
    }
}

void CReportLayout::AddChunks(const ReportPicture& block, std::vector<Chunk>& out) const {
    if (block.width <= 0 || block.height <= 0) {
        return;
    }
    // Three quarters of the width, and no more than two fifths of the height, so that the
    // picture leaves room for the rows around it.
    const PlotRect& c = geometry_.content;
    const double scale = std::min(0.75 * c.Width() / block.width, 0.4 * c.Height() / block.height);
    const int w = Round(block.width * scale);
    const int h = Round(block.height * scale);
    out.push_back({h + Gap(), {ReportPictureItem{block.picture, {c.left, 0, c.left + w, h}}}});
}

}  // namespace vx
