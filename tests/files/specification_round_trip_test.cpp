#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "files/specification_reader.h"
#include "files/specification_writer.h"
#include "model/character.h"
#include "model/filter.h"
#include "model/opv.h"

namespace vx {
namespace {

struct Session {
    CFilter filter;
    CCharacter character;
};

struct Variant {
    FilterType type;
    StructureKind structure;
    Characteristic characteristic;
    GainDistribution distribution;
    int capacitors;  // 0 enter, 1 optimise, 2 optimise with equal capacitors
    int order;
    bool stepless = false;
};

// A specification with values that survive the file's six decimals.
void Fill(const Variant& v, Session& s) {
    if (v.type == FilterType::BANDREJECT) {
        s.filter.SetBandRejectSpecification(
            v.capacitors == 0 ? CapacitorMode::ENTER : CapacitorMode::OPTIMIZE, ResistorSeries::E96,
            2, 2500.0, 4700.0, 7.5);
    } else {
        SpecificationBlock b = s.filter.Specification();
        b.capacitorMode = v.capacitors == 0 ? CapacitorMode::ENTER : CapacitorMode::OPTIMIZE;
        b.equalCapacitors = v.capacitors == 2;
        b.characteristic = v.characteristic;
        b.rippleDb = 0.25;
        b.resistorSeries = ResistorSeries::E48;
        // The third-order structure always works in this order.
        b.stageSequence = v.structure == StructureKind::SALLEN_KEY_X ? StageSequence::HIGH_LEVEL
                                                                     : StageSequence::LOW_NOISE;
        b.frequency = 1234.5;
        b.opAmp = 1;
        b.bandwidth = 321.25;
        b.impedance = 22000.0;
        b.gainDb = v.structure == StructureKind::MFB ? -3.5 : 6.25;
        b.orderLpHp = v.order;
        b.orderBpBs = v.order;
        b.steplessR2 = v.stepless;
        b.gainDistribution = v.distribution;
        s.filter.SetSpecification(b, v.structure, v.type);
        s.filter.SetGainDistribution(static_cast<int>(v.distribution));
    }
    for (int i = 0; i < kMaxStages; ++i) {
        // Only the stages of the design are written.
        if (i < s.filter.StageCount()) {
            s.filter.SetStageGain(i, 1.5 + 0.25 * i);
        }
        s.character.individualQ[static_cast<size_t>(i)] = 0.5 + 0.125 * i;
        // One value in exponent form, one at the lower end of the fixed form.
        s.character.individualFrequency[static_cast<size_t>(i)] =
            i == 0 ? 0.005 : (i == 1 ? 0.01 : 100.0 + i);
    }
    for (int i = 0; i < s.filter.StageCount(); ++i) {
        for (int slot = 0; slot < s.filter.ComponentCount(i); ++slot) {
            s.filter.SetComponentValue((slot + 1) * 1e-9 + i * 1e-12, slot, i);
        }
    }
    if (v.capacitors == 0) {
        s.filter.SetCapsEnteredOrder(s.filter.Order());
    }
}

std::vector<Variant> AllVariants() {
    std::vector<Variant> variants;
    for (FilterType type : {FilterType::LOWPASS, FilterType::HIGHPASS}) {
        for (StructureKind structure :
             {StructureKind::SALLEN_KEY, StructureKind::SALLEN_KEY_X, StructureKind::MFB}) {
            const bool skx = structure == StructureKind::SALLEN_KEY_X;
            for (int c = 0; c < 4; ++c) {
                const auto characteristic = static_cast<Characteristic>(c);
                if (skx && characteristic == Characteristic::INDIVIDUAL) {
                    continue;
                }
                for (int d = 0; d < (skx ? 1 : 3); ++d) {
                    for (int caps = skx ? 1 : 0; caps < 3; ++caps) {
                        variants.push_back({type, structure, characteristic,
                                            static_cast<GainDistribution>(d), caps, skx ? 3 : 5});
                    }
                }
            }
        }
    }
    for (int c = 0; c < 3; ++c) {
        for (int d = 0; d < 2; ++d) {
            for (int caps = 0; caps < 2; ++caps) {
                variants.push_back({FilterType::BANDPASS, StructureKind::MFB,
                                    static_cast<Characteristic>(c),
                                    static_cast<GainDistribution>(d), caps, 6, caps == 0});
            }
        }
    }
    for (int caps = 0; caps < 2; ++caps) {
        variants.push_back({FilterType::BANDREJECT, StructureKind::TWIN_T, Characteristic::BESSEL,
                            GainDistribution::EQUAL, caps, 2});
    }
    return variants;
}

std::string Describe(const Variant& v) {
    std::ostringstream s;
    s << "type " << static_cast<int>(v.type) << " structure " << static_cast<int>(v.structure)
      << " characteristic " << static_cast<int>(v.characteristic) << " distribution "
      << static_cast<int>(v.distribution) << " capacitors " << v.capacitors;
    return s.str();
}

TEST(SpecificationFile, ReadsBackWhatItWroteForEveryKindOfFilter) {
    const COpv opv;
    for (const Variant& v : AllVariants()) {
        SCOPED_TRACE(Describe(v));
        Session original;
        Fill(v, original);
        const std::string text =
            SpecificationText(original.filter, original.character, opv, "Jana Roth");
        Session loaded;
        const SpecificationLoadResult result =
            ReadSpecification(text, "f.vxs", loaded.filter, loaded.character, opv);
        ASSERT_TRUE(result.ok) << text << (result.messages.empty() ? "" : result.messages[0].text);
        const CFilter& a = original.filter;
        const CFilter& b = loaded.filter;
        EXPECT_EQ(b.Type(), a.Type());
        EXPECT_EQ(b.Structure(), a.Structure());
        SpecificationBlock expected = a.Specification();
        SpecificationBlock actual = b.Specification();
        if (v.distribution != GainDistribution::VALUES || v.type == FilterType::BANDPASS) {
            // Stage gains are only written for the distribution that uses them.
            expected.stageGain = actual.stageGain;
        }
        EXPECT_EQ(actual, expected) << text;
        EXPECT_EQ(b.CapsEnteredOrder(), a.CapsEnteredOrder());
        if (v.capacitors == 0) {
            for (int i = 0; i < a.StageCount(); ++i) {
                for (ComponentSlot c : {ComponentSlot::C1, ComponentSlot::C2, ComponentSlot::C3}) {
                    EXPECT_DOUBLE_EQ(b.Value(c, i), a.Value(c, i)) << "stage " << i;
                }
            }
        }
        if (v.characteristic == Characteristic::INDIVIDUAL) {
            for (int i = 0; i < a.StageCount(); ++i) {
                const auto k = static_cast<size_t>(i);
                EXPECT_DOUBLE_EQ(loaded.character.individualQ[k],
                                 original.character.individualQ[k]);
                EXPECT_DOUBLE_EQ(loaded.character.individualFrequency[k],
                                 original.character.individualFrequency[k]);
            }
        }
        // Writing the loaded record again gives the same file.
        EXPECT_EQ(SpecificationText(b, loaded.character, opv, "Jana Roth"), text);
    }
}

TEST(SpecificationFile, KeepsTheSearchAndNamesOnlyTheExhaustiveOne) {
    const COpv opv;
    struct Case {
        Variant variant;
        SearchMethod method;
        double window;
        const char* lines;  // what the file says of the search, nothing for the neighbour search
        double windowRead;  // the neighbour search does not keep its unread window
    };
    const Case cases[] = {
        {{FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::BUTTERWORTH,
          GainDistribution::EQUAL, 1, 4},
         SearchMethod::EXHAUSTIVE,
         3.16,
         "SEARCH=EXHAUSTIVE\nIMPEDANCE_WINDOW=3.160000E+00\n",
         3.16},
        {{FilterType::BANDPASS, StructureKind::MFB, Characteristic::BESSEL, GainDistribution::EQUAL,
          0, 4},
         SearchMethod::EXHAUSTIVE,
         1.5,
         "SEARCH=EXHAUSTIVE\nIMPEDANCE_WINDOW=1.500000E+00\n",
         1.5},
        {{FilterType::BANDREJECT, StructureKind::TWIN_T, Characteristic::BESSEL,
          GainDistribution::EQUAL, 1, 2},
         SearchMethod::EXHAUSTIVE,
         100.0,
         "SEARCH=EXHAUSTIVE\nIMPEDANCE_WINDOW=1.000000E+02\n",
         100.0},
        {{FilterType::HIGHPASS, StructureKind::MFB, Characteristic::CHEBYCHEV,
          GainDistribution::EQUAL, 1, 3},
         SearchMethod::NEIGHBOURS,
         10.0,
         "",
         kDefaultImpedanceWindow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.variant));
        Session original;
        Fill(c.variant, original);
        original.filter.SetSearch(c.method, c.window);
        const std::string text = SpecificationText(original.filter, original.character, opv, "x");
        const size_t search = text.find("SEARCH=");
        const std::string written =
            search == std::string::npos ? "" : text.substr(search, std::strlen(c.lines));
        EXPECT_EQ(written, c.lines);
        // A record that searched otherwise before takes the file's search.
        Session loaded;
        loaded.filter.SetSearch(SearchMethod::EXHAUSTIVE, 50.0);
        ASSERT_TRUE(ReadSpecification(text, "f.vxs", loaded.filter, loaded.character, opv).ok);
        EXPECT_EQ(loaded.filter.GetSearchMethod(), c.method);
        EXPECT_EQ(loaded.filter.ImpedanceWindow(), c.windowRead);
        EXPECT_EQ(SpecificationText(loaded.filter, loaded.character, opv, "x"), text);
    }
}

TEST(SpecificationFile, WritesTheLayoutAndNumberForms) {
    const COpv opv;
    Session s;
    Fill({FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::INDIVIDUAL,
          GainDistribution::VALUES, 0, 3},
         s);
    s.filter.SetCreationStamp("2024-03-07 09:05");
    const std::string text =
        SpecificationText(s.filter, s.character, opv, DesignerText("Jörg Weiß", "Labor"));
    const std::string expected =
        "*** Veltranix-Spezifikation ***\n\n"
        "[CREATION]\nDESIGNER=J\xF6rg Wei\xDF, Labor\nTOOL=Veltranix 3.3\nDATE=2024-03-07 09:05\n\n"
        "[FILTER]\nTYPE=LOWPASS\nSTRUCTURE=SK\nFREQUENCY=1.234500E+03\nGAIN_DB=6.250000E+00\n"
        "CHARACTERISTIC=INDIVIDUAL\nORDER=3\nIMPEDANCE=2.200000E+04\nRESISTORS=E48\n"
        "OPAMP=LF411\nSEQUENCE=LOW_NOISE\nGAINDISTRIB=VALUES\nCAPACITORS=ENTER\n"
        "\n[STAGE 1]\nOMEGA=5.000000E-03\nQ=0.50000000\nGAIN=1.500000E+00\nC1=5.000000E-09\n"
        "C2=6.000000E-09\n"
        "\n[STAGE 2]\nOMEGA=0.01000000\nQ=0.62500000\nGAIN=1.750000E+00\nC1=5.001000E-09\n"
        "C2=6.001000E-09\n";
    EXPECT_EQ(text, expected);
}

TEST(SpecificationFile, PoleDataKeepsItsFormWhenWrittenAgain) {
    const COpv opv;
    struct Case {
        double q;
        const char* line;
    };
    // Values whose exponent form rounds across an edge of the fixed form.
    const Case cases[] = {
        {0.0099999999, "\nQ=0.01000000\n"},
        {0.009999994, "\nQ=9.999994E-03\n"},
        {99.9999999, "\nQ=1.000000E+02\n"},
        {99.99999, "\nQ=99.99999000\n"},
    };
    for (const Case& c : cases) {
        Session s;
        Fill({FilterType::LOWPASS, StructureKind::SALLEN_KEY, Characteristic::INDIVIDUAL,
              GainDistribution::EQUAL, 1, 2},
             s);
        s.character.individualQ[0] = c.q;
        const std::string text = SpecificationText(s.filter, s.character, opv, "x");
        EXPECT_NE(text.find(c.line), std::string::npos) << text;
        Session loaded;
        ASSERT_TRUE(ReadSpecification(text, "f.vxs", loaded.filter, loaded.character, opv).ok);
        loaded.filter.SetCreationStamp(s.filter.CreationStamp());
        EXPECT_EQ(SpecificationText(loaded.filter, loaded.character, opv, "x"), text);
    }
}

TEST(SpecificationFile, SavesAndLoadsThroughTheFileSystem) {
    const COpv opv;
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / "vx_specification_io";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "Filter1.vxs";
    Session s;
    Fill({FilterType::HIGHPASS, StructureKind::MFB, Characteristic::BUTTERWORTH,
          GainDistribution::EQUAL, 0, 4},
         s);
    EXPECT_FALSE(SaveSpecification(file, s.filter, s.character, opv, "X").has_value());
    EXPECT_FALSE(std::filesystem::exists(dir / "Filter1.vxs.tmp"));
    Session loaded;
    const SpecificationLoadResult result =
        LoadSpecification(file, loaded.filter, loaded.character, opv);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(loaded.filter.Specification().frequency, 1234.5);
    EXPECT_DOUBLE_EQ(result.capacitors.Value(ComponentSlot::C3, 1),
                     s.filter.Value(ComponentSlot::C3, 1));

    const SpecificationLoadResult missing =
        LoadSpecification(dir / "none.vxs", loaded.filter, loaded.character, opv);
    ASSERT_FALSE(missing.ok);
    ASSERT_EQ(missing.messages.size(), 1u);
    EXPECT_EQ(missing.messages[0].caption, "Spezifikation laden");
    EXPECT_EQ(missing.messages[0].text,
              "Die Spezifikationsdatei \"" + (dir / "none.vxs").string() +
                  "\" konnte nicht geladen werden.\n\nMögliche Ursache: Die Datei wird vom "
                  "Virenscanner blockiert oder wurde gelöscht.\n\nEmpfehlung: Versuchen Sie, die "
                  "Datei nach einiger Zeit erneut zu laden.");
}

TEST(SpecificationFile, FailedSaveKeepsTheOldFile) {
    const COpv opv;
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / "vx_specification_keep";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "old.vxs";
    std::ofstream(file) << "old content\n";
    // A directory where the temporary file would go makes the write fail, even for root.
    std::filesystem::create_directory(dir / "old.vxs.tmp");
    Session s;
    const std::optional<UserMessage> message =
        SaveSpecification(file, s.filter, s.character, opv, "X");
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->caption, "Spezifikation speichern");
    EXPECT_EQ(message->text, file.string() +
                                 " kann nicht gespeichert werden.\n\nBitte speichern Sie auf "
                                 "einem anderen Laufwerk.");
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "old content");
    EXPECT_TRUE(SaveSpecification(dir / "missing_dir" / "x.vxs", s.filter, s.character, opv, "X")
                    .has_value());
}

}  // namespace
}  // namespace vx
