#pragma once

#include <string>
#include <vector>

#include "report/report_layout.h"

// What the printed result report says, section by section: the title, the specification, the
// tolerance scheme when one of the filter's type is kept, the individual pole data, the component
// values, the stage schematic, the filter parameters when the user asked for them, the tolerance
// analysis when it was run, and the footer with date, designer and tool.
namespace vx {

class CCharacter;
class CFilter;
class CFilterStructure;
class COpv;
struct NoiseStudy;
struct ToleranceResult;

inline constexpr const char* kReportToolName = "Veltranix 3.3";
inline constexpr const char* kReportToolVersion = "Version 3.3.7";

struct PrintedReportContent {
    const CFilter& filter;
    const CCharacter& character;
    const COpv& opv;
    // The structure that designed the filter; it supplies the filter parameters.
    const CFilterStructure& structure;
    std::string designerName;
    std::string designerOrganisation;  // may be empty
    // The tolerance analysis and the poles' sensitivities when it was run, before the footer.
    const ToleranceResult* tolerance = nullptr;
    // What the design check found, listed after the component values; none for a sound design.
    std::vector<std::string> findings = {};
    // The noise and headroom figures when they were asked for, after the tolerance analysis.
    const NoiseStudy* noise = nullptr;
};

std::vector<ReportSection> PrintedReportSections(const PrintedReportContent& content);

}  // namespace vx
