#include "plot/plot_messages.h"

#include <gtest/gtest.h>

#include "model/filter.h"
#include "model/opv.h"
#include "plot/plot_summary.h"

namespace vx {
namespace {

TEST(PlotMessages, GainReducedNoticeIsGivenOnce) {
    CFilter filter;
    EXPECT_FALSE(TakeGainReducedNotice(filter));
    SpecificationBlock block = filter.Specification();
    block.gainDb = 12.345;
    filter.SetSpecification(block, StructureKind::MFB, FilterType::BANDPASS);
    filter.gainReduced = true;
    const auto notice = TakeGainReducedNotice(filter);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->caption, "Verstärkung reduziert");
    EXPECT_EQ(notice->text,
              "Wegen zu niedriger Güte der Teilfilter für die geforderte Verstärkung musste die "
              "Verstärkung des Filters auf 12,35 dB reduziert werden.");
    EXPECT_FALSE(filter.gainReduced);
    EXPECT_FALSE(TakeGainReducedNotice(filter));
    EXPECT_EQ(NoDesignMessage("Datei - Grafik drucken").text,
              "Es wurde noch kein Filter berechnet.\n\nBitte starten Sie mit dem Menüpunkt "
              "\"Datei, Neues Filter\".");
}

TEST(PlotSummary, OneLinePerType) {
    CFilter filter;
    SpecificationBlock block = filter.Specification();
    block.characteristic = Characteristic::CHEBYCHEV;
    block.rippleDb = 0.5;
    block.orderLpHp = 5;
    block.gainDb = 6.0;
    block.frequency = 2200.0;
    filter.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::HIGHPASS);
    EXPECT_EQ(PlotSummaryLine(filter, "TL081"),
              "Tschebyscheff-0,5dB-Hochpass 5. Ordnung, fg: 2200 Hz, A: 6 dB, OPV: TL081, R: E24, "
              "Max. Aussteuerbarkeit");

    block.characteristic = Characteristic::BUTTERWORTH;
    block.orderBpBs = 2;
    block.frequency = 1000.0;
    block.bandwidth = 100.0;
    block.gainDb = 0.0;
    filter.SetSpecification(block, StructureKind::MFB, FilterType::BANDPASS);
    EXPECT_EQ(PlotSummaryLine(filter, "Idealer OPV"),
              "Bandpass 2. Ordnung, fm: 1 kHz, B: 100 Hz, f1: 951 Hz, f2: 1051 Hz, A: 0 dB, "
              "OPV: Idealer OPV, R: E24");

    filter.SetBandRejectSpecification(CapacitorMode::OPTIMIZE, ResistorSeries::E96, 0, 50.0,
                                      10000.0, 10.0);
    EXPECT_EQ(PlotSummaryLine(filter, "Idealer OPV"),
              "Bandsperre 2. Ordnung, fm: 50 Hz, Q: 10, A: 5,8 dB, OPV: Idealer OPV, R: E96");
}

}  // namespace
}  // namespace vx
