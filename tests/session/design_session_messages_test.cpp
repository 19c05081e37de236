#include "session/design_session_messages.h"

#include <gtest/gtest.h>

#include "model/filter.h"

namespace vx {
namespace {

TEST(DesignSessionMessages, GainReducedNoticeIsGivenOnce) {
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

}  // namespace
}  // namespace vx
