#include "report/html_report.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../structures/design_fixture.h"
#include "analysis/tolerance_analysis.h"
#include "report/schematic_pictures.h"
#include "session/design_session.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStamp = "2024-03-05 14:07";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path Scratch(const std::string& name) {
    const fs::path dir = fs::path(::testing::TempDir()) / "vx_html_report" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// A designed session with a fixed creation stamp, so that pages can be compared as text.
struct Designed {
    CDesignSession session;
    std::string designer = "Dr. Ida Kern, Labor Süd";

    HtmlReportContent Content() {
        return {session.Filter(), session.Character(), session.OpAmps(), *session.Current(),
                designer};
    }
    std::string Page(const std::string& name = "Filter1") {
        return HtmlReportPage(name, Content());
    }
};

void Finish(Designed& d) {
    SilentMonitor monitor;
    ASSERT_TRUE(d.session.Design(monitor));
    d.session.Filter().SetCreationStamp(kStamp);
}

void DesignLowPass(Designed& d, bool filterParameters) {
    test::Specify(d.session, FilterType::LOWPASS, StructureKind::SALLEN_KEY,
                  Characteristic::BUTTERWORTH, 4, 1000.0, 6.0, ResistorSeries::E96);
    d.session.Filter().filterparamsInOutput = filterParameters;
    Finish(d);
}

void DesignBandStop(Designed& d) {
    d.session.Filter().SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E24, 0,
                                                  50.0, 10000.0, 2.0);
    Finish(d);
}

void DesignIndividualHighPass(Designed& d) {
    CCharacter& c = d.session.Character();
    c.individualQ = {};
    c.individualFrequency = {};
    c.individualQ[0] = 0.6;
    c.individualFrequency[0] = 1.2;
    c.individualQ[1] = 2.5;
    c.individualFrequency[1] = 0.9;
    test::Specify(d.session, FilterType::HIGHPASS, StructureKind::MFB, Characteristic::INDIVIDUAL,
                  4, 2000.0, 0.0, ResistorSeries::E24);
    Finish(d);
}

// A page parsed as XML; null when it is not well-formed.
using XmlDoc = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

XmlDoc Parse(const std::string& page) {
    return XmlDoc(xmlReadMemory(page.data(), static_cast<int>(page.size()), "report.htm", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
                  &xmlFreeDoc);
}

std::string Name(const xmlNode* node) {
    return reinterpret_cast<const char*>(node->name);
}

std::string Content(const xmlNode* node) {
    xmlChar* text = xmlNodeGetContent(node);
    std::string s = text != nullptr ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return s;
}

std::string Attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string s = value != nullptr ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return s;
}

const xmlNode* Child(const xmlNode* parent, const std::string& name) {
    for (const xmlNode* n = parent->children; n != nullptr; n = n->next) {
        if (n->type == XML_ELEMENT_NODE && Name(n) == name) {
            return n;
        }
    }
    return nullptr;
}

// The body's elements in order, each as "tag" or "tag:text" for headings and paragraphs.
std::vector<std::string> BodyOutline(const xmlDoc* doc) {
    const xmlNode* body = Child(xmlDocGetRootElement(doc), "body");
    std::vector<std::string> outline;
    for (const xmlNode* n = body ? body->children : nullptr; n != nullptr; n = n->next) {
        if (n->type != XML_ELEMENT_NODE) {
            continue;
        }
        const std::string tag = Name(n);
        const bool text = tag == "h1" || tag == "h2";
        outline.push_back(text ? tag + ":" + Content(n) : tag);
    }
    return outline;
}

// The picture's address as the page gives it.
std::string ImageSource(const xmlDoc* doc) {
    const xmlNode* body = Child(xmlDocGetRootElement(doc), "body");
    for (const xmlNode* p = body->children; p != nullptr; p = p->next) {
        if (p->type == XML_ELEMENT_NODE && Name(p) == "p") {
            if (const xmlNode* img = Child(p, "img")) {
                return Attribute(img, "src");
            }
        }
    }
    return "";
}

// A relative URL path as a file path: percent escapes decoded.
fs::path Resolve(const fs::path& folder, const std::string& address) {
    std::string decoded;
    for (size_t i = 0; i < address.size(); ++i) {
        if (address[i] == '%' && i + 2 < address.size()) {
            decoded += static_cast<char>(std::stoi(address.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += address[i];
        }
    }
    return folder / fs::path(decoded);
}

std::string PngText(SchematicPicture picture) {
    const auto png = SchematicPng(picture);
    return {reinterpret_cast<const char*>(png.data()), png.size()};
}

TEST(HtmlReportPage, LowPassMatchesTheReferencePage) {
    Designed d;
    DesignLowPass(d, true);
    const std::string expected =
        ReadFile(fs::path(VX_SOURCE_DIR) / "tests/report/data/lowpass_report.htm");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(d.Page(), expected);
}

TEST(HtmlReportPage, SectionsFollowTheDesign) {
    const std::vector<std::string> lowPass = {"h1:Filterdesign \"Filter1\"",
                                              "h2:Spezifikation",
                                              "table",
                                              "h2:Schaltung einer Stufe",
                                              "p",
                                              "h2:Bauteilwerte",
                                              "table",
                                              "p",
                                              "hr",
                                              "p"};
    {
        Designed d;
        DesignLowPass(d, false);
        const XmlDoc doc = Parse(d.Page());
        ASSERT_TRUE(doc);
        EXPECT_EQ(BodyOutline(doc.get()), lowPass);
    }
    {
        Designed d;
        DesignLowPass(d, true);
        const XmlDoc doc = Parse(d.Page());
        ASSERT_TRUE(doc);
        std::vector<std::string> withParameters = lowPass;
        withParameters.insert(withParameters.begin() + 7, {"h2:Filterparameter", "table"});
        EXPECT_EQ(BodyOutline(doc.get()), withParameters);
    }
    {
        // A tolerance analysis that was run comes after the component values.
        Designed d;
        DesignLowPass(d, false);
        ToleranceSettings settings;
        settings.runs = 20;
        settings.distribution = ToleranceDistribution::NORMAL;
        SilentMonitor monitor;
        const ToleranceRun run = CToleranceAnalysis(d.session, settings).Run(monitor);
        ASSERT_EQ(run.outcome, ToleranceOutcome::DONE);
        HtmlReportContent content = d.Content();
        content.tolerance = &run.result;
        const std::string page = HtmlReportPage("Filter1", content);
        const XmlDoc doc = Parse(page);
        ASSERT_TRUE(doc);
        std::vector<std::string> withTolerance = lowPass;
        withTolerance.insert(withTolerance.begin() + 7,
                             {"h2:Toleranzanalyse", "table", "table", "table",
                              "h2:Empfindlichkeiten der Pole", "table"});
        EXPECT_EQ(BodyOutline(doc.get()), withTolerance);
        // Latin-1 has the plus-minus sign, not the sigma.
        EXPECT_NE(page.find("<td>\xb1"
                            "0,5 dB um den Sollfrequenzgang"),
                  std::string::npos);
        EXPECT_NE(page.find("(Toleranz = 3 &#963;)"), std::string::npos);
        EXPECT_NE(page.find("<tr><th>Stufe</th><th>Pol</th><th>Bauteil</th><th>S(fp)</th>"),
                  std::string::npos);
    }
    {
        // A scheme of the filter's type follows the specification; one of another type leaves
        // the page as it was.
        Designed d;
        DesignLowPass(d, false);
        const std::string plain = d.Page();
        CFilter& filter = d.session.Filter();
        filter.scheme = ToleranceScheme{FilterType::HIGHPASS, 1e3, 0, 1, 300, 0, 40, {}, {}};
        EXPECT_EQ(d.Page(), plain);
        filter.scheme = ToleranceScheme{FilterType::LOWPASS, 1e3, 0, 1, 3e3, 0, 40, {}, 5.0};
        const std::string page = d.Page();
        const XmlDoc doc = Parse(page);
        ASSERT_TRUE(doc);
        std::vector<std::string> withScheme = lowPass;
        withScheme.insert(withScheme.begin() + 3, {"h2:Toleranzschema", "table"});
        EXPECT_EQ(BodyOutline(doc.get()), withScheme);
        EXPECT_NE(page.find("<tr><td>Max. \xdc"
                            "berschwingen:</td><td>5 %</td></tr>\n</table>\n\n<h2>Schaltung"),
                  std::string::npos)
            << page;
    }
    {
        // What the design check found follows the component values, an item each.
        Designed d;
        DesignLowPass(d, false);
        HtmlReportContent content = d.Content();
        content.findings = {"Stufe 1: R1 = 1 Ohm liegt außerhalb", "Ihr Filter weicht <ab>"};
        const std::string page = HtmlReportPage("Filter1", content);
        const XmlDoc doc = Parse(page);
        ASSERT_TRUE(doc);
        std::vector<std::string> withFindings = lowPass;
        withFindings.insert(withFindings.begin() + 7, {"h2:Warnungen zum Entwurf", "ul"});
        EXPECT_EQ(BodyOutline(doc.get()), withFindings);
        EXPECT_NE(page.find("<li>Stufe 1: R1 = 1 Ohm liegt au\xdf"
                            "erhalb</li>\n<li>Ihr Filter weicht &lt;ab&gt;</li>"),
                  std::string::npos);
    }
    {
        // The pole data the user entered come right after the specification.
        Designed d;
        DesignIndividualHighPass(d);
        const std::string page = d.Page();
        const XmlDoc doc = Parse(page);
        ASSERT_TRUE(doc);
        std::vector<std::string> individual = lowPass;
        individual.insert(individual.begin() + 3,
                          {"h2:Parameter der individuellen Charakteristik", "table"});
        EXPECT_EQ(BodyOutline(doc.get()), individual);
        EXPECT_NE(page.find("<tr><th>Stufe</th><th>Polg\xfc"
                            "te Q</th><th>Normierte Polfrequenz</th></tr>\n"
                            "<tr><td>1</td><td>0,60000000</td><td>1,20000000</td></tr>\n"
                            "<tr><td>2</td><td>2,50000000</td><td>0,90000000</td></tr>\n"
                            "</table>\n<h2>Schaltung"),
                  std::string::npos)
            << page;
        EXPECT_NE(page.find("<tr><td>Charakteristik:</td><td>Individual</td></tr>\n"),
                  std::string::npos);
    }
    {
        // The band-stop's realisations follow its component table.
        Designed d;
        DesignBandStop(d);
        const std::string page = d.Page();
        const XmlDoc doc = Parse(page);
        ASSERT_TRUE(doc);
        EXPECT_EQ(BodyOutline(doc.get()),
                  (std::vector<std::string>{"h1:Filterdesign \"Filter1\"", "h2:Spezifikation",
                                            "table", "h2:Schaltung einer Stufe", "p",
                                            "h2:Bauteilwerte", "table", "p", "p", "hr", "p"}));
        const size_t table = page.find("</table>\n<p>Realisierung von ");
        ASSERT_NE(table, std::string::npos) << page;
        EXPECT_NE(page.find("<br />\nRealisierung von C2 durch Parallelschaltung von 2 x ", table),
                  std::string::npos);
        EXPECT_NE(page.find("<tr><td>G\xfcte:</td><td>2</td></tr>\n"), std::string::npos);
        EXPECT_EQ(page.find("Charakteristik"), std::string::npos);
    }
}

TEST(HtmlReportPage, UserTextsAreEscapedAndKeptInLatin1) {
    Designed d;
    DesignLowPass(d, false);
    d.designer = "J\xc3\xbcrgen <\xce\xa9> & \"Co\"\x01";
    const std::string name = "R&D <Notch> \xc3\x84";
    const std::string page = d.Page(name);

    // Umlauts as single bytes, nothing of UTF-8 left, the rest as character references.
    EXPECT_NE(page.find("Verst\xe4rkung"), std::string::npos);
    EXPECT_EQ(page.find("\xc3"), std::string::npos);
    EXPECT_NE(page.find("Designer: J\xfcrgen &lt;&#937;&gt; &amp; &quot;Co&quot;?</p>"),
              std::string::npos)
        << page;

    const XmlDoc doc = Parse(page);
    ASSERT_TRUE(doc) << page;
    const std::string heading = "Filterdesign \"" + name + "\"";
    EXPECT_EQ(BodyOutline(doc.get()).front(), "h1:" + heading);
    const xmlNode* head = Child(xmlDocGetRootElement(doc.get()), "head");
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(Content(Child(head, "title")), heading);
    EXPECT_EQ(Attribute(Child(head, "meta"), "content"), "text/html; charset=iso-8859-1");
}

TEST(HtmlReportSave, ThePictureLandsWhereThePagePoints) {
    struct Case {
        std::string name;
        SchematicPicture picture;
        bool bandStop;
    };
    const Case cases[] = {
        {"Filter1", SchematicPicture::LP_SK_AMP, false},
        {"Sperre 50 Hz #2 <R&D> 100%", SchematicPicture::BR_TT, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Designed d;
        if (c.bandStop) {
            DesignBandStop(d);
        } else {
            DesignLowPass(d, false);
        }
        const fs::path folder = Scratch("picture");
        ASSERT_FALSE(SaveHtmlReport(folder / (c.name + ".htm"), d.Content()));
        const std::string page = ReadFile(folder / (c.name + ".htm"));
        EXPECT_EQ(page, d.Page(c.name));
        const XmlDoc doc = Parse(page);
        ASSERT_TRUE(doc);
        const fs::path picture = Resolve(folder, ImageSource(doc.get()));
        EXPECT_EQ(picture, folder / (c.name + "-Dateien") / (c.name + ".png"));
        EXPECT_EQ(ReadFile(picture), PngText(c.picture));
    }
    EXPECT_EQ(HtmlPictureAddress("Filter1"), "Filter1-Dateien/Filter1.png");
}

TEST(HtmlReportSave, SavingAgainOverwritesBothFilesInTheSameFolder) {
    const fs::path folder = Scratch("twice");
    {
        Designed d;
        DesignLowPass(d, false);
        ASSERT_FALSE(SaveHtmlReport(folder / "Filter1.htm", d.Content()));
    }
    Designed d;
    DesignBandStop(d);
    ASSERT_FALSE(SaveHtmlReport(folder / "Filter1.htm", d.Content()));
    EXPECT_EQ(ReadFile(folder / "Filter1.htm"), d.Page());
    EXPECT_EQ(ReadFile(folder / "Filter1-Dateien" / "Filter1.png"),
              PngText(SchematicPicture::BR_TT));
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        files.push_back(fs::relative(entry.path(), folder).generic_string());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"Filter1-Dateien", "Filter1-Dateien/Filter1.png",
                                               "Filter1.htm"}));
}

TEST(HtmlReportSave, KeepsTheGivenPageName) {
    struct Case {
        const char* given;
        const char* page;
    };
    const Case cases[] = {
        {"page.html", "page.html"},
        {"page.htm", "page.htm"},
        {"page", "page.htm"},
        {"Filter.1.html", "Filter.1.html"},
    };
    Designed d;
    DesignLowPass(d, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        const fs::path folder = Scratch("given");
        ASSERT_FALSE(SaveHtmlReport(folder / c.given, d.Content()));
        const std::string stem = fs::path(c.page).stem().string();
        EXPECT_EQ(ReadFile(folder / c.page), d.Page(stem));
        EXPECT_TRUE(fs::is_regular_file(folder / (stem + "-Dateien") / (stem + ".png")));
    }
}

TEST(HtmlReportSave, FailuresToWrite) {
    Designed d;
    DesignLowPass(d, false);
    const fs::path folder = Scratch("failures");
    // A plain file where the folder should be: nothing can be written below it, not even by root.
    const fs::path blocked = folder / "blocked";
    std::ofstream(blocked) << "x";
    const auto message = SaveHtmlReport(blocked / "sub" / "Filter1.htm", d.Content());
    ASSERT_TRUE(message);
    EXPECT_EQ(*message,
              (UserMessage{"Ergebnis speichern", (blocked / "sub" / "Filter1.htm").string() +
                                                     " kann nicht gespeichert werden.\n\nBitte "
                                                     "speichern Sie auf einem anderen Laufwerk."}));

    // A picture that cannot be written leaves the page complete and tells nobody.
    std::ofstream(folder / "Filter1-Dateien") << "x";
    EXPECT_FALSE(SaveHtmlReport(folder / "Filter1.htm", d.Content()));
    EXPECT_EQ(ReadFile(folder / "Filter1.htm"), d.Page());
    EXPECT_TRUE(fs::is_regular_file(folder / "Filter1-Dateien"));
}

}  // namespace
}  // namespace vx
