#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../support/cli_runner.h"
#include "files/specification_reader.h"
#include "model/character.h"
#include "model/circuit_pairs.h"
#include "model/number_format.h"
#include "model/opv.h"
#include "report/html_report.h"
#include "report/schematic_pictures.h"
#include "session/design_session.h"
#include "spice/parts_list_csv.h"

namespace vx {
namespace {

using test::Lines;
using test::ReadFile;
using test::RunCli;
using Result = test::CliResult;

std::vector<std::string> Fields(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, separator);) {
        fields.push_back(field);
    }
    return fields;
}

std::filesystem::path Scratch(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "vx_cli";
    std::filesystem::create_directories(dir);
    return dir / name;
}

// The page with the date of its design ("Datum: YYYY-MM-DD hh:mm,") replaced by `date`.
std::string WithDate(std::string page, const std::string& date) {
    const std::string label = "Datum: ";
    const size_t at = page.find(label);
    if (at == std::string::npos || page.compare(at + label.size() + date.size(), 1, ",") != 0) {
        ADD_FAILURE() << "no date of the form " << date << " in the page";
        return page;
    }
    return page.replace(at + label.size(), date.size(), date);
}

std::vector<std::filesystem::path> Examples() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VX_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() == ".vxs") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(DesignCommand, DesignsEveryExample) {
    const std::vector<std::filesystem::path> examples = Examples();
    std::set<std::pair<FilterType, StructureKind>> covered;
    for (const std::filesystem::path& file : examples) {
        SCOPED_TRACE(file.filename().string());
        CDesignSession session;
        ASSERT_TRUE(
            LoadSpecification(file, session.Filter(), session.Character(), session.OpAmps()).ok);
        const std::filesystem::path csv = Scratch(file.stem().string() + ".csv");
        const std::filesystem::path step = Scratch(file.stem().string() + "_step.csv");
        std::filesystem::remove(csv);
        std::filesystem::remove(step);
        const Result r = RunCli("design " + file.string() + " --curves " + csv.string() +
                                " --step-csv " + step.string());
        ASSERT_EQ(r.status, 0) << r.err;
        covered.insert({session.Filter().Type(), session.Filter().Structure()});
        const std::vector<std::string> out = Lines(r.out);
        ASSERT_GE(out.size(), 8u);
        EXPECT_EQ(out[0].rfind("Struktur: ", 0), 0u);
        // The component table has as many rows as the filter has stages, each with a value per
        // column of the header.
        size_t header = 0;
        while (header < out.size() && out[header].find("R1\t") == std::string::npos) {
            ++header;
        }
        ASSERT_LT(header + 1, out.size());
        const size_t columns = Fields(out[header], '\t').size();
        const int stages = session.Filter().StageCount();
        for (int s = 0; s < stages; ++s) {
            EXPECT_EQ(Fields(out[header + 2 + static_cast<size_t>(s)], '\t').size(), columns);
        }
        const std::string parameters = "Stufe\tGüte\tFrequenz\tNorm. Freq.\tVerstärkung";
        EXPECT_NE(r.out.find(parameters), std::string::npos);

        const std::vector<std::string> rows = Lines(ReadFile(csv));
        ASSERT_EQ(rows.size(), 1502u);
        EXPECT_EQ(rows[0],
                  "frequency_hz,target,traditional,filter,group_delay_s,target_phase_deg,"
                  "filter_phase_deg");
        double previous = 0.0;
        for (size_t i = 1; i < rows.size(); ++i) {
            const std::vector<std::string> f = Fields(rows[i], ',');
            ASSERT_EQ(f.size(), 7u) << rows[i];
            const double frequency = ParseDouble(f[0]);
            EXPECT_GT(frequency, previous);
            previous = frequency;
            for (const std::string& value : f) {
                EXPECT_EQ(value.find(','), std::string::npos);
                EXPECT_TRUE(std::isfinite(ParseDouble(value)));
            }
        }
        EXPECT_NEAR(ParseDouble(rows[1]), 0.5 * session.Filter().Frequency(),
                    1e-9 * session.Filter().Frequency());
        EXPECT_NEAR(ParseDouble(rows.back()), 2.0 * session.Filter().Frequency(),
                    1e-6 * session.Filter().Frequency());
        // The step responses over five periods, both columns filled for a stable design.
        const std::vector<std::string> steps = Lines(ReadFile(step));
        ASSERT_EQ(steps.size(), 1502u);
        EXPECT_EQ(steps[0], "time_s,target,filter");
        EXPECT_EQ(Fields(steps.back(), ',').size(), 3u);
        EXPECT_NEAR(ParseDouble(steps.back()), 5.0 / session.Filter().Frequency(),
                    1e-9 / session.Filter().Frequency());
    }
    // The examples show every circuit.
    EXPECT_EQ(covered.size(), kCircuitPairs.size());
}

TEST(DesignCommand, WarnsOnStandardErrorAndStillSucceeds) {
    const std::filesystem::path file = Scratch("warn_ohm.vxs");
    ASSERT_EQ(RunCli("new lowpass sk --impedance 1 -o " + file.string()).status, 0);
    const Result r = RunCli("design " + file.string() + " --quiet");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("Warnung: Stufe 1: R1 = 390 mOhm liegt außerhalb"), std::string::npos)
        << r.err;
}

TEST(DesignCommand, SavesTheSpecificationBack) {
    const std::filesystem::path file =
        std::filesystem::path(VX_SOURCE_DIR) / "examples" / "sk_highpass_individual.vxs";
    const std::filesystem::path saved = Scratch("saved.vxs");
    const Result r = RunCli("design " + file.string() + " --quiet --save " + saved.string() +
                            " --fmin 0,1 --fmax 10");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const COpv opv;
    CFilter a;
    CFilter b;
    CCharacter ca;
    CCharacter cb;
    ASSERT_TRUE(LoadSpecification(file, a, ca, opv).ok);
    ASSERT_TRUE(LoadSpecification(saved, b, cb, opv).ok);
    EXPECT_EQ(a.Specification(), b.Specification());
    EXPECT_EQ(a.Type(), b.Type());
    EXPECT_EQ(ca.individualQ, cb.individualQ);
}

TEST(DesignCommand, WritesThePlotAndTheSpiceFilesAndVerifies) {
    const std::string example =
        (std::filesystem::path(VX_SOURCE_DIR) / "examples" / "mfb_bandpass.vxs").string();
    const std::filesystem::path svg = Scratch("plot.svg");
    const std::filesystem::path dir = Scratch("spice");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const Result r = RunCli("design " + example + " --quiet --plot " + svg.string() +
                            " --width 800 --height 500 --marks-freq 900,1.1k --curves-shown "
                            "filter,delay --spice 6 --spice-dir " +
                            dir.string() + " --verify");
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    const std::string picture = ReadFile(svg);
    EXPECT_NE(picture.find("width=\"800\""), std::string::npos);
    EXPECT_NE(picture.find("Gruppenlaufzeit"), std::string::npos);
    EXPECT_EQ(picture.find("Sollfrequenzgang"), std::string::npos);
    int netlists = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        netlists += entry.path().extension() == ".cir" ? 1 : 0;
        EXPECT_TRUE(entry.path().extension() == ".cir" || entry.path().extension() == ".prb")
            << entry.path();
    }
    EXPECT_EQ(netlists, 1);
    // The files carry the specification's name, and the verification left nothing beside them.
    EXPECT_TRUE(std::filesystem::exists(dir / "mfb_bandpass.cir"));
    EXPECT_NE(r.out.find("ngspice: largest deviation"), std::string::npos) << r.out;

    EXPECT_EQ(RunCli("design " + example + " --spice 7").status, 2);
    EXPECT_EQ(RunCli("design " + example + " --marks-freq 1,2,3,4,5,6,7").status, 2);
}

TEST(DesignCommand, WritesTheHtmlReport) {
    const std::filesystem::path example =
        std::filesystem::path(VX_SOURCE_DIR) / "examples" / "twin_t_bandstop.vxs";
    const std::filesystem::path dir = Scratch("html");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const Result r =
        RunCli("design " + example.string() + " --quiet --html " + (dir / "notch.htm").string() +
               " --filterparams --designer 'Ida Kern, Labor S\xc3\xbc"
               "d'");
    ASSERT_EQ(r.status, 0) << r.err;

    // The same page as the report of the same design, apart from the time of the design.
    CDesignSession session;
    ASSERT_TRUE(
        LoadSpecification(example, session.Filter(), session.Character(), session.OpAmps()).ok);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    session.Filter().SetCreationStamp("2000-01-01 00:00");
    session.Filter().filterparamsInOutput = true;
    const std::string expected = HtmlReportPage(
        "notch", {session.Filter(), session.Character(), session.OpAmps(), *session.Current(),
                  "Ida Kern, Labor S\xc3\xbc"
                  "d"});
    EXPECT_EQ(WithDate(ReadFile(dir / "notch.htm"), "2000-01-01 00:00"), expected);
    const auto png = SchematicPng(SchematicPicture::BR_TT);
    EXPECT_EQ(ReadFile(dir / "notch-Dateien" / "notch.png"),
              std::string(reinterpret_cast<const char*>(png.data()), png.size()));

    const Result failed = RunCli("design " + example.string() + " --quiet --html " +
                                 (dir / "missing" / "notch.htm").string());
    EXPECT_EQ(failed.status, 2);
    EXPECT_NE(failed.err.find("Ergebnis speichern: "), std::string::npos) << failed.err;
}

// The file is the parts list of the design the command made; a file that cannot be written is
// named.
TEST(DesignCommand, WritesThePartsList) {
    const std::filesystem::path example =
        std::filesystem::path(VX_SOURCE_DIR) / "examples" / "mfb_lowpass.vxs";
    const std::filesystem::path csv = Scratch("parts.csv");
    std::filesystem::remove(csv);
    const Result r = RunCli("design " + example.string() + " --quiet --bom " + csv.string());
    ASSERT_EQ(r.status, 0) << r.err;
    CDesignSession session;
    ASSERT_TRUE(
        LoadSpecification(example, session.Filter(), session.Character(), session.OpAmps()).ok);
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    EXPECT_EQ(ReadFile(csv), PartsListCsv(PartsList(session.Filter(), session.OpAmps())));

    const std::string missing = (csv.parent_path() / "missing" / "parts.csv").string();
    const Result failed = RunCli("design " + example.string() + " --quiet --bom " + missing);
    EXPECT_EQ(failed.status, 2);
    EXPECT_NE(failed.err.find(missing), std::string::npos) << failed.err;
}

TEST(DesignCommand, PrintsTheSameDesignOnAnyNumberOfThreads) {
    const std::string example =
        (std::filesystem::path(VX_SOURCE_DIR) / "examples" / "sk_lowpass_gain.vxs").string();
    const Result one = RunCli("design " + example + " --threads 1");
    ASSERT_EQ(one.status, 0) << one.err;
    const Result three = RunCli("design " + example + " --threads 3");
    ASSERT_EQ(three.status, 0) << three.err;
    EXPECT_EQ(one.out, three.out);
}

TEST(DesignCommand, RefusesBadInput) {
    const std::filesystem::path bad = Scratch("bad.vxs");
    std::ofstream(bad) << "[FILTER]\nTYPE=LOWPASS\n";
    Result r = RunCli("design " + bad.string());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Fehler in Spezifikationsdatei: Falscher oder fehlender Wert :\n\n"
                         "STRUCTURE"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("Spezifikation laden: Die Spezifikationsdatei \"" + bad.string()),
              std::string::npos);

    const std::string example =
        (std::filesystem::path(VX_SOURCE_DIR) / "examples" / "sk_lowpass_gain.vxs").string();
    r = RunCli("design " + example + " --fmin 2");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("plot range"), std::string::npos);
    EXPECT_EQ(RunCli("design").status, 2);
    EXPECT_EQ(RunCli("design " + example + " --colour").status, 2);
    for (const char* threads : {"0", "-2", "two", "1.5"}) {
        r = RunCli("design " + example + " --threads " + threads);
        EXPECT_EQ(r.status, 2) << threads;
        EXPECT_NE(r.err.find("--threads"), std::string::npos) << threads;
    }
    EXPECT_EQ(RunCli("design --help").status, 0);
}

// `new` starts with the exhaustive search; `design` takes the file's unless told otherwise.
TEST(DesignCommand, TakesTheSearchFromTheFileOrTheCommandLine) {
    const std::string exhaustive = "Normwertsuche: alle Kombinationen (beste Werte), ";
    const struct {
        const char* newOptions;
        const char* designOptions;
        bool fileNamesSearch;
        std::string line;
    } cases[] = {
        {"", "", true, exhaustive + "Impedanzfenster Faktor 3,16"},
        {"--window 10", "", true, exhaustive + "Impedanzfenster Faktor 10"},
        {"--search neighbours --window 10", "", false, "Normwertsuche: Nachbarwerte"},
        {"--search neighbours", "--search exhaustive --window 2,2", false,
         exhaustive + "Impedanzfenster Faktor 2,2"},
        {"--window 10", "--search neighbours", true, "Normwertsuche: Nachbarwerte"},
    };
    const std::filesystem::path file = Scratch("search.vxs");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.newOptions) + " | " + c.designOptions);
        ASSERT_EQ(RunCli(std::string("new lowpass mfb --order 3 ") + c.newOptions + " -o " +
                         file.string())
                      .status,
                  0);
        EXPECT_EQ(ReadFile(file.string()).find("\nSEARCH=EXHAUSTIVE\n") != std::string::npos,
                  c.fileNamesSearch);
        const Result r = RunCli("design " + file.string() + " " + c.designOptions);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("\n\n" + c.line + "\n\n"), std::string::npos) << r.out;
    }
}

TEST(DesignCommand, RefusesAnUnknownSearchAndAWindowOutsideItsRange) {
    const std::string example =
        (std::filesystem::path(VX_SOURCE_DIR) / "examples" / "sk_lowpass_gain.vxs").string();
    const std::string file = Scratch("refused.vxs").string();
    const struct {
        std::string arguments;
        const char* option;
    } cases[] = {
        {"new lowpass sk --search best -o " + file, "--search"},
        {"new bandpass mfb --window 1,4 -o " + file, "--window"},
        {"new bandreject twin-t --window weit -o " + file, "--window"},
        {"design " + example + " --search Exhaustive", "--search"},
        {"design " + example + " --window 101", "--window"},
    };
    for (const auto& c : cases) {
        const Result r = RunCli(c.arguments);
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_NE(r.err.find(c.option), std::string::npos) << c.arguments << ": " << r.err;
    }
}

// A folder is a file that cannot be loaded, not a fault of the program.
TEST(DesignCommand, RefusesAFolderAsTheFile) {
    const std::filesystem::path folder = Scratch("folder.vxs");
    std::filesystem::create_directories(folder);
    const Result r = RunCli("design " + folder.string());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.find("Interner Fehler"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Spezifikation laden: Die Spezifikationsdatei \"" + folder.string()),
              std::string::npos)
        << r.err;
}

TEST(DesignCommand, AnalysesTolerances) {
    const std::string example =
        (std::filesystem::path(VX_SOURCE_DIR) / "examples" / "sk_lowpass_gain.vxs").string();
    const std::filesystem::path band = Scratch("band.csv");
    const std::filesystem::path curves = Scratch("curves.csv");
    const std::filesystem::path svg = Scratch("band.svg");
    const std::filesystem::path page = Scratch("band.htm");
    const std::string options = " --tolerance R=1%,C=2,5% --runs 200 --seed 3 --tolerance-csv " +
                                band.string() + " --curves " + curves.string() + " --plot " +
                                svg.string() + " --html " + page.string();
    const Result r = RunCli("design " + example + options + " --threads 1");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* text : {"\nToleranzanalyse\n", "Toleranz der Widerstände: 1 %\n",
                             "Toleranz der Kondensatoren: 2,5 %\n", "Anzahl der Durchläufe: 200\n",
                             "Ausbeute: ", "\nEmpfindlichkeiten der Pole\n"}) {
        EXPECT_NE(r.out.find(text), std::string::npos) << text << r.out;
    }
    // The band's CSV carries the filter curve of the curves' CSV on the same grid.
    const std::vector<std::string> bandLines = Lines(ReadFile(band));
    const std::vector<std::string> curveLines = Lines(ReadFile(curves));
    ASSERT_EQ(bandLines.size(), 1502u);
    ASSERT_EQ(curveLines.size(), 1502u);
    EXPECT_EQ(bandLines[0], "frequency_hz,filter,median,q05,q95,min,max");
    for (size_t i = 1; i < bandLines.size(); i += 150) {
        const std::vector<std::string> b = Fields(bandLines[i], ',');
        const std::vector<std::string> c = Fields(curveLines[i], ',');
        ASSERT_EQ(b.size(), 7u);
        EXPECT_EQ(b[0], c[0]);
        EXPECT_EQ(b[1], c[3]);
        EXPECT_LE(ParseDouble(b[5]), ParseDouble(b[2]));
        EXPECT_LE(ParseDouble(b[3]), ParseDouble(b[4]));
        EXPECT_LE(ParseDouble(b[4]), ParseDouble(b[6]));
    }
    const std::string picture = ReadFile(svg);
    EXPECT_NE(picture.find("<polygon "), std::string::npos);
    EXPECT_NE(picture.find("Toleranzband 5 % bis 95 %"), std::string::npos);
    EXPECT_NE(ReadFile(page).find("<h2>Toleranzanalyse</h2>"), std::string::npos);

    // The list may be left out, and the seed alone decides the result on any number of threads.
    const Result again = RunCli("design --tolerance " + example + options.substr(24) +
                                " --tolerance R=1%,C=2,5% --threads 2");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, r.out);
}

TEST(DesignCommand, RefusesBadToleranceOptions) {
    const std::string example =
        (std::filesystem::path(VX_SOURCE_DIR) / "examples" / "sk_lowpass_gain.vxs").string();
    struct Case {
        const char* options;
        const char* message;
    };
    for (const Case& c :
         {Case{"--runs 0", "--runs"}, Case{"--runs 10001", "--runs"}, Case{"--runs 1e3", "--runs"},
          Case{"--seed -1", "--seed"}, Case{"--seed 18446744073709551616", "--seed"},
          Case{"--distribution gauss", "--distribution"}, Case{"--tolerance R=1%,X=2%", "X=2%"},
          Case{"--tolerance R=abc", "R=abc"}, Case{"--tolerance C=", "C="},
          Case{"--tolerance R=60% --quiet", "Toleranzanalyse: Die Toleranzen"},
          Case{"--tolerance-csv", "needs a value"}}) {
        SCOPED_TRACE(c.options);
        const Result r = RunCli("design " + example + " " + c.options);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    // The largest seed the window takes repeats here.
    const Result r =
        RunCli("design " + example + " --tolerance --runs 10 --seed 18446744073709551615");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Startwert des Zufallsgenerators: 18446744073709551615"),
              std::string::npos)
        << r.out;
}

TEST(DesignCommand, EnteredCapacitorsThatCannotWorkAreAnError) {
    // C2/C1 of a Butterworth Sallen-Key stage without gain must reach 2 (4 b / a^2).
    const std::filesystem::path file = Scratch("mismatch.vxs");
    Result r = RunCli(
        "new lowpass sk --characteristic butterworth --order 2 --capacitors enter "
        "--capacitor-values 22n:10n -o " +
        file.string());
    ASSERT_EQ(r.status, 0) << r.err;
    r = RunCli("design " + file.string());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Die Filterstufe 1 dieses Filters kann mit den gespeicherten "
                         "Kapazitäten"),
              std::string::npos)
        << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST(DesignCommand, ReportsALoweredBandPassGain) {
    // A multiple-feedback stage with Q = 10 gives at most about 2 Q^2 = 200 (46 dB), not 60 dB.
    const std::filesystem::path file = Scratch("bp60.vxs");
    ASSERT_EQ(RunCli("new bandpass mfb --order 2 --frequency 1k --bandwidth 100 --gain-db 60 -o " +
                     file.string())
                  .status,
              0);
    const Result r = RunCli("design " + file.string() + " --quiet");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Wegen zu niedriger Güte der Teilfilter für die geforderte Verstärkung "
                         "musste die Verstärkung des Filters auf 46,01 dB reduziert werden."),
              std::string::npos)
        << r.err;
}

TEST(DesignCommand, SaysWhyASpecificationCannotBeRealised) {
    // Accepted by the checks of `new`; the program once aborted on them.
    const char* const specifications[] = {
        "new lowpass sk --characteristic butterworth --order 2 --frequency 62.9196M --impedance "
        "91.1755M --gain-db 155.1 --series E12 --opamp uA741",
        "new lowpass mfb --characteristic butterworth --order 2 --frequency 22.1671M --impedance "
        "1.54605M --gain-db 190.4 --series E24 --opamp LF411",
    };
    const std::filesystem::path file = Scratch("unrealisable.vxs");
    for (const char* specification : specifications) {
        ASSERT_EQ(RunCli(std::string(specification) + " -o " + file.string()).status, 0);
        const Result r = RunCli("design " + file.string());
        EXPECT_EQ(r.status, 2) << specification;
        EXPECT_NE(r.err.find("Die Filterstufe 1 lässt sich mit diesen Vorgaben nicht "
                             "dimensionieren"),
                  std::string::npos)
            << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST(NewCommand, WritesAFileTheReaderAccepts) {
    const std::filesystem::path file = Scratch("new.vxs");
    const Result r = RunCli(
        "new bandpass mfb --characteristic chebyshev --ripple 0,5 --order 6 --edges 900:1100 "
        "--gain 4 --impedance 4k7 --series E48 --opamp lf411 --stepless-r2 -o " +
        file.string());
    ASSERT_EQ(r.status, 0) << r.err;
    const COpv opv;
    CFilter filter;
    CCharacter character;
    ASSERT_TRUE(LoadSpecification(file, filter, character, opv).ok);
    EXPECT_EQ(filter.Type(), FilterType::BANDPASS);
    EXPECT_EQ(filter.Order(), 6);
    EXPECT_NEAR(filter.Frequency(), 994.987, 1e-3);
    EXPECT_NEAR(filter.Bandwidth(), 200.0, 1e-6);
    EXPECT_NEAR(filter.GainDb(), 12.0412, 1e-4);
    EXPECT_DOUBLE_EQ(filter.Impedance(), 4700.0);
    EXPECT_DOUBLE_EQ(filter.RippleDb(), 0.5);
    EXPECT_TRUE(filter.SteplessR2());
    EXPECT_EQ(filter.OpAmp(), opv.FindByName("LF411"));
}

TEST(NewCommand, PrintsTheDialogMessageOfAFailedCheck) {
    const std::filesystem::path file = Scratch("refused.vxs");
    std::filesystem::remove(file);
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"lowpass sk --order 31",
         "Eingabefehler: Der Wert des Parameters \"Ordnung\" liegt außerhalb des zulässigen "
         "Bereichs [ 1 .. 30 ].\n\nBitte korrigieren Sie Ihre Eingaben.\n"},
        {"lowpass sk --gain-db -3",
         "\"Verstärkung\" liegt außerhalb des zulässigen Bereichs [ "
         "0 .. 200 dB ]"},
        // A value that is no number is no 0, which the gain would take.
        {"lowpass mfb --gain-db abc",
         "\"Verstärkung\" liegt außerhalb des zulässigen Bereichs [ -100 .. 200 dB ]"},
        {"bandpass mfb --edges abc:1k",
         "\"Untere Grenzfrequenz\" liegt außerhalb des zulässigen Bereichs [ > 0 ]"},
        {"bandpass mfb --order 5", "Die Ordnung ist nicht gerade."},
        {"bandreject twin-t --q 0,4",
         "\"Güte\" liegt außerhalb des zulässigen Bereichs [ >= 0.5 ]"},
        {"bandreject twin-t --series E12",
         "\"Widerstandswerte\" liegt außerhalb des zulässigen Bereichs [ E24 .. E192 ]"},
        {"bandpass mfb --edges 1k:1k", "Die untere Grenzfrequenz muss kleiner als die obere sein."},
        {"highpass mfb --distribution values --stage-gains 2:0 --order 4",
         "Der eingegebene Wert für die Stufe 2 ist nicht größer 0."},
        {"lowpass skx --equal-capacitors --gain-db 3",
         "Bitte ändern Sie die Verstärkung auf 6 dB oder mehr"},
        {"lowpass sk --characteristic individual --order 2 --poles 1:0",
         "Eingabefehler in Parameter der individuellen Charakteristik: Der Parameter \"Polgüte "
         "Q\" für die Stufe 1"},
    };
    for (const Case& c : cases) {
        const Result r = RunCli("new " + c.arguments + " -o " + file.string());
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.arguments << "\n" << r.err;
        EXPECT_FALSE(std::filesystem::exists(file)) << c.arguments;
    }
    EXPECT_EQ(RunCli("new lowpass twin-t -o " + file.string()).status, 2);
    EXPECT_EQ(RunCli("new lowpass sk").status, 2);
}

}  // namespace
}  // namespace vx
