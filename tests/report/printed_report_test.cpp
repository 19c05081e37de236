#include "report/printed_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "../structures/design_fixture.h"
#include "analysis/tolerance_analysis.h"
#include "report/dimensioning_text.h"
#include "report/tolerance_rows.h"
#include "session/design_session.h"

namespace vx {
namespace {

std::vector<std::string> Headings(const std::vector<ReportSection>& sections) {
    std::vector<std::string> headings;
    for (const ReportSection& s : sections) {
        headings.push_back(s.heading);
    }
    return headings;
}

const ReportSection& SectionOf(const std::vector<ReportSection>& sections,
                               const std::string& heading) {
    for (const ReportSection& s : sections) {
        if (s.heading == heading) {
            return s;
        }
    }
    throw std::invalid_argument("no section " + heading);
}

std::vector<std::string> Labels(const ReportSection& section) {
    std::vector<std::string> labels;
    for (const ReportLabelRow& row : std::get<ReportLabelRows>(section.blocks.at(0)).rows) {
        labels.push_back(row.label);
    }
    return labels;
}

// The sections follow the report's order and leave out what a design does not have: the pole
// data without the individual characteristic, the filter parameters without the option, the
// tolerance scheme without one of the filter's type.
TEST(PrintedReport, SectionsInOrderForEachKindOfDesign) {
    struct Case {
        const char* name;
        std::function<void(CDesignSession&)> specify;
        bool filterParameters;
        std::vector<std::string> headings;
    };
    const Case cases[] = {
        {"first-order low-pass",
         [](CDesignSession& s) {
             test::Specify(s, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                           Characteristic::BUTTERWORTH, 1, 1000.0, 0.0, ResistorSeries::E24);
             // Of another type: no section.
             s.Filter().scheme =
                 ToleranceScheme{FilterType::HIGHPASS, 1e3, 0, 1, 300, 0, 40, {}, {}};
         },
         false,
         {"Filterdesign \"Filter1\"", "Spezifikation", "Bauteilwerte", "Schaltung einer Stufe",
          ""}},
        {"individual high-pass with parameters",
         [](CDesignSession& s) {
             s.Character().individualQ[0] = 0.7;
             s.Character().individualFrequency[0] = 1.1;
             s.Character().individualQ[1] = 2.0;
             s.Character().individualFrequency[1] = 0.9;
             test::Specify(s, FilterType::HIGHPASS, StructureKind::MFB, Characteristic::INDIVIDUAL,
                           4, 2000.0, 0.0, ResistorSeries::E24);
             s.Filter().scheme =
                 ToleranceScheme{FilterType::HIGHPASS, 2e3, 0, 1, 300, 0, 40, {}, {}};
         },
         true,
         {"Filterdesign \"Filter1\"", "Spezifikation", "Toleranzschema",
          "Parameter der individuellen Charakteristik", "Bauteilwerte", "Schaltung einer Stufe",
          "Filterparameter", ""}},
        {"band-stop",
         [](CDesignSession& s) {
             s.Filter().SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E96, 0,
                                                   50.0, 1e4, 2.0);
         },
         false,
         {"Filterdesign \"Filter1\"", "Spezifikation", "Bauteilwerte", "Schaltung einer Stufe",
          ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDesignSession session;
        c.specify(session);
        session.Filter().filterparamsInOutput = c.filterParameters;
        SilentMonitor monitor;
        ASSERT_TRUE(session.Design(monitor));
        const CFilter& filter = session.Filter();
        const auto sections = PrintedReportSections(
            {filter, session.Character(), session.OpAmps(), *session.Current(), "Ida Kern", ""});
        EXPECT_EQ(Headings(sections), c.headings);
        EXPECT_EQ(sections.front().headingStyle, ReportStyle::TITLE);

        // Every component of every stage, with the value the dimensioning shows.
        const auto& stages =
            std::get<ReportStageLines>(SectionOf(sections, "Bauteilwerte").blocks.at(0)).stages;
        ASSERT_EQ(static_cast<int>(stages.size()), filter.StageCount());
        for (int i = 0; i < filter.StageCount(); ++i) {
            const auto& items = stages[static_cast<size_t>(i)].items;
            EXPECT_EQ(stages[static_cast<size_t>(i)].lead, "Stufe " + std::to_string(i + 1) + ":");
            ASSERT_EQ(static_cast<int>(items.size()), filter.Stage(0).count);
            for (int k = 0; k < filter.Stage(0).count; ++k) {
                EXPECT_EQ(items[static_cast<size_t>(k)],
                          filter.ComponentName(i, k) + "=" + ComponentValueText(filter, i, k));
            }
        }
        const std::vector<std::string> spec = Labels(SectionOf(sections, "Spezifikation"));
        const bool characteristic =
            std::find(spec.begin(), spec.end(), "Charakteristik") != spec.end();
        EXPECT_EQ(characteristic, filter.Order() > 1 && filter.Type() != FilterType::BANDREJECT);
        // The band-stop lists how R1, R2 and C2 are made, after its values.
        const auto& components = SectionOf(sections, "Bauteilwerte").blocks;
        if (filter.Type() == FilterType::BANDREJECT) {
            ASSERT_EQ(components.size(), 2u);
            const auto& lines = std::get<ReportTextLines>(components[1]).lines;
            ASSERT_EQ(lines.size(), 3u);
            EXPECT_EQ(lines[0], RealisationText(filter, 0));
            EXPECT_EQ(lines[2], CapacitorRealisationText(filter));
        } else {
            EXPECT_EQ(components.size(), 1u);
        }
        if (c.filterParameters) {
            const auto& rows =
                std::get<ReportTable>(SectionOf(sections, "Filterparameter").blocks.at(0)).rows;
            EXPECT_EQ(rows.front(), (std::vector<std::string>{"Stage", "Q", "f", "f_norm", "A"}));
            EXPECT_EQ(static_cast<int>(rows.size()), filter.StageCount() + 1);
        }
        const auto& picture =
            std::get<ReportPicture>(SectionOf(sections, "Schaltung einer Stufe").blocks.at(0));
        EXPECT_EQ(picture.width, 640);
        EXPECT_EQ(picture.height, 320);
    }
}

// An analysis that was run comes before the footer: its settings, its figures with a column
// for each (the page is too narrow for a row of six cells), the yield, and the sensitivities.
TEST(PrintedReport, ToleranceAnalysisBeforeTheFooter) {
    CDesignSession session;
    test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::BUTTERWORTH, 4, 1000.0, 0.0, ResistorSeries::E24);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    ToleranceSettings settings = ToleranceSettings::For(session.Filter());
    settings.runs = 20;
    const ToleranceRun run = CToleranceAnalysis(session, settings).Run(monitor);
    ASSERT_EQ(run.outcome, ToleranceOutcome::DONE);
    PrintedReportContent content{session.Filter(),   session.Character(), session.OpAmps(),
                                 *session.Current(), "Ida Kern",          ""};
    content.tolerance = &run.result;
    const auto sections = PrintedReportSections(content);
    const std::vector<std::string> headings = Headings(sections);
    ASSERT_GE(headings.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(headings.end() - 3, headings.end()),
              (std::vector<std::string>{"Toleranzanalyse", "Empfindlichkeiten der Pole", ""}));

    const auto& blocks = SectionOf(sections, "Toleranzanalyse").blocks;
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(std::get<ReportLabelRows>(blocks[0]).rows.size(),
              ToleranceSettingRows(run.result).size());
    const TextTable figures = ToleranceFigureTable(run.result);
    const auto& printed = std::get<ReportTable>(blocks[1]).rows;
    ASSERT_EQ(printed.size(), figures.header.size());
    for (size_t k = 0; k < printed.size(); ++k) {
        ASSERT_EQ(printed[k].size(), figures.rows.size() + 1);
        EXPECT_EQ(printed[k][0], figures.header[k]);
        for (size_t f = 0; f < figures.rows.size(); ++f) {
            EXPECT_EQ(printed[k][f + 1], figures.rows[f][k]);
        }
    }
    EXPECT_EQ(std::get<ReportLabelRows>(blocks[2]).rows.front().label, "Ausbeute");
    const auto& sensitivities =
        std::get<ReportTable>(SectionOf(sections, "Empfindlichkeiten der Pole").blocks.at(0)).rows;
    EXPECT_EQ(sensitivities.size(), run.result.sensitivities.size() + 1);
}

TEST(PrintedReport, FindingsFollowTheComponentValues) {
    CDesignSession session;
    test::Specify(session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::BUTTERWORTH, 2, 1000.0, 0.0, ResistorSeries::E24);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    PrintedReportContent content{session.Filter(),   session.Character(), session.OpAmps(),
                                 *session.Current(), "Ida Kern",          ""};
    const std::vector<std::string> sound = Headings(PrintedReportSections(content));
    content.findings = {"Stufe 1: R1 = 1 Ohm liegt außerhalb"};
    const auto sections = PrintedReportSections(content);
    std::vector<std::string> flawed = sound;
    flawed.insert(std::find(flawed.begin(), flawed.end(), "Bauteilwerte") + 1,
                  "Warnungen zum Entwurf");
    EXPECT_EQ(Headings(sections), flawed);
    EXPECT_EQ(
        std::get<ReportTextLines>(SectionOf(sections, "Warnungen zum Entwurf").blocks.at(0)).lines,
        content.findings);
}

TEST(PrintedReport, FooterNamesDateDesignerAndTool) {
    CDesignSession session;
    session.Filter().SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E24, 0,
                                                50.0, 1e4, 2.0);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    session.Filter().SetCreationStamp("2024-03-05 14:07");
    for (const std::string& organisation : {std::string("Labor Süd"), std::string()}) {
        const auto sections =
            PrintedReportSections({session.Filter(), session.Character(), session.OpAmps(),
                                   *session.Current(), "Ida Kern", organisation});
        const auto& rows = std::get<ReportLabelRows>(sections.back().blocks.at(0)).rows;
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].label, "Datum");
        EXPECT_EQ(rows[0].lines, std::vector<std::string>{"2024-03-05 14:07"});
        EXPECT_EQ(rows[1].label, "Designer");
        // Name and organisation on two lines; no empty second line without one.
        std::vector<std::string> designer = {"Ida Kern"};
        if (!organisation.empty()) {
            designer.push_back(organisation);
        }
        EXPECT_EQ(rows[1].lines, designer);
        EXPECT_EQ(rows[2].label, "Erstellt mit");
        EXPECT_EQ(rows[2].lines, (std::vector<std::string>{"Veltranix 3.3", "Version 3.3.7"}));
    }
}

}  // namespace
}  // namespace vx
