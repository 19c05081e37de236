#include "shell/program_settings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/filter.h"
#include "shell/shell_messages.h"

namespace vx {
namespace {

TEST(ProgramSettings, KeysAreThoseOfTheSettingsFile) {
    std::set<std::string> keys;
    for (const SettingKey& key : SettingKeys()) {
        EXPECT_TRUE(keys.insert(std::string(key.section) + "/" + key.key).second) << key.key;
    }
    const std::set<std::string> expected = {"View/cx",
                                            "View/cy",
                                            "View/nType",
                                            "View/Graph",
                                            "View/fmin",
                                            "View/fmax",
                                            "Spice/Command",
                                            "Spice/TmpPath",
                                            "Spice/Lib",
                                            "Document/Path",
                                            "Document/FilterparamsInOutput",
                                            "Document/Designer",
                                            "Document/Organisation",
                                            "Update/CheckDate",
                                            "Document/RecentFiles",
                                            "Windows/Dimensioning",
                                            "Windows/Schematic",
                                            "Windows/Parameters",
                                            "Windows/Tolerance",
                                            "Windows/FrequencyMarks",
                                            "Windows/AmplitudeMarks",
                                            "Windows/SpiceResult",
                                            "Windows/Help",
                                            "Windows/Noise"};
    EXPECT_EQ(keys, expected);
}

// Each key reaches its own field, the curve selection as its stored bits, a window's place as
// its slot.
TEST(ProgramSettings, EveryKeyTakesAndGivesBackItsStoredValue) {
    ProgramSettings s;
    int number = 100;
    for (const SettingKey& key : SettingKeys()) {
        const StoredValue stored = ValueOf(s, key);
        StoredValue value{key.key};
        if (std::string(key.key) == "Graph") {
            value = 19;
        } else if (std::holds_alternative<int>(stored)) {
            value = number++;
        } else if (std::holds_alternative<std::vector<std::string>>(stored)) {
            value = std::vector<std::string>{key.key, key.section};
        }
        SetValue(s, key, value);
        EXPECT_EQ(ValueOf(s, key), value) << key.key;
    }
    EXPECT_EQ(s.curves, CurveSelection::FromBits(19));
    EXPECT_EQ(s.spice, (SpiceSettings{"Command", "TmpPath", "Lib"}));
    EXPECT_EQ(s.fmax, "fmax");
    EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"RecentFiles", "Document"}));
    for (int w = 0; w < kPlacedWindowCount; ++w) {
        const auto window = static_cast<PlacedWindow>(w);
        EXPECT_EQ(s.places.at(static_cast<size_t>(w)), PlaceKey(window));
    }
}

TEST(ProgramSettings, AMinimisedWindowOpensInTheDefaultSize) {
    struct Case {
        WindowSizeType type;
        int width;
        int height;
    };
    for (const Case& c :
         {Case{WindowSizeType::MINIMISED, 625, 441}, Case{WindowSizeType::MAXIMISED, 900, 700},
          Case{WindowSizeType::RESTORED, 900, 700}}) {
        ProgramSettings s;
        s.width = 900;
        s.height = 700;
        s.sizeType = static_cast<int>(c.type);
        NormaliseWindowSize(s);
        EXPECT_EQ(s.width, c.width);
        EXPECT_EQ(s.height, c.height);
    }
}

TEST(ProgramSettings, ReachTheRecordAndComeBack) {
    ProgramSettings s = DefaultProgramSettings();
    EXPECT_EQ(s.spice.command, "ngspice");
    EXPECT_NE(s.documentPath, "");
    s.curves = CurveSelection::FromBits(17);
    s.fmin = "0.250000";
    s.fmax = "4.000000";
    s.spice.tmpPath = "/scratch";
    s.documentPath = "/home/x/filters";
    s.filterparamsInOutput = 1;
    CFilter filter;
    ApplySettings(s, filter);
    EXPECT_EQ(filter.Curves().Bits(), 17);
    EXPECT_EQ(filter.PlotMin(), 0.25);
    EXPECT_EQ(filter.PlotMax(), 4.0);
    EXPECT_EQ(filter.documentFolder, "/home/x/filters");
    EXPECT_TRUE(filter.filterparamsInOutput);
    ProgramSettings back;
    TakeSettings(filter, back);
    back.width = s.width;
    back.height = s.height;
    back.sizeType = s.sizeType;
    back.checkDate = s.checkDate;
    EXPECT_EQ(back, s);

    // A stored range the record refuses leaves the default range.
    s.fmin = "1.5";
    CFilter other;
    ApplySettings(s, other);
    EXPECT_EQ(other.PlotMin(), 0.5);
    EXPECT_EQ(other.PlotMax(), 2.0);
}

TEST(ShellMessages, TitleAndProgressTexts) {
    CFilter filter;
    EXPECT_EQ(MainWindowTitle(filter), "Filter1 - Veltranix");
    filter.documentName = "Tiefpass 3";
    filter.specModified = true;
    EXPECT_EQ(MainWindowTitle(filter), "Tiefpass 3* - Veltranix");
    EXPECT_EQ(ProgressStageText(0, 3), "Stufe 1 von 3 wird berechnet ...");
    EXPECT_EQ(ProgressStageText(0, 0), "Die Berechnung beginnt ...");
    EXPECT_EQ(ProgressRetryText(0), "");
    EXPECT_EQ(ProgressRetryText(2), "2. zusätzliche Abstimmung dieser Stufe ...");
    EXPECT_EQ(AboutMessage().caption, "Info über Veltranix 3.3");
    EXPECT_NE(AboutMessage().text.find("Version 3.3.7"), std::string::npos);
}

TEST(ShellMessages, StatusLinesNameTheFileAndTheTimeWithADecimalComma) {
    EXPECT_EQ(DesignTimeLine(0.1234), "Entwurf berechnet in 0,12 s");
    EXPECT_EQ(DesignTimeLine(83.26), "Entwurf berechnet in 83,3 s");
    EXPECT_EQ(LoadedLine("/home/ida/Tiefpass 2.vxs", 0.5),
              "„Tiefpass 2.vxs“ geladen, Entwurf berechnet in 0,50 s");
    EXPECT_EQ(SavedLine("/home/ida/tp.vxs"), "Spezifikation „tp.vxs“ gespeichert");
}

}  // namespace
}  // namespace vx
