#include "model/filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace vx {
namespace {

SpecificationBlock Block(Characteristic characteristic, int order) {
    SpecificationBlock block;
    block.characteristic = characteristic;
    block.orderLpHp = order;
    block.orderBpBs = order;
    return block;
}

std::vector<std::string> Names(const CFilter& f, int stage) {
    std::vector<std::string> names;
    for (int slot = 0; slot < f.ComponentCount(stage); ++slot) {
        names.push_back(f.ComponentName(stage, slot));
    }
    return names;
}

TEST(FilterDefaultsTest, StartsAsASecondOrderBesselSallenKeyLowPass) {
    const CFilter f;
    EXPECT_EQ(f.Type(), FilterType::LOWPASS);
    EXPECT_EQ(f.Structure(), StructureKind::SALLEN_KEY);
    EXPECT_EQ(f.GetCapacitorMode(), CapacitorMode::OPTIMIZE);
    EXPECT_EQ(f.GetCharacteristic(), Characteristic::BESSEL);
    EXPECT_EQ(f.RippleDb(), 1.0);
    EXPECT_EQ(f.GetResistorSeries(), ResistorSeries::E24);
    EXPECT_EQ(f.SeriesNumber(), 24);
    EXPECT_EQ(f.GetStageSequence(), StageSequence::HIGH_LEVEL);
    EXPECT_EQ(f.Frequency(), 1000.0);
    EXPECT_EQ(f.OpAmp(), 0);
    EXPECT_EQ(f.Bandwidth(), 100.0);
    EXPECT_EQ(f.Specification().quality, 10.0);
    EXPECT_EQ(f.Impedance(), 10000.0);
    EXPECT_EQ(f.GainDb(FilterType::LOWPASS), 0.0);
    EXPECT_EQ(f.GainDb(FilterType::BANDREJECT), 0.0);
    EXPECT_EQ(f.OrderLpHp(), 2);
    EXPECT_EQ(f.OrderBpBs(), 2);
    EXPECT_FALSE(f.SteplessR2());
    EXPECT_FALSE(f.EqualCapacitors());
    EXPECT_EQ(f.GetGainDistribution(), GainDistribution::EQUAL);
    for (int i = 0; i < kMaxStages; ++i) {
        EXPECT_EQ(f.GetStageGain(i), 1.0);
    }
    EXPECT_EQ(f.GetDesignState(), DesignState::NONE);
    EXPECT_EQ(f.CapsEnteredOrder(), 0);
    EXPECT_FALSE(f.resultModified);
    EXPECT_TRUE(f.resultUntitled);
    EXPECT_FALSE(f.specModified);
    EXPECT_TRUE(f.specUntitled);
    EXPECT_EQ(f.PlotMin(), 0.5);
    EXPECT_EQ(f.PlotMax(), 2.0);
    EXPECT_EQ(f.Curves().Bits(), 7);
    EXPECT_EQ(f.StageCount(), 1);
    EXPECT_FALSE(f.HasGainResistors());
    EXPECT_EQ(Names(f, 0), (std::vector<std::string>{"R1", "R2", "C1", "C2"}));
    EXPECT_EQ(f.CharacteristicName(), "Bessel");
}

TEST(FilterSpecificationTest, StageCountFollowsOrderAndStructure) {
    struct Case {
        FilterType type;
        StructureKind structure;
        int order;
        int stages;
    };
    const Case kCases[] = {
        {FilterType::BANDPASS, StructureKind::MFB, 6, 3},
        {FilterType::LOWPASS, StructureKind::SALLEN_KEY, 5, 3},
        {FilterType::HIGHPASS, StructureKind::MFB, 1, 1},
        {FilterType::LOWPASS, StructureKind::SALLEN_KEY, 30, 15},
        {FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, 3, 1},
        {FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X, 7, 1},
    };
    for (const Case& c : kCases) {
        CFilter f;
        f.SetSpecification(Block(Characteristic::BUTTERWORTH, c.order), c.structure, c.type);
        EXPECT_EQ(f.Order(), c.order);
        EXPECT_EQ(f.StageCount(), c.stages) << "order " << c.order;
    }
}

TEST(FilterSpecificationTest, EachTypeKeepsItsOwnInputs) {
    CFilter f;
    SpecificationBlock lowPass = Block(Characteristic::BUTTERWORTH, 7);
    lowPass.gainDb = 6.0;
    lowPass.frequency = 250.0;
    f.SetSpecification(lowPass, StructureKind::SALLEN_KEY, FilterType::LOWPASS);

    SpecificationBlock bandStop = Block(Characteristic::CHEBYCHEV, 2);
    bandStop.gainDb = -3.0;
    bandStop.notchGainDb = 4.0;
    bandStop.quality = 5.0;
    bandStop.frequency = 50.0;
    bandStop.steplessR2 = true;
    f.SetSpecification(bandStop, StructureKind::TWIN_T, FilterType::BANDREJECT);

    EXPECT_EQ(f.Type(), FilterType::BANDREJECT);
    EXPECT_EQ(f.GainDb(FilterType::LOWPASS), 6.0);
    EXPECT_EQ(f.GainDb(), 4.0);
    EXPECT_EQ(f.GetCharacteristic(), Characteristic::BUTTERWORTH);
    EXPECT_EQ(f.OrderLpHp(), 7);
    EXPECT_EQ(f.Quality(), 5.0);
    EXPECT_EQ(f.Frequency(), 50.0);
    EXPECT_FALSE(f.SteplessR2());

    SpecificationBlock bandPass = Block(Characteristic::BESSEL, 6);
    bandPass.steplessR2 = true;
    bandPass.bandwidth = 100.0;
    bandPass.frequency = 1000.0;
    bandPass.quality = 99.0;
    f.SetSpecification(bandPass, StructureKind::MFB, FilterType::BANDPASS);
    EXPECT_TRUE(f.SteplessR2());
    EXPECT_DOUBLE_EQ(f.Quality(), 10.0);
    EXPECT_EQ(f.Specification().quality, 5.0);
    EXPECT_EQ(f.Specification().notchGainDb, 4.0);

    f.SetSpecification(lowPass, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_FALSE(f.SteplessR2());
    EXPECT_EQ(f.OrderBpBs(), 6);
}

TEST(FilterSpecificationTest, RippleSurvivesOtherCharacteristics) {
    CFilter f;
    SpecificationBlock block = Block(Characteristic::CHEBYCHEV, 4);
    block.rippleDb = 0.5;
    f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_EQ(f.RippleDb(), 0.5);
    block.characteristic = Characteristic::BUTTERWORTH;
    block.rippleDb = 3.0;
    f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_EQ(f.RippleDb(), 0.5);
    EXPECT_EQ(f.CharacteristicName(), "Butterworth");
    block.characteristic = Characteristic::CHEBYCHEV;
    f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_EQ(f.RippleDb(), 3.0);
    EXPECT_EQ(f.CharacteristicName(), "Tschebyscheff");
    block.characteristic = Characteristic::INDIVIDUAL;
    f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_EQ(f.CharacteristicName(), "Individual");
}

TEST(FilterSpecificationTest, StageGainsAreNotCopied) {
    CFilter f;
    f.SetStageGain(3, 2.5);
    SpecificationBlock block;
    block.stageGain.fill(7.0);
    f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_EQ(f.GetStageGain(3), 2.5);
    EXPECT_EQ(f.GetStageGain(0), 1.0);
}

TEST(FilterSpecificationTest, GainResistorsFromTenthOfADecibel) {
    CFilter f;
    SpecificationBlock block;
    block.gainDb = 0.05;
    f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_EQ(f.ComponentCount(0), 4);
    block.gainDb = 0.1;
    f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_TRUE(f.HasGainResistors());
    EXPECT_EQ(Names(f, 0), (std::vector<std::string>{"R1", "R2", "R3", "R4", "C1", "C2"}));
}

TEST(FilterSpecificationTest, BandStopNotchGainFollowsQuality) {
    CFilter f;
    f.SetBandRejectSpecification(CapacitorMode::ENTER, ResistorSeries::E96, 2, 50.0, 4700.0, 10.0);
    EXPECT_EQ(f.Type(), FilterType::BANDREJECT);
    EXPECT_EQ(f.Structure(), StructureKind::TWIN_T);
    EXPECT_NEAR(f.GainDb(), 20.0 * std::log10(1.95), 1e-12);
    EXPECT_NEAR(f.GainDb(), 5.80, 0.005);
    EXPECT_EQ(f.OrderBpBs(), 2);
    EXPECT_EQ(f.Quality(), 10.0);
    EXPECT_EQ(f.SeriesNumber(), 96);
    EXPECT_EQ(f.OpAmp(), 2);
    EXPECT_EQ(f.Impedance(), 4700.0);
    EXPECT_EQ(f.GetCapacitorMode(), CapacitorMode::ENTER);
    EXPECT_EQ(f.StageCount(), 1);
    f.SetBandRejectSpecification(CapacitorMode::ENTER, ResistorSeries::E96, 2, 50.0, 4700.0, 0.4);
    EXPECT_EQ(f.GainDb(), 0.0);
    f.SetBandRejectSpecification(CapacitorMode::ENTER, ResistorSeries::E96, 2, 50.0, 4700.0, 0.5);
    EXPECT_NEAR(f.GainDb(), 0.0, 1e-15);

    f.SetGainDb(2.0);
    EXPECT_EQ(f.GainDb(FilterType::BANDREJECT), 2.0);
    EXPECT_EQ(f.GainDb(FilterType::LOWPASS), 0.0);
}

TEST(FilterSpecificationTest, InvalidEnumerationsAreProgrammingErrors) {
    CFilter f;
    SpecificationBlock block;
    EXPECT_THROW(f.SetSpecification(block, StructureKind::SALLEN_KEY, static_cast<FilterType>(4)),
                 std::invalid_argument);
    EXPECT_THROW(f.SetSpecification(block, static_cast<StructureKind>(-1), FilterType::LOWPASS),
                 std::invalid_argument);
    block.resistorSeries = static_cast<ResistorSeries>(5);
    EXPECT_THROW(f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS),
                 std::invalid_argument);
    EXPECT_THROW(f.SetDesignState(static_cast<DesignState>(4)), std::invalid_argument);
}

TEST(FilterSlotTest, EveryStructureNamesItsComponents) {
    using V = std::vector<std::string>;
    struct Case {
        FilterType type;
        StructureKind structure;
        bool gain;
        V names;
    };
    const Case kCases[] = {
        {FilterType::LOWPASS,
         StructureKind::SALLEN_KEY,
         true,
         {"R1", "R2", "R3", "R4", "C1", "C2"}},
        {FilterType::HIGHPASS, StructureKind::SALLEN_KEY, false, {"R1", "R2", "C1", "C2"}},
        {FilterType::LOWPASS,
         StructureKind::SALLEN_KEY_X,
         true,
         {"R1", "R2", "R3", "R4", "R5", "C1", "C2", "C3"}},
        {FilterType::HIGHPASS,
         StructureKind::SALLEN_KEY_X,
         false,
         {"R1", "R2", "R3", "C1", "C2", "C3"}},
        {FilterType::LOWPASS, StructureKind::MFB, false, {"R1", "R2", "R3", "C1", "C2"}},
        {FilterType::BANDPASS, StructureKind::MFB, true, {"R1", "R2", "R3", "C1", "C2"}},
        {FilterType::HIGHPASS, StructureKind::MFB, true, {"R1", "R2", "C1", "C2", "C3"}},
        {FilterType::BANDREJECT,
         StructureKind::TWIN_T,
         false,
         {"R1", "R2", "R3", "R4", "C1", "C2"}},
    };
    const ComponentSlot kAll[] = {ComponentSlot::C1, ComponentSlot::C2, ComponentSlot::C3,
                                  ComponentSlot::R1, ComponentSlot::R2, ComponentSlot::R3,
                                  ComponentSlot::R4, ComponentSlot::R5};
    const char* kAllNames[] = {"C1", "C2", "C3", "R1", "R2", "R3", "R4", "R5"};
    for (const Case& c : kCases) {
        CFilter f;
        f.AssignComponentSlots(c.type, c.structure, c.gain);
        EXPECT_EQ(f.Type(), c.type);
        EXPECT_EQ(f.Structure(), c.structure);
        EXPECT_EQ(Names(f, 0), c.names) << f.StructureName(static_cast<int>(c.structure));
        EXPECT_EQ(f.Stage(kMaxStages - 1).count, static_cast<int>(c.names.size()));
        // A named component reaches its own slot; the others read 0 and ignore writes.
        for (int k = 0; k < kMaxComponents; ++k) {
            const bool named =
                std::find(c.names.begin(), c.names.end(), kAllNames[k]) != c.names.end();
            f.SetValue(kAll[k], 0, 100.0 + k);
            EXPECT_EQ(f.Value(kAll[k], 0), named ? 100.0 + k : 0.0) << kAllNames[k];
            if (named) {
                EXPECT_EQ(f.ComponentName(0, f.SlotOf(kAll[k])), kAllNames[k]);
            }
        }
    }
}

TEST(FilterSlotTest, UnnamedGainResistorsKeepTheirSlots) {
    CFilter f;
    f.AssignComponentSlots(FilterType::LOWPASS, StructureKind::SALLEN_KEY, false);
    EXPECT_EQ(f.SlotOf(ComponentSlot::R3), 4);
    EXPECT_EQ(f.SlotOf(ComponentSlot::R4), 5);
    f.AssignComponentSlots(FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, false);
    EXPECT_EQ(f.SlotOf(ComponentSlot::R4), 6);
    EXPECT_EQ(f.SlotOf(ComponentSlot::R5), 7);
    EXPECT_EQ(f.ComponentName(0, 6), "");
}

TEST(FilterSlotTest, MultipleFeedbackBandStopAssignsNothing) {
    CFilter f;
    f.AssignComponentSlots(FilterType::HIGHPASS, StructureKind::MFB, false);
    f.AssignComponentSlots(FilterType::BANDREJECT, StructureKind::MFB, false);
    f.SetSpecification(Block(Characteristic::BESSEL, 2), StructureKind::MFB,
                       FilterType::BANDREJECT);
    EXPECT_EQ(Names(f, 0), (std::vector<std::string>{"R1", "R2", "C1", "C2", "C3"}));
}

TEST(FilterStageTableTest, OutOfRangeReadsZeroAndIgnoresWrites) {
    CFilter f;
    f.SetSpecification(Block(Characteristic::BESSEL, 5), StructureKind::MFB, FilterType::LOWPASS);
    ASSERT_EQ(f.StageCount(), 3);
    f.SetComponentValue(1e-9, 4, 2);
    EXPECT_EQ(f.ComponentValue(4, 2), 1e-9);
    // The seventh slot of a five-component stage, a stage beyond the count, negative indices.
    f.SetComponentValue(5.0, 6, 0);
    EXPECT_EQ(f.ComponentValue(6, 0), 0.0);
    f.SetComponentValue(5.0, 0, 3);
    EXPECT_EQ(f.ComponentValue(0, 3), 0.0);
    EXPECT_EQ(f.ComponentCount(3), 0);
    EXPECT_EQ(f.ComponentCount(-1), 0);
    EXPECT_EQ(f.ComponentValue(-1, 0), 0.0);
    EXPECT_EQ(f.ComponentName(0, 5), "");
    EXPECT_EQ(f.ComponentName(15, 0), "");
    EXPECT_EQ(f.Stage(15).count, 0);

    EXPECT_EQ(f.GetStageGain(15), 0.0);
    EXPECT_EQ(f.GetStageGain(-1), 0.0);
    f.SetStageGain(15, 3.0);
    f.SetStageGain(14, 3.0);
    EXPECT_EQ(f.GetStageGain(14), 3.0);

    f.SetGainDistribution(2);
    EXPECT_EQ(f.GetGainDistribution(), GainDistribution::VALUES);
    f.SetGainDistribution(3);
    f.SetGainDistribution(-1);
    EXPECT_EQ(f.GetGainDistribution(), GainDistribution::VALUES);

    f.SetRealisation(1, RealisationKind::PARALLEL, 10e3, 22e3, 6875.0);
    f.SetRealisation(2, RealisationKind::SERIES, 1.0, 2.0, 3.0);
    EXPECT_EQ(f.GetRealisation(1).kind, RealisationKind::PARALLEL);
    EXPECT_EQ(f.GetRealisation(1).value, 6875.0);
    EXPECT_EQ(f.GetRealisation(2).value, 0.0);
    EXPECT_EQ(f.GetRealisation(0).value, 0.0);
}

TEST(FilterBackupTest, RestoreBringsBackSpecificationAndStageTable) {
    CFilter f;
    SpecificationBlock block = Block(Characteristic::BUTTERWORTH, 4);
    block.gainDb = 6.0;
    f.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::HIGHPASS);
    f.SetValue(ComponentSlot::R3, 1, 4700.0);
    f.SaveBackup();

    f.SetBandRejectSpecification(CapacitorMode::ENTER, ResistorSeries::E12, 1, 50.0, 1e3, 2.0);
    f.SetValue(ComponentSlot::R3, 0, 1.0);
    f.RestoreBackup();

    EXPECT_EQ(f.Type(), FilterType::HIGHPASS);
    EXPECT_EQ(f.Structure(), StructureKind::SALLEN_KEY);
    EXPECT_EQ(f.Specification(), [&] {
        CFilter g;
        g.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::HIGHPASS);
        return g.Specification();
    }());
    EXPECT_EQ(f.ComponentCount(0), 6);
    EXPECT_EQ(f.Value(ComponentSlot::R3, 1), 4700.0);
    EXPECT_EQ(f.Value(ComponentSlot::R3, 0), 0.0);
}

TEST(FilterStateTest, DesignStateAndModifiedFlags) {
    CFilter f;
    f.SetDesignState(DesignState::SPECIFIED);
    f.MarkDesigned();
    EXPECT_EQ(f.GetDesignState(), DesignState::DESIGNED);
    EXPECT_TRUE(f.resultModified);
    EXPECT_TRUE(f.specModified);

    f.SetDesignState(DesignState::SPECIFIED);
    f.SetDesignState(DesignState::CANCELLED);
    EXPECT_FALSE(f.resultModified);
    EXPECT_TRUE(f.specModified);
    f.MarkDesigned();
    EXPECT_EQ(f.GetDesignState(), DesignState::CANCELLED);
    EXPECT_FALSE(f.specModified);

    f.SetCapsEnteredOrder(4);
    f.ResetCapsEnteredOrder(false);
    EXPECT_EQ(f.CapsEnteredOrder(), 4);
    f.ResetCapsEnteredOrder(true);
    EXPECT_EQ(f.CapsEnteredOrder(), 0);
}

TEST(FilterTextTest, NamesAndCreationStamp) {
    EXPECT_EQ(CFilter::TypeName(0), "Tiefpass");
    EXPECT_EQ(CFilter::TypeName(3), "Bandsperre");
    EXPECT_EQ(CFilter::TypeName(4), "");
    EXPECT_EQ(CFilter::StructureName(1), "Sallen-Key mit 1 OPV");
    EXPECT_EQ(CFilter::StructureName(2), "Mehrfachgegenkopplung");
    EXPECT_EQ(CFilter::StructureName(3), "Doppel-T");
    EXPECT_EQ(CFilter::StructureName(-1), "");

    CFilter f;
    f.StampCreationTime();
    // "yyyy-mm-dd hh:mm" with leading zeros.
    const std::string pattern = "dddd-dd-dd dd:dd";
    const std::string& stamp = f.CreationStamp();
    ASSERT_EQ(stamp.size(), pattern.size()) << stamp;
    for (size_t i = 0; i < stamp.size(); ++i) {
        EXPECT_TRUE(pattern[i] == 'd' ? stamp[i] >= '0' && stamp[i] <= '9' : stamp[i] == pattern[i])
            << stamp;
    }
}

TEST(FilterPlotTest, PlotRangeAcceptsOnlyFactorsAroundOne) {
    struct Case {
        double fmin;
        double fmax;
        bool accepted;
    };
    const Case kCases[] = {
        {0.01, 100.0, true}, {0.2, 5.0, true},  {0.009, 2.0, false},
        {1.0, 2.0, false},   {0.5, 1.0, false}, {0.5, 100.1, false},
    };
    for (const Case& c : kCases) {
        CFilter f;
        EXPECT_EQ(f.SetPlotRange(c.fmin, c.fmax), c.accepted) << c.fmin << " " << c.fmax;
        EXPECT_EQ(f.PlotMin(), c.accepted ? c.fmin : 0.5);
        EXPECT_EQ(f.PlotMax(), c.accepted ? c.fmax : 2.0);
    }
}

}  // namespace
}  // namespace vx
