#include "report/html_report.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "analysis/noise/noise_text.h"
#include "analysis/tolerance_messages.h"
#include "files/latin1_text.h"
#include "files/replace_file.h"
#include "model/character.h"
#include "model/filter.h"
#include "model/number_format.h"
#include "model/pole_input.h"
#include "model/tolerance_scheme.h"
#include "report/dimensioning_text.h"
#include "report/filter_parameter_rows.h"
#include "report/html_report_messages.h"
#include "report/schematic_pictures.h"
#include "report/specification_rows.h"
#include "report/tolerance_rows.h"
#include "session/design_check_messages.h"

namespace vx {

namespace {

constexpr const char* kPictureFolderSuffix = "Dateien";
constexpr const char* kPictureTitle = "Schaltung einer Stufe";

// Text for element content and attribute values. Control characters other than tab and line
// breaks cannot appear in XML at all, not even as references.
std::string X(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                const auto u = static_cast<unsigned char>(c);
                out += u < 0x20 && c != '\t' && c != '\n' && c != '\r' ? '?' : c;
        }
    }
    return out;
}

// The blocks the page is made of; they take markup, so callers pass texts through X().
std::string Element(const std::string& tag, const std::string& markup) {
    return "<" + tag + ">" + markup + "</" + tag + ">\n";
}

std::string LabelRowMarkup(const std::string& label, const std::string& value) {
    return "<tr><td>" + label + ":</td><td>" + value + "</td></tr>\n";
}

std::string Row3(const char* cell, const std::string& a, const std::string& b,
                 const std::string& c) {
    const std::string open = std::string("<") + cell + ">";
    const std::string close = std::string("</") + cell + ">";
    return "<tr>" + open + a + close + open + b + close + open + c + close + "</tr>\n";
}

std::string Cell(const char* cell, const std::string& markup) {
    return std::string("<") + cell + ">" + markup + "</" + cell + ">";
}

const char* const kHead =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
    "\n"
    " <!DOCTYPE html PUBLIC\n"
    "\"-//W3C//DTD XHTML 1.0 Strict//EN\"\n"
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n"
    "\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
    "\n"
    "<head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />\n";

const char* const kStyles =
    "<style type=\"text/css\" media=\"screen\">\n"
    "body { margin: 1em; font-family: Arial }\n"
    ".o td { padding: 0 1em 0 0 }\n"
    "p, .o td { font-size: 1em }\n"
    "h1 { font-size: 1.2em; margin: 0 0 0.5em 0 }\n"
    "h2 { font-size: 1.1em; margin: 1em 0 0.5em 0 }\n"
    ".c { font-size: 0.9em; margin: 0 }\n"
    ".m { border: 1px solid #000; border-collapse: collapse }\n"
    ".m td, .m th { border: 1px solid #000; font-size: 1em; padding: 0.4em; text-align: center }\n"
    "hr { border: solid #000 1px; height: 1px }\n"
    "</style>\n"
    "<style type=\"text/css\" media=\"print\">\n"
    "body { margin: 0; font-family: Arial }\n"
    ".o td { padding: 0 10px 0 0 }\n"
    "p, .o td { font-size: 11pt }\n"
    "h1 { font-size: 14pt; margin: 0 0 6px 0 }\n"
    "h2 { font-size: 12pt; margin: 12px 0 8px 0 }\n"
    ".c { font-size: 10pt; margin: 0 }\n"
    ".o { border: 0; padding: 0 10px 0 0 }\n"
    ".m td, .m th { border: 1px solid #000; font-size: 11pt; padding: 5px; text-align: center }\n"
    "</style>\n";

std::string PoleDataSection(const HtmlReportContent& c) {
    std::string s = Element("h2", "Parameter der individuellen Charakteristik") +
                    "\n<table class=\"m\">\n" +
                    Row3("th", "Stufe", "Polgüte Q", "Normierte Polfrequenz");
    const int stages = std::min(c.filter.StageCount(), kMaxStages);
    for (int i = 0; i < stages; ++i) {
        const auto k = static_cast<size_t>(i);
        s += Row3("td", FormatInt(i + 1), X(PoleValueText(c.character.individualQ[k])),
                  X(PoleValueText(c.character.individualFrequency[k])));
    }
    return s + "</table>\n";
}

std::string PictureSection(const std::string& name) {
    return Element("h2", kPictureTitle) + "\n<p><img src=\"" + X(HtmlPictureAddress(name)) +
           "\" alt=\"" + kPictureTitle + "\" /></p>\n\n";
}

std::string ComponentSection(const CFilter& filter) {
    const int columns = std::clamp(filter.Stage(0).count, 0, kMaxComponents);
    std::string s =
        Element("h2", "Bauteilwerte") + "\n<table class=\"m\">\n<tr>" + Cell("th", "Stufe");
    for (int k = 0; k < columns; ++k) {
        s += Cell("th", X(filter.ComponentName(0, k)));
    }
    s += "</tr>\n";
    for (int i = 0; i < filter.StageCount(); ++i) {
        s += "<tr>" + Cell("td", FormatInt(i + 1));
        for (int k = 0; k < columns; ++k) {
            s += Cell("td", X(ComponentValueText(filter, i, k)));
        }
        s += "</tr>\n";
    }
    s += "</table>\n";
    if (filter.Type() == FilterType::BANDREJECT) {
        s += "<p>";
        for (int k = 0; k < 2; ++k) {
            if (const std::string text = RealisationText(filter, k); !text.empty()) {
                s += X(text) + "<br />\n";
            }
        }
        s += X(CapacitorRealisationText(filter)) + "</p>\n";
    }
    return s;
}

// A bordered table whose first row holds the headings.
template <class Rows>
std::string GridTable(const Rows& rows) {
    std::string s = "<table class=\"m\">\n";
    for (size_t r = 0; r < rows.size(); ++r) {
        const char* cell = r == 0 ? "th" : "td";
        s += "<tr>";
        for (const std::string& text : rows[r]) {
            s += Cell(cell, X(text));
        }
        s += "</tr>\n";
    }
    return s + "</table>\n";
}

std::string LabelTable(const std::vector<LabelRow>& rows) {
    std::string s = "<table class=\"o\">\n";
    for (const LabelRow& row : rows) {
        s += LabelRowMarkup(X(row.label), X(row.value));
    }
    return s + "</table>\n";
}

std::string FindingsSection(const std::vector<std::string>& findings) {
    std::string s = Element("h2", X(check::kFindingsHeading)) + "\n<ul>\n";
    for (const std::string& finding : findings) {
        s += "<li>" + X(finding) + "</li>\n";
    }
    return s + "</ul>\n";
}

std::string SpecificationSection(const HtmlReportContent& c) {
    return Element("h2", "Spezifikation") + "\n" + LabelTable(SpecificationRows(c.filter, c.opv)) +
           "\n";
}

std::string SchemeSection(const std::vector<LabelRow>& rows) {
    return Element("h2", X(kSchemeTitle)) + "\n" + LabelTable(rows) + "\n";
}

std::string FilterParameterSection(const HtmlReportContent& c) {
    return Element("h2", "Filterparameter") + "\n" + GridTable(FilterParameterRows(c.structure));
}

std::string ToleranceSection(const ToleranceResult& result) {
    std::string s = Element("h2", X(tolerance_text::kCaption)) + "\n" +
                    LabelTable(ToleranceSettingRows(result)) +
                    GridTable(ToleranceFigureTable(result).HeaderAndRows());
    for (const std::string& note : ToleranceFigureNotes(result)) {
        s += Element("p", X(note));
    }
    s += LabelTable(ToleranceYieldRows(result));
    return s + Element("h2", X(tolerance_text::kSensitivities)) + "\n" +
           GridTable(SensitivityTable(result).HeaderAndRows());
}

std::string NoiseSection(const NoiseStudy& study) {
    std::string s = Element("h2", X(kNoiseTitle)) + "\n";
    for (const std::string& line : NoiseSummaryLines(study)) {
        s += Element("p", X(line));
    }
    for (const NoiseTable& table : NoiseTables(study)) {
        s += Element("p", Element("b", X(table.heading))) + "\n" + GridTable(table.cells);
    }
    return s;
}

// Characters that end or break a URL path; everything else, including letters beyond ASCII,
// the browser reads as it stands.
bool NeedsPercentEncoding(unsigned char c) {
    return c < 0x20 || c == 0x7F || std::strchr(" \"#%<>?[\\]^`{|}", c) != nullptr;
}

}  // namespace

std::string HtmlPictureAddress(const std::string& name) {
    const std::string raw = name + "-" + kPictureFolderSuffix + "/" + name + ".png";
    std::string out;
    for (const char c : raw) {
        const auto u = static_cast<unsigned char>(c);
        if (c != '/' && NeedsPercentEncoding(u)) {
            constexpr const char* kHex = "0123456789ABCDEF";
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string HtmlReportPage(const std::string& name, const HtmlReportContent& content) {
    const CFilter& filter = content.filter;
    const std::string heading = "Filterdesign \"" + X(name) + "\"";
    std::string page = kHead;
    page += "<title>" + heading + "</title>\n";
    page += kStyles;
    page += "</head>\n\n<body>\n";
    page += Element("h1", heading) + "\n";
    page += SpecificationSection(content);
    if (const std::vector<LabelRow> scheme = SchemeRows(filter); !scheme.empty()) {
        page += SchemeSection(scheme);
    }
    if (filter.GetCharacteristic() == Characteristic::INDIVIDUAL &&
        filter.Type() != FilterType::BANDREJECT) {
        page += PoleDataSection(content);
    }
    page += PictureSection(name);
    page += ComponentSection(filter);
    if (!content.findings.empty()) {
        page += FindingsSection(content.findings);
    }
    if (filter.filterparamsInOutput) {
        page += FilterParameterSection(content);
    }
    if (content.tolerance != nullptr) {
        page += ToleranceSection(*content.tolerance);
    }
    if (content.noise != nullptr) {
        page += NoiseSection(*content.noise);
    }
    page += "<p>Datum: " + X(filter.CreationStamp()) + ", Designer: " + X(content.designer) +
            "</p>\n\n";
    page += "<hr />\n\n<p class=\"c\">Erstellt mit Veltranix 3.3</p>\n";
    page += "</body>\n</html>\n";
    return Utf8ToLatin1(page, Latin1Fallback::CHARACTER_REFERENCE);
}

std::optional<UserMessage> SaveHtmlReport(std::filesystem::path page,
                                          const HtmlReportContent& content) {
    if (!page.has_extension()) {
        page += ".htm";
    }
    const std::string name = page.stem().string();
    if (!ReplaceFile(page, HtmlReportPage(name, content))) {
        return SaveHtmlReportFailedMessage(page.string());
    }
    const std::filesystem::path pictureFolder =
        page.parent_path() / (name + "-" + kPictureFolderSuffix);
    std::error_code ec;
    std::filesystem::create_directory(pictureFolder, ec);
    const CFilter& f = content.filter;
    if (const auto picture = ChooseSchematicPicture(f.Type(), f.Structure(), f.GainDb())) {
        const auto png = SchematicPng(*picture);
        ReplaceFile(pictureFolder / (name + ".png"),
                    {reinterpret_cast<const char*>(png.data()), png.size()});
    }
    return std::nullopt;
}

}  // namespace vx
