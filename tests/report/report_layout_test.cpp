#include "report/report_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace vx {
namespace {

// Every character 8 units wide in the body, 10 in headings and 12 in the title.
int Measure(ReportStyle style, const std::string& text) {
    const int width = style == ReportStyle::BODY ? 8 : style == ReportStyle::HEADING ? 10 : 12;
    return width * static_cast<int>(text.size());
}

ReportGeometry Geometry(int width, int height) {
    return {{50, 40, 50 + width, 40 + height}, 14};
}

std::vector<const ReportTextItem*> Texts(const ReportPage& page) {
    std::vector<const ReportTextItem*> texts;
    for (const ReportItem& item : page.items) {
        if (const auto* text = std::get_if<ReportTextItem>(&item)) {
            texts.push_back(text);
        }
    }
    return texts;
}

// Page and position of the first text that reads `text`.
struct Found {
    int page = -1;
    const ReportTextItem* item = nullptr;
};
Found Find(const std::vector<ReportPage>& pages, const std::string& text) {
    for (size_t p = 0; p < pages.size(); ++p) {
        for (const ReportTextItem* t : Texts(pages[p])) {
            if (t->text == text) {
                return {static_cast<int>(p), t};
            }
        }
    }
    return {};
}

ReportSection Rows(const std::string& heading, int count) {
    ReportLabelRows rows;
    for (int i = 0; i < count; ++i) {
        rows.rows.push_back({heading + " " + std::to_string(i), {"Wert"}});
    }
    return {heading, ReportStyle::HEADING, {rows}};
}

// Sections stay whole on a page when they fit on one, a longer one is split between rows with
// its heading kept above its first row, and nothing leaves the page's content area.
TEST(ReportLayout, BreaksPagesBetweenSectionsAndKeepsHeadingsWithTheirRows) {
    const ReportGeometry geometry = Geometry(600, 500);
    const CReportLayout layout(geometry, Measure);
    // Body lines are 19 units high: about 25 to a page.
    const std::vector<ReportSection> sections = {{"Titel", ReportStyle::TITLE, {}},
                                                 Rows("A", 12),
                                                 Rows("B", 12),
                                                 Rows("C", 60),
                                                 Rows("D", 3)};
    const std::vector<ReportPage> pages = layout.Paginate(sections);
    ASSERT_GE(pages.size(), 4u);

    // B does not fit below A: heading and all rows move to the next page together.
    const Found a = Find(pages, "A");
    const Found b = Find(pages, "B");
    EXPECT_EQ(a.page, 0);
    EXPECT_EQ(b.page, 1);
    EXPECT_EQ(Find(pages, "B 11:").page, 1);
    // C is longer than a page: it starts right below B and runs over the following pages.
    const Found c = Find(pages, "C");
    EXPECT_EQ(c.page, 1);
    EXPECT_EQ(Find(pages, "C 0:").page, 1);
    EXPECT_GT(Find(pages, "C 59:").page, 2);

    const int bodyLine = 19;
    for (size_t p = 0; p < pages.size(); ++p) {
        const auto texts = Texts(pages[p]);
        ASSERT_FALSE(texts.empty()) << p;
        for (const ReportTextItem* t : texts) {
            EXPECT_GE(t->y, geometry.content.top) << t->text;
            EXPECT_LE(t->y + bodyLine, geometry.content.bottom) << t->text;
            EXPECT_GE(t->x, geometry.content.left) << t->text;
            EXPECT_LE(t->x + Measure(t->style, t->text), geometry.content.right) << t->text;
        }
        // A page never ends with a heading: the last text above the page number is a row's.
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[texts.size() - 2]->style, ReportStyle::BODY) << p;
    }
    // A value stands beside its label, the values of a section in one column.
    const Found label = Find(pages, "A 0:");
    const Found value = Find(pages, "Wert");
    EXPECT_EQ(label.item->y, value.item->y);
    EXPECT_GE(value.item->x, label.item->x + Measure(ReportStyle::BODY, "A 10:"));
}

// Every page ends with its number, right-aligned below everything else; a table that runs over
// pages repeats its header row at the top of each, and no row is lost or repeated.
TEST(ReportLayout, NumbersThePagesAndRepeatsTableHeaders) {
    const ReportGeometry geometry = Geometry(600, 500);
    const CReportLayout layout(geometry, Measure);
    ReportTable table{{{"Stufe", "Betrag"}}};
    for (int i = 0; i < 50; ++i) {
        std::string value = "w";
        value += std::to_string(i);
        table.rows.push_back({std::to_string(i), value});
    }
    struct Case {
        std::vector<ReportSection> sections;
        size_t pages;
    };
    const Case cases[] = {
        {{Rows("A", 3)}, 1},
        // Rows of A fill most of the first page, so the table breaks twice.
        {{Rows("A", 12), {"Tabelle", ReportStyle::HEADING, {table}}}, 3},
    };
    for (const Case& c : cases) {
        const std::vector<ReportPage> pages = layout.Paginate(c.sections);
        ASSERT_EQ(pages.size(), c.pages);
        std::vector<std::string> rows;
        for (size_t p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(p);
            const auto texts = Texts(pages[p]);
            const ReportTextItem* number = texts.back();
            std::string expected = "Seite ";
            expected += std::to_string(p + 1) + " von " + std::to_string(pages.size());
            EXPECT_EQ(number->text, expected);
            EXPECT_EQ(number->x + Measure(number->style, number->text), geometry.content.right);
            EXPECT_LE(number->y + 19, geometry.content.bottom);
            int headerY = -1;
            for (const ReportTextItem* t : texts) {
                if (t != number) {
                    EXPECT_LT(t->y + 19, number->y) << t->text;
                }
                if (t->text == "Betrag") {
                    EXPECT_EQ(headerY, -1) << "header twice";
                    headerY = t->y;
                } else if (t->text[0] == 'w') {
                    EXPECT_GE(headerY, 0) << t->text << " without the header above it";
                    EXPECT_GT(t->y, headerY);
                    rows.push_back(t->text);
                }
            }
        }
        if (c.pages > 1) {
            ASSERT_EQ(rows.size(), 50u);
            EXPECT_EQ(rows.back(), "w49");
        }
    }
}

// The stage lines set their items in columns that line up from stage to stage, wrapping onto
// further lines, evenly filled, when the page is too narrow for them.
TEST(ReportLayout, StageItemsLineUpAndWrap) {
    ReportStageLines lines;
    lines.stages.push_back({"Stufe 1:", {"R1=10 kOhm", "R2=1 kOhm", "C1=10 nF", "C2=2,2 nF"}});
    lines.stages.push_back({"Stufe 2:", {"R1=1 kOhm", "R2=12,4 kOhm", "C1=1 nF", "C2=220 pF"}});
    const std::vector<ReportSection> sections = {{"Bauteilwerte", ReportStyle::HEADING, {lines}}};
    struct Case {
        int width;
        int rowsPerStage;
    };
    for (const Case& c : {Case{600, 1}, Case{400, 2}, Case{330, 2}, Case{150, 4}}) {
        SCOPED_TRACE(c.width);
        const auto pages = CReportLayout(Geometry(c.width, 800), Measure).Paginate(sections);
        ASSERT_EQ(pages.size(), 1u);
        std::map<int, std::vector<int>> columnsOfItem;  // item index -> x in each stage
        std::vector<int> rowsOfStage;
        for (const ReportStageLine& stage : lines.stages) {
            std::vector<int> ys;
            for (size_t k = 0; k < stage.items.size(); ++k) {
                const Found f = Find(pages, stage.items[k]);
                ASSERT_NE(f.item, nullptr);
                columnsOfItem[static_cast<int>(k)].push_back(f.item->x);
                if (ys.empty() || ys.back() != f.item->y) {
                    ys.push_back(f.item->y);
                }
            }
            rowsOfStage.push_back(static_cast<int>(ys.size()));
        }
        for (const auto& [k, xs] : columnsOfItem) {
            EXPECT_EQ(xs[0], xs[1]) << k;
        }
        EXPECT_EQ(rowsOfStage, (std::vector<int>{c.rowsPerStage, c.rowsPerStage}));
        // Three would fit in 400 units, but the four items go two and two.
        if (c.width == 400) {
            EXPECT_GT(Find(pages, "C1=10 nF").item->y, Find(pages, "R2=1 kOhm").item->y);
        }
        // The second stage starts below the last line of the first.
        EXPECT_GT(Find(pages, "Stufe 2:").item->y, Find(pages, "C2=2,2 nF").item->y);
    }
}

// A value too long for the page wraps between its words below itself, and a table too wide for
// it cuts its widest columns and wraps their cells: nothing leaves the page, no word is lost,
// and the next row starts below the last line of the one before.
TEST(ReportLayout, LongValuesAndWideTablesWrapWithinThePage) {
    const std::string sentence =
        "eine Beschreibung die weit länger ist als die Seite breit und deshalb umbrochen wird";
    const std::string name = "Grenzfrequenz (3,01 dB unter der Durchlassverstärkung)";
    const ReportSection section{"Toleranzanalyse",
                                ReportStyle::HEADING,
                                {ReportLabelRows{{{"Maske", {sentence}}, {"Danach", {"ja"}}}},
                                 ReportTable{{{"Kennwert", "Ihr Filter", "Standardabweichung"},
                                              {name, "1,000 kHz", "12,34 Hz (1,234 %)"},
                                              {"Verstärkung", "6 dB", "0,1 dB"}}},
                                 ReportTextLines{{"Stufe 2: " + sentence, "Ende"}}}};
    const ReportGeometry geometry = Geometry(600, 800);
    const auto pages = CReportLayout(geometry, Measure).Paginate({section});
    ASSERT_EQ(pages.size(), 1u);
    const auto texts = Texts(pages[0]);
    for (const ReportTextItem* t : texts) {
        EXPECT_LE(t->x + Measure(t->style, t->text), geometry.content.right) << t->text;
    }
    // The lines at `x` from `top` to above `bottom`, joined; and how many there were.
    auto joined = [&](int x, int top, int bottom) {
        std::string text;
        int lines = 0;
        for (const ReportTextItem* t : texts) {
            if (t->x == x && t->y >= top && t->y < bottom) {
                text += (text.empty() ? "" : " ") + t->text;
                ++lines;
            }
        }
        return std::pair{text, lines};
    };
    auto startingWith = [&](const std::string& start) {
        for (const ReportTextItem* t : texts) {
            if (t->text.rfind(start, 0) == 0) {
                return t;
            }
        }
        return static_cast<const ReportTextItem*>(nullptr);
    };
    const ReportTextItem* value = startingWith("eine Beschreibung");
    const ReportTextItem* cell = startingWith("Grenzfrequenz");
    ASSERT_NE(value, nullptr);
    ASSERT_NE(cell, nullptr);
    const auto [wrappedValue, valueLines] =
        joined(value->x, value->y, Find(pages, "Danach:").item->y);
    EXPECT_EQ(wrappedValue, sentence);
    EXPECT_GE(valueLines, 2);
    const auto [wrappedCell, cellLines] =
        joined(cell->x, cell->y, Find(pages, "Verstärkung").item->y);
    EXPECT_EQ(wrappedCell, name);
    EXPECT_GE(cellLines, 2);
    // The row's other cells stand beside its first line; a column that fits stays whole.
    EXPECT_EQ(Find(pages, "1,000 kHz").item->y, cell->y);
    EXPECT_EQ(Find(pages, "12,34 Hz (1,234 %)").item->y, cell->y);
    // A text line goes on below itself, before the next line.
    const ReportTextItem* line = startingWith("Stufe 2:");
    ASSERT_NE(line, nullptr);
    const auto [wrappedLine, lineLines] = joined(line->x, line->y, Find(pages, "Ende").item->y);
    EXPECT_EQ(wrappedLine, "Stufe 2: " + sentence);
    EXPECT_GE(lineLines, 2);
}

TEST(ReportLayout, PictureIsScaledIntoThePage) {
    for (const auto& [width, height] : {std::pair{1000, 1400}, {1400, 1000}, {300, 2000}}) {
        const ReportGeometry geometry = Geometry(width, height);
        const auto pages = CReportLayout(geometry, Measure)
                               .Paginate({{"Schaltung",
                                           ReportStyle::HEADING,
                                           {ReportPicture{SchematicPicture::BR_TT, 640, 320}}}});
        const auto& items = pages.at(0).items;
        const auto at = std::find_if(items.begin(), items.end(), [](const ReportItem& item) {
            return std::holds_alternative<ReportPictureItem>(item);
        });
        ASSERT_NE(at, items.end());
        const auto& picture = std::get<ReportPictureItem>(*at);
        const PlotRect& r = picture.rect;
        EXPECT_EQ(picture.picture, SchematicPicture::BR_TT);
        EXPECT_NEAR(r.Width(), 2.0 * r.Height(), 1.0);
        EXPECT_LE(r.Width(), 0.75 * width + 1);
        EXPECT_LE(r.Height(), 0.4 * height + 1);
        // As large as the tighter of the two limits allows.
        EXPECT_TRUE(r.Width() >= 0.75 * width - 1 || r.Height() >= 0.4 * height - 1);
        EXPECT_GE(r.top, geometry.content.top);
    }
}

// The report's font and margins keep their physical size on every printer: twice the
// resolution gives twice the units, and a device with oblong pixels gets the font height and
// the top margin in its vertical units.
TEST(ReportLayout, GeometryKeepsItsPhysicalSize) {
    const ReportGeometry coarse = ReportPageGeometry(4960, 7015, 600, 600);
    const ReportGeometry fine = ReportPageGeometry(9920, 14030, 1200, 1200);
    const ReportGeometry oblong = ReportPageGeometry(4960, 14030, 600, 1200);
    EXPECT_NEAR(fine.fontHeight, 2 * coarse.fontHeight, 1);
    EXPECT_NEAR(fine.content.left, 2 * coarse.content.left, 1);
    EXPECT_EQ(coarse.content.left, coarse.content.top);
    EXPECT_EQ(coarse.content.right, 4960 - coarse.content.left);
    EXPECT_NEAR(oblong.fontHeight, fine.fontHeight, 1);
    EXPECT_NEAR(oblong.content.top, fine.content.top, 1);
    EXPECT_EQ(oblong.content.left, coarse.content.left);
    EXPECT_GT(coarse.fontHeight, 0);
}

}  // namespace
}  // namespace vx
