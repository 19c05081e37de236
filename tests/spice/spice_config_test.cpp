#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "model/filter.h"
#include "model/opv.h"
#include "spice/pspice.h"
#include "spice/spice_defaults.h"
#include "spice/spice_messages.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

std::string Reason(const std::string& reason) {
    return reason +
           "\n\nIhre Spice-Konfiguration in Veltranix ist unvollständig oder fehlerhaft.\nSie "
           "müssen den Menüpunkt \"Spice, Konfiguration...\" aufrufen und den Eintrag korrigieren.";
}

const std::string kLibrary = DefaultSpiceLibrary();

// A folder of its own for a test, removed afterwards.
struct TempFolder {
    fs::path path;
    explicit TempFolder(const std::string& name)
        : path(fs::temp_directory_path() /
               ("vx_spice_" + name + "_" + std::to_string(::getpid()))) {
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
};

TEST(SpiceConfiguration, ChecksCallFolderAndLibraryInThisOrder) {
    TempFolder dir("config");
    const std::string models = (dir.path / "models.txt").string();
    std::ofstream(models) << "* models\n";
    CFilter filter;
    COpv opv;
    struct Case {
        SpiceSettings settings;
        std::optional<std::string> message;
    };
    const Case cases[] = {
        {{"sh", "/tmp", kLibrary}, std::nullopt},
        {{"/bin/sh", "/tmp", models}, std::nullopt},  // any name, as long as the file exists
        {{"", "/tmp", kLibrary}, Reason(spice_text::kNoExecutable)},
        {{"/no/such/ngspice", "/tmp", kLibrary},
         Reason("Das Programm \"/no/such/ngspice\" wurde nicht gefunden.")},
        {{"vx-no-such-simulator", "", ""},
         Reason("Das Programm \"vx-no-such-simulator\" wurde nicht gefunden.")},
        {{"/tmp", "/tmp", kLibrary}, Reason("Das Programm \"/tmp\" wurde nicht gefunden.")},
        {{"sh", "", kLibrary}, Reason(spice_text::kNoTmpPath)},
        {{"sh", "", ""}, Reason(spice_text::kNoTmpPath)},
        {{"sh", "/tmp", "/no/such/vx_opamp.lib"},
         Reason("Die Bibliothek \"/no/such/vx_opamp.lib\" existiert nicht.")},
        {{"sh", "/tmp", dir.path.string()},
         Reason("Die Bibliothek \"" + dir.path.string() + "\" existiert nicht.")},
        {{"sh", "/tmp", ""}, Reason(spice_text::kNoLibrary)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings.command + " | " + c.settings.tmpPath + " | " + c.settings.library);
        const auto result = CPspice(filter, opv, c.settings).CheckConfiguration();
        ASSERT_EQ(result.has_value(), c.message.has_value());
        if (result) {
            EXPECT_EQ(result->caption, "Spice-Aufruf");
            EXPECT_EQ(result->text, *c.message);
        }
    }
}

TEST(SpiceConfiguration, NothingIsWrittenWhenTheCheckFails) {
    TempFolder dir("check");
    CFilter filter;
    COpv opv;
    const CPspice spice(filter, opv, {"sh", dir.path.string(), "x.txt"});
    const auto failure = spice.WriteFiles(SpiceMode::AMPLITUDE_DB);
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(fs::is_empty(dir.path));
}

TEST(SpiceFiles, WritesBothFilesUnderTheDocumentName) {
    TempFolder dir("write");
    CFilter filter;
    COpv opv;
    filter.documentName = "Tiefpass 5. Ordnung";
    const CPspice spice(filter, opv, {"sh", dir.path.string(), kLibrary});
    ASSERT_FALSE(spice.WriteFiles(SpiceMode::PHASE).has_value());
    const fs::path cir = dir.path / "Tiefpass_5._Ordnung.cir";
    const fs::path prb = dir.path / "Tiefpass_5._Ordnung.prb";
    ASSERT_TRUE(fs::exists(cir));
    ASSERT_TRUE(fs::exists(prb));
    std::ifstream in(cir, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, spice.Netlist(SpiceMode::PHASE));
}

TEST(SpiceFiles, AFolderThatCannotBeWrittenPointsToTheConfiguration) {
    CFilter filter;
    COpv opv;
    const CPspice spice(filter, opv, {"sh", "/no/such/folder", kLibrary});
    const auto failure = spice.WriteFiles(SpiceMode::AMPLITUDE_DB);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->caption, "Spice-Aufruf");
    EXPECT_EQ(failure->text,
              "/no/such/folder/Filter1.cir kann nicht gespeichert werden.\n\nBitte ändern Sie im "
              "Menüpunkt \"Spice, Konfiguration...\" den Pfad für temporäre Dateien.");
}

TEST(SpiceLaunch, StartsTheSimulatorOnTheNetlistWithoutAShell) {
    TempFolder dir("launch");
    CFilter filter;
    COpv opv;
    filter.documentName = "Mein Filter";
    std::vector<std::string> seen;
    auto launcher = [&](const ProcessRequest& r) {
        seen = r.arguments;
        return ProcessResult{true, 0};
    };
    const std::string netlist = (dir.path / "Mein_Filter.cir").string();
    EXPECT_FALSE(CPspice(filter, opv, {"sh", dir.path.string(), kLibrary})
                     .RunSimulation(SpiceMode::STEP_RESPONSE, launcher)
                     .has_value());
    EXPECT_EQ(seen, (std::vector<std::string>{"sh", netlist}));

    // ngspice reads ".LIB file" only in its PSpice compatibility mode.
    const CPspice ngspice(filter, opv, {"/usr/bin/ngspice", dir.path.string(), kLibrary});
    EXPECT_EQ(ngspice.SimulatorArguments(),
              (std::vector<std::string>{"/usr/bin/ngspice", "-D", "ngbehavior=ps", netlist}));
}

TEST(SpiceLaunch, ASimulatorThatCannotStartIsReported) {
    TempFolder dir("nostart");
    CFilter filter;
    COpv opv;
    auto refuse = [](const ProcessRequest&) { return ProcessResult{}; };
    const auto failure = CPspice(filter, opv, {"sh", dir.path.string(), kLibrary})
                             .RunSimulation(SpiceMode::AMPLITUDE_DB, refuse);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure,
              (UserMessage{"Fehler", "Die Spice-Applikation konnte nicht gestartet werden"}));
}

TEST(ProcessRunner, ReportsExitStatusAndAProgramThatDoesNotExist) {
    EXPECT_EQ(RunProcess({{"sh", "-c", "exit 3"}, {}, {}}).exitCode, 3);
    EXPECT_TRUE(RunProcess({{"true"}, {}, {}}).started);
    EXPECT_FALSE(RunProcess({{"/no/such/program"}, {}, {}}).started);
    EXPECT_FALSE(RunProcess({{"true"}, {}, "/no/such/folder"}).started);
}

TEST(ProcessRunner, RunsInTheGivenFolderWithItsOutputInAFile) {
    TempFolder dir("process");
    const ProcessResult r =
        RunProcess({{"sh", "-c", "pwd; echo err >&2"}, "out.txt", dir.path.string()});
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0);
    // A relative output file is opened after the change of folder.
    std::ifstream in(dir.path / "out.txt");
    std::string first;
    std::string second;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_EQ(fs::canonical(first), fs::canonical(dir.path));
    EXPECT_EQ(second, "err");
}

}  // namespace
}  // namespace vx
