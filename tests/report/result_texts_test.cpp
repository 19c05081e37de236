#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "../support/text_lines.h"
#include "model/filter.h"
#include "model/number_format.h"
#include "model/opv.h"
#include "report/curves_csv.h"
#include "report/dimensioning_text.h"
#include "report/filter_parameter_rows.h"
#include "report/schematic_choice.h"
#include "report/summary_text.h"
#include "session/design_session.h"

namespace vx {
namespace {

void Specify(CFilter& filter, FilterType type, StructureKind structure, int order, double gainDb,
             Characteristic characteristic = Characteristic::BUTTERWORTH) {
    SpecificationBlock b = filter.Specification();
    b.characteristic = characteristic;
    b.orderLpHp = order;
    b.orderBpBs = order;
    b.gainDb = gainDb;
    b.frequency = 1000.0;
    b.bandwidth = 200.0;
    b.resistorSeries = ResistorSeries::E96;
    b.stageSequence = StageSequence::LOW_NOISE;
    filter.SetSpecification(b, structure, type);
}

using test::Lines;

TEST(SummaryText, DescribesEachType) {
    const COpv opv;
    CFilter f;
    Specify(f, FilterType::LOWPASS, StructureKind::SALLEN_KEY, 4, 6.0);
    EXPECT_EQ(SummaryText(f, opv),
              "Butterworth-Tiefpass 4. Ordnung, fg: 1 kHz, A: 6 dB\nOPV: Idealer OPV, R: E96, "
              "Min. Rauschen");
    EXPECT_EQ(SummaryText(f, opv, SummaryVariant::REPORT),
              "Butterworth-Tiefpass 4. Ordnung, fg: 1 kHz, A: 6 dB, OPV: Idealer OPV, R: E96, "
              "Min. Rauschen");

    // The third-order structure has no choice of sequence; small ripples in exponent form.
    SpecificationBlock b = f.Specification();
    b.characteristic = Characteristic::CHEBYCHEV;
    b.rippleDb = 0.05;
    b.opAmp = 1;
    f.SetSpecification(b, StructureKind::SALLEN_KEY_X, FilterType::HIGHPASS);
    EXPECT_EQ(
        SummaryText(f, opv),
        "Tschebyscheff-5.000000E-02dB-Hochpass 4. Ordnung, fg: 1 kHz, A: 6 dB\nOPV: LF411 (GBW "
        "7,97 MHz), R: E96");

    // The plot shows the report variant: the whole text on one line.
    b.rippleDb = 0.5;
    b.orderLpHp = 5;
    b.stageSequence = StageSequence::HIGH_LEVEL;
    f.SetSpecification(b, StructureKind::SALLEN_KEY, FilterType::HIGHPASS);
    EXPECT_EQ(SummaryText(f, opv, SummaryVariant::REPORT),
              "Tschebyscheff-500 mdB-Hochpass 5. Ordnung, fg: 1 kHz, A: 6 dB, OPV: LF411, R: E96, "
              "Max. Aussteuerbarkeit");

    Specify(f, FilterType::BANDPASS, StructureKind::MFB, 2, 0.0);
    EXPECT_EQ(SummaryText(f, opv),
              "Bandpass 2. Ordnung, fm: 1 kHz, B: 200 Hz, f1: 905 Hz, f2: 1105 Hz, A: 0 dB, OPV: "
              "LF411 (GBW 7,97 MHz), R: E96");
    const BandEdges edges = BandPassEdges(f);
    // The edges lie geometrically about fm and are B apart.
    EXPECT_NEAR(edges.lower * edges.upper, 1e6, 1e-6);
    EXPECT_NEAR(edges.upper - edges.lower, 200.0, 1e-9);
    Specify(f, FilterType::BANDPASS, StructureKind::MFB, 6, 0.0);
    EXPECT_EQ(SummaryText(f, opv).substr(0, 34), "Butterworth-Bandpass 6. Ordnung, f");

    f.SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E24, 0, 50.0, 1e4, 10.0);
    EXPECT_EQ(SummaryText(f, opv),
              "Bandsperre 2. Ordnung, fm: 50 Hz, Q: 10, A: 5,8 dB, OPV: Idealer OPV, R: E24");
}

TEST(DimensioningText, ListsStagesWithTheirComponents) {
    const COpv opv;
    CFilter f;
    Specify(f, FilterType::LOWPASS, StructureKind::SALLEN_KEY, 3, 0.0);
    f.SetValue(ComponentSlot::R1, 0, 4700.0);
    f.SetValue(ComponentSlot::C1, 0, 1e-8);
    f.SetValue(ComponentSlot::R1, 1, 12000.0);
    f.SetValue(ComponentSlot::R2, 1, 15000.0);
    f.SetValue(ComponentSlot::C1, 1, 2.2e-9);
    f.SetValue(ComponentSlot::C2, 1, 4.7e-9);
    const std::vector<std::string> lines = Lines(DimensioningText(f, opv));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Struktur: Sallen-Key");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "Stufe\tR1\tR2\tC1\tC2");
    EXPECT_EQ(lines[5], std::string(60, '-'));
    EXPECT_EQ(lines[6], "1\t4,7 kOhm\t0 Ohm\t10 nF\t0 F");
    EXPECT_EQ(lines[7], "2\t12 kOhm\t15 kOhm\t2,2 nF\t4,7 nF");
}

// A window that measures its font sets the separator across the columns it lays out, from the
// same cells as the text.
TEST(DimensioningText, SeparatorSpansTheColumnsOfAMeasuredFont) {
    const COpv opv;
    CFilter f;
    Specify(f, FilterType::LOWPASS, StructureKind::SALLEN_KEY, 3, 0.0);
    f.SetValue(ComponentSlot::R1, 1, 12000.0);
    const auto cells = DimensioningCells(f);
    ASSERT_EQ(cells.size(), 3u);
    // Eight dashes 7 units wide cover a column 50 units wide.
    const auto separator = FittedSeparator(50, 7, static_cast<int>(cells[0].size()));
    const std::vector<std::string> lines = Lines(DimensioningText(f, opv, separator));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5], std::string(40, '-'));
    const size_t textLine[] = {4, 6, 7};
    for (size_t r = 0; r < cells.size(); ++r) {
        std::string joined;
        for (const std::string& cell : cells[r]) {
            joined += (joined.empty() ? "" : "\t") + cell;
        }
        EXPECT_EQ(lines[textLine[r]], joined) << r;
    }
}

TEST(DimensioningText, HasNoStageColumnForTheThirdOrderStructure) {
    const COpv opv;
    CFilter f;
    Specify(f, FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, 3, 6.0);
    for (int slot = 0; slot < f.ComponentCount(0); ++slot) {
        f.SetComponentValue(slot < 5 ? 1000.0 * (slot + 1) : 1e-9 * (slot - 4), slot, 0);
    }
    const std::vector<std::string> lines = Lines(DimensioningText(f, opv));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "R1\tR2\tR3\tR4\tR5\tC1\tC2\tC3");
    EXPECT_EQ(lines[5], std::string(96, '-'));
    EXPECT_EQ(lines[6], "1 kOhm\t2 kOhm\t3 kOhm\t4 kOhm\t5 kOhm\t1 nF\t2 nF\t3 nF");
}

TEST(DimensioningText, GivesTheBandStopRealisations) {
    const COpv opv;
    CFilter f;
    f.SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E96, 0, 50.0, 1e4, 2.0);
    f.SetValue(ComponentSlot::R1, 0, 9646.3);
    f.SetValue(ComponentSlot::R2, 0, 4823.2);
    f.SetValue(ComponentSlot::R3, 0, 4320.0);
    f.SetValue(ComponentSlot::R4, 0, 5760.0);
    f.SetValue(ComponentSlot::C1, 0, 3.3e-7);
    f.SetValue(ComponentSlot::C2, 0, 6.6e-7);
    f.SetRealisation(0, RealisationKind::PARALLEL, 825000.0, 9760.0, 9646.3);
    f.SetRealisation(1, RealisationKind::SERIES, 4750.0, 73.2, 4823.2);
    EXPECT_EQ(RealisationText(f, 0),
              "Realisierung von R1 durch Parallelschaltung von 825 kOhm und 9,76 kOhm");
    EXPECT_EQ(RealisationText(f, 1),
              "Realisierung von R2 durch Reihenschaltung von 4,75 kOhm und 73,2 Ohm");
    const std::vector<std::string> lines = Lines(DimensioningText(f, opv));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[3], RealisationText(f, 0));
    EXPECT_EQ(lines[4], RealisationText(f, 1));
    EXPECT_EQ(lines[5], "Realisierung von C2 durch Parallelschaltung von 2 x 330 nF");
    // The combined resistors in whole ohms, the others as number text.
    EXPECT_EQ(lines[9], "1\t9646\t4823\t4,32 kOhm\t5,76 kOhm\t330 nF\t660 nF");

    f.SetRealisation(1, RealisationKind::SINGLE, 0.0, 0.0, 4823.2);
    EXPECT_EQ(RealisationText(f, 1), "");
    EXPECT_EQ(Lines(DimensioningText(f, opv)).back(),
              "1\t9646\t4,82 kOhm\t4,32 kOhm\t5,76 kOhm\t330 nF\t660 nF");
}

TEST(FilterParameterRows, ListEveryStageOfADesign) {
    CDesignSession session;
    Specify(session.Filter(), FilterType::LOWPASS, StructureKind::SALLEN_KEY, 3, 0.0);
    SpecificationBlock b = session.Filter().Specification();
    b.resistorSeries = ResistorSeries::E12;
    session.Filter().SetSpecification(b, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    session.FillCharacteristic();
    SilentMonitor monitor;
    ASSERT_TRUE(session.Design(monitor));
    const auto rows = FilterParameterRows(*session.Current());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "Stufe");
    EXPECT_EQ(rows[0][4], "Verstärkung");
    // A third-order Butterworth has a pole pair with Q = 1 and a first-order stage, both at fg;
    // for the lowest noise the pair comes first.
    EXPECT_EQ(rows[1][1], "1,00000000");
    EXPECT_EQ(rows[1][2], "1 kHz");
    EXPECT_EQ(rows[2][1], "-");
    EXPECT_EQ(rows[2][3], "1,00000000");
}

TEST(CurvesCsv, WritesTheGridOfTheCurves) {
    ResponseCurves curves;
    curves.target.Fill(1.0);
    curves.traditional.Fill(0.5);
    curves.filter.Fill(0.25);
    curves.groupDelay.Fill(1e-4);
    FilterDynamics dynamics;
    dynamics.filterPhase.assign(kCurvePoints, -90.0);
    const std::vector<std::string> lines = Lines(CurvesCsv(curves, dynamics, 1000.0, 0.5, 2.0));
    ASSERT_EQ(lines.size(), 1502u);
    // Earlier columns keep their places; the phases follow, a missing one left empty.
    EXPECT_EQ(lines[0],
              "frequency_hz,target,traditional,filter,group_delay_s,target_phase_deg,"
              "filter_phase_deg");
    EXPECT_EQ(lines[1], "500,1,0.5,0.25,0.0001,,-90");
    const double last = ParseDouble(lines.back());
    EXPECT_NEAR(last, 2000.0, 1e-6);
    EXPECT_EQ(Lines(CurvesCsv(curves, dynamics, 1000.0, 0.5, 2.0, false))[1],
              "500,1,,0.25,0.0001,,-90");
}

TEST(SchematicChoice, FollowsTypeStructureAndGain) {
    EXPECT_EQ(ChooseSchematic(FilterType::LOWPASS, StructureKind::SALLEN_KEY, 0.05).className,
              "CSchaltbildLpSk");
    EXPECT_EQ(ChooseSchematic(FilterType::LOWPASS, StructureKind::SALLEN_KEY, 0.1).className,
              "CSchaltbildLpSkAmp");
    EXPECT_EQ(ChooseSchematic(FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X, 6.0).bitmap, 203);
    EXPECT_EQ(ChooseSchematic(FilterType::BANDREJECT, StructureKind::TWIN_T, 5.8).className,
              "CSchaltbildBr");
    EXPECT_FALSE(ChooseSchematic(FilterType::BANDPASS, StructureKind::SALLEN_KEY, 0.0).picture);
}

}  // namespace
}  // namespace vx
