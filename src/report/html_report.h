#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/user_message.h"

// The result as an XHTML page with the stage schematic beside it: NAME.htm and
// NAME-Dateien/NAME.png.
namespace vx {

class CCharacter;
class CFilter;
class CFilterStructure;
class COpv;
struct NoiseStudy;
struct ToleranceResult;

// Everything a report shows besides its name; the structure is the one that designed the filter
// and supplies the filter parameters.
struct HtmlReportContent {
    const CFilter& filter;
    const CCharacter& character;
    const COpv& opv;
    const CFilterStructure& structure;
    std::string designer;  // name and organisation in one text, see DesignerText
    // A "Toleranzanalyse" section when the analysis was run.
    const ToleranceResult* tolerance = nullptr;
    // What the design check found, listed after the component values; none for a sound design.
    std::vector<std::string> findings = {};
    // A "Rauschen und Aussteuerung" section when the figures were asked for.
    const NoiseStudy* noise = nullptr;
};

// The picture's address relative to the page, "NAME-Dateien/NAME.png" as a URL path.
std::string HtmlPictureAddress(const std::string& name);

// The page of a report named `name`, as the bytes of the ISO-8859-1 file; user texts are
// escaped, letters outside Latin-1 become character references.
std::string HtmlReportPage(const std::string& name, const HtmlReportContent& content);

// Writes the page to `page`, with ".htm" added only when it has no extension, and the stage
// schematic to STEM-Dateien/STEM.png beside it. Returns the message for the user when the page
// could not be written; a picture that cannot be written is left out silently, as the page is
// still complete without it.
std::optional<UserMessage> SaveHtmlReport(std::filesystem::path page,
                                          const HtmlReportContent& content);

}  // namespace vx
