#include "report/tolerance_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../support/text_lines.h"
#include "report/tolerance_csv.h"

namespace vx {
namespace {

ToleranceResult Result(FilterType type) {
    ToleranceResult r;
    r.type = type;
    r.settings.resistorTolerance = 0.005;
    r.settings.capacitorTolerance = 0.05;
    r.settings.distribution = ToleranceDistribution::NORMAL;
    r.settings.seed = 18446744073709551615ULL;  // beyond a signed number
    r.cutoffDropDb = 3.0103;
    r.passBandFrequency = 100.0;
    r.frequency = {1000.0, 1001.5, 12.34, 970.0, 1030.0, 998};
    r.level = {-0.01, -0.0123, 0.0456, -0.2, 0.15, 1000};
    r.passed = 873;
    r.nominalPasses = true;
    r.sensitivities = {{0, false, "R1", -0.5, 0.4826},
                       {0, true, "C1", -1.0, NAN},
                       {1, false, "R3", 0.00004, -1.0158}};
    return r;
}

TEST(ToleranceRows, NameTheFiguresOfEachType) {
    struct Case {
        FilterType type;
        const char* frequency;
        const char* level;
    };
    for (const Case& c :
         {Case{FilterType::LOWPASS, "Grenzfrequenz (3,01 dB unter der Durchlassverstärkung)",
               "Durchlassverstärkung bei 100 Hz"},
          Case{FilterType::HIGHPASS, "Grenzfrequenz (3,01 dB unter der Durchlassverstärkung)",
               "Durchlassverstärkung bei 100 Hz"},
          Case{FilterType::BANDPASS, "Mittenfrequenz", "Verstärkung bei der Mittenfrequenz"},
          Case{FilterType::BANDREJECT, "Kerbfrequenz", "Kerbtiefe"}}) {
        const TextTable table = ToleranceFigureTable(Result(c.type));
        ASSERT_EQ(table.rows.size(), 2u);
        EXPECT_EQ(table.rows[0][0], c.frequency);
        EXPECT_EQ(table.rows[1][0], c.level);
    }
}

TEST(ToleranceRows, ShowTheResultInGermanNumberText) {
    const ToleranceResult r = Result(FilterType::LOWPASS);
    EXPECT_EQ(ToleranceSettingRows(r),
              (std::vector<LabelRow>{{"Toleranz der Widerstände", "0,5 %"},
                                     {"Toleranz der Kondensatoren", "5 %"},
                                     {"Streuung des Verstärkungs-Bandbreite-Produkts", "keine"},
                                     {"Verteilung", "normalverteilt (Toleranz = 3 σ)"},
                                     {"Anzahl der Durchläufe", "1000"},
                                     {"Startwert des Zufallsgenerators", "18446744073709551615"}}));
    const TextTable figures = ToleranceFigureTable(r);
    EXPECT_EQ(figures.header,
              (std::vector<std::string>{"Kennwert", "Ihr Filter", "Mittelwert",
                                        "Standardabweichung", "Minimum", "Maximum"}));
    EXPECT_EQ(figures.rows[0], (std::vector<std::string>{
                                   "Grenzfrequenz (3,01 dB unter der Durchlassverstärkung)",
                                   "1 kHz", "1002 Hz", "12,34 Hz (1,232 %)", "970 Hz", "1030 Hz"}));
    EXPECT_EQ(figures.rows[1][2], "-0,0123 dB");
    EXPECT_EQ(ToleranceFigureNotes(r),
              (std::vector<std::string>{
                  "2 von 1000 Durchläufen ohne Wert (außerhalb des dargestellten Bereichs)"}));
    const std::vector<LabelRow> yield = ToleranceYieldRows(r);
    ASSERT_EQ(yield.size(), 3u);
    EXPECT_EQ(yield[0].value, "87,3 % (873 von 1000 Durchläufen in der Toleranzmaske)");
    EXPECT_EQ(yield[2].value, "ja");
    const TextTable s = SensitivityTable(r);
    EXPECT_EQ(s.header, (std::vector<std::string>{"Stufe", "Pol", "Bauteil", "S(fp)", "S(Q)"}));
    EXPECT_EQ(s.rows,
              (std::vector<std::vector<std::string>>{{"1", "Polpaar", "R1", "-0,500", "0,483"},
                                                     {"1", "reeller Pol", "C1", "-1,000", "-"},
                                                     {"2", "Polpaar", "R3", "0,000", "-1,016"}}));
    const std::string text = ToleranceText(r);
    EXPECT_EQ(text.rfind("Toleranzanalyse\n", 0), 0u);
    EXPECT_NE(text.find("\nEmpfindlichkeiten der Pole\nStufe\tPol\tBauteil\tS(fp)\tS(Q)\n1\tPolpaar"
                        "\tR1\t-0,500\t0,483\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(ToleranceProgressLine(45), "Toleranzanalyse: 45 %");
}

TEST(ToleranceCsv, PutsTheBandBesideTheFilterCurve) {
    CShowFregang filter;
    filter.Fill(0.5);
    ToleranceBand band;
    for (auto [curve, value] :
         {std::pair{&band.median, 0.51}, std::pair{&band.q05, 0.4}, std::pair{&band.q95, 0.6},
          std::pair{&band.minimum, 0.3}, std::pair{&band.maximum, 0.7}}) {
        curve->Fill(value);
    }
    const std::vector<std::string> lines =
        test::Lines(ToleranceCsv(filter, band, 1000.0, 0.1, 10.0));
    ASSERT_EQ(lines.size(), 1502u);
    EXPECT_EQ(lines[0], "frequency_hz,filter,median,q05,q95,min,max");
    EXPECT_EQ(lines[1], "100,0.5,0.51,0.4,0.6,0.3,0.7");
    EXPECT_EQ(lines[1501].rfind("10000", 0), 0u) << lines[1501];
}

}  // namespace
}  // namespace vx
