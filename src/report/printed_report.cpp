#include "report/printed_report.h"

#include <algorithm>

#include "analysis/noise/noise_text.h"
#include "analysis/tolerance_messages.h"
#include "model/character.h"
#include "model/filter.h"
#include "model/filter_rules.h"
#include "model/number_format.h"
#include "model/pole_input.h"
#include "model/tolerance_scheme.h"
#include "report/dimensioning_text.h"
#include "report/filter_parameter_rows.h"
#include "report/schematic_pictures.h"
#include "report/specification_rows.h"
#include "report/tolerance_rows.h"
#include "session/design_check_messages.h"

namespace vx {

namespace {

ReportLabelRows LabelRows(const std::vector<LabelRow>& rows) {
    ReportLabelRows block;
    for (const LabelRow& row : rows) {
        block.rows.push_back({row.label, {row.value}});
    }
    return block;
}

ReportSection Specification(const PrintedReportContent& c) {
    return {"Spezifikation", ReportStyle::HEADING, {LabelRows(SpecificationRows(c.filter, c.opv))}};
}

ReportSection PoleData(const PrintedReportContent& c) {
    ReportTable table{{{"Stufe", "Polgüte Q", "Normierte Polfrequenz"}}};
    const int stages = std::min(c.filter.StageCount(), kMaxStages);
    for (int i = 0; i < stages; ++i) {
        const auto k = static_cast<size_t>(i);
        table.rows.push_back({FormatInt(i + 1), PoleValueText(c.character.individualQ[k]),
                              PoleValueText(c.character.individualFrequency[k])});
    }
    return {"Parameter der individuellen Charakteristik", ReportStyle::HEADING, {table}};
}

ReportSection Components(const CFilter& filter) {
    ReportStageLines lines;
    const int columns = std::clamp(filter.Stage(0).count, 0, kMaxComponents);
    for (int i = 0; i < filter.StageCount(); ++i) {
        ReportStageLine line{"Stufe " + FormatInt(i + 1) + ":", {}};
        for (int k = 0; k < columns; ++k) {
            line.items.push_back(filter.ComponentName(i, k) + "=" +
                                 ComponentValueText(filter, i, k));
        }
        lines.stages.push_back(std::move(line));
    }
    ReportSection section{"Bauteilwerte", ReportStyle::HEADING, {lines}};
    if (filter.Type() == FilterType::BANDREJECT) {
        ReportTextLines realisations;
        for (int k = 0; k < 2; ++k) {
            if (std::string text = RealisationText(filter, k); !text.empty()) {
                realisations.lines.push_back(std::move(text));
            }
        }
        realisations.lines.push_back(CapacitorRealisationText(filter));
        section.blocks.emplace_back(std::move(realisations));
    }
    return section;
}

ReportSection Schematic(const CFilter& filter) {
    ReportSection section{"Schaltung einer Stufe", ReportStyle::HEADING, {}};
    if (const auto picture =
            ChooseSchematicPicture(filter.Type(), filter.Structure(), filter.GainDb())) {
        const PictureSize size = SchematicPngSize(*picture);
        section.blocks.emplace_back(ReportPicture{*picture, size.width, size.height});
    }
    return section;
}

ReportSection FilterParameters(const CFilterStructure& structure) {
    ReportTable table;
    for (const auto& row : FilterParameterRows(structure)) {
        table.rows.emplace_back(row.begin(), row.end());
    }
    // The printed table has short column names of its own.
    table.rows.front() = {"Stage", "Q", "f", "f_norm", "A"};
    return {"Filterparameter", ReportStyle::HEADING, {table}};
}

// A column for each figure: the page has no room for a figure's six cells in a row.
ReportTable Transposed(const TextTable& table) {
    ReportTable block;
    for (size_t k = 0; k < table.header.size(); ++k) {
        std::vector<std::string> line = {table.header[k]};
        for (const std::vector<std::string>& row : table.rows) {
            line.push_back(k < row.size() ? row[k] : std::string());
        }
        block.rows.push_back(std::move(line));
    }
    return block;
}

ReportSection Tolerance(const ToleranceResult& result) {
    ReportSection section{
        tolerance_text::kCaption,
        ReportStyle::HEADING,
        {LabelRows(ToleranceSettingRows(result)), Transposed(ToleranceFigureTable(result))}};
    if (std::vector<std::string> notes = ToleranceFigureNotes(result); !notes.empty()) {
        section.blocks.emplace_back(ReportTextLines{std::move(notes)});
    }
    section.blocks.emplace_back(LabelRows(ToleranceYieldRows(result)));
    return section;
}

ReportSection Noise(const NoiseStudy& study) {
    ReportSection section{
        kNoiseTitle, ReportStyle::HEADING, {ReportTextLines{NoiseSummaryLines(study)}}};
    for (NoiseTable& table : NoiseTables(study)) {
        section.blocks.emplace_back(ReportTextLines{{table.heading}});
        section.blocks.emplace_back(ReportTable{std::move(table.cells)});
    }
    return section;
}

ReportSection Footer(const PrintedReportContent& c) {
    std::vector<std::string> designer = {c.designerName};
    if (!c.designerOrganisation.empty()) {
        designer.push_back(c.designerOrganisation);
    }
    return {"",
            ReportStyle::BODY,
            {ReportLabelRows{{{"Datum", {c.filter.CreationStamp()}},
                              {"Designer", designer},
                              {"Erstellt mit", {kReportToolName, kReportToolVersion}}}}}};
}

}  // namespace

std::vector<ReportSection> PrintedReportSections(const PrintedReportContent& content) {
    const CFilter& filter = content.filter;
    std::vector<ReportSection> sections = {
        {"Filterdesign \"" + filter.documentName + "\"", ReportStyle::TITLE, {}},
        Specification(content)};
    if (const std::vector<LabelRow> scheme = SchemeRows(filter); !scheme.empty()) {
        sections.push_back({kSchemeTitle, ReportStyle::HEADING, {LabelRows(scheme)}});
    }
    if (filter.GetCharacteristic() == Characteristic::INDIVIDUAL &&
        filter.Type() != FilterType::BANDREJECT) {
        sections.push_back(PoleData(content));
    }
    sections.push_back(Components(filter));
    if (!content.findings.empty()) {
        sections.push_back(
            {check::kFindingsHeading, ReportStyle::HEADING, {ReportTextLines{content.findings}}});
    }
    sections.push_back(Schematic(filter));
    if (filter.filterparamsInOutput) {
        sections.push_back(FilterParameters(content.structure));
    }
    if (content.tolerance != nullptr) {
        sections.push_back(Tolerance(*content.tolerance));
        sections.push_back({tolerance_text::kSensitivities,
                            ReportStyle::HEADING,
                            {ReportTable{SensitivityTable(*content.tolerance).HeaderAndRows()}}});
    }
    if (content.noise != nullptr) {
        sections.push_back(Noise(*content.noise));
    }
    sections.push_back(Footer(content));
    return sections;
}

}  // namespace vx
