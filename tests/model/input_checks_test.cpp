#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "model/band_edges_input.h"
#include "model/bp_input.h"
#include "model/br_tt_input.h"
#include "model/character.h"
#include "model/gain_fields.h"
#include "model/hp_lp_input.h"
#include "model/input_dialog_texts.h"
#include "model/pole_input.h"
#include "model/stage_gain_input.h"

namespace vx {
namespace {

std::string Range(const std::string& name, const std::string& range) {
    return "Der Wert des Parameters \"" + name + "\" liegt außerhalb des zulässigen Bereichs [ " +
           range + " ].\n\nBitte korrigieren Sie Ihre Eingaben.";
}

TEST(HpLpInput, ChecksEachFieldWithItsRange) {
    struct Case {
        const char* what;
        StructureKind structure;
        void (*change)(HpLpInput&);
        HpLpField focus;
        std::string name;
        std::string range;
    };
    const Case cases[] = {
        {"impedance", StructureKind::SALLEN_KEY, [](HpLpInput& i) { i.impedance = 2e9; },
         HpLpField::IMPEDANCE, "Impedanzniveau", "1e-9 .. 1e9"},
        {"frequency", StructureKind::MFB, [](HpLpInput& i) { i.frequency = 0.0; },
         HpLpField::FREQUENCY, "Grenzfrequenz", "1e-9 .. 1e9"},
        {"Sallen-Key gain", StructureKind::SALLEN_KEY, [](HpLpInput& i) { i.gainDb = -3.0; },
         HpLpField::GAIN_DB, "Verstärkung", "0 .. 200 dB"},
        {"MFB gain", StructureKind::MFB, [](HpLpInput& i) { i.gainDb = -101.0; },
         HpLpField::GAIN_DB, "Verstärkung", "-100 .. 200 dB"},
        {"order 31", StructureKind::SALLEN_KEY, [](HpLpInput& i) { i.order = 31; },
         HpLpField::ORDER, "Ordnung", "1 .. 30"},
        {"order 0", StructureKind::MFB, [](HpLpInput& i) { i.order = 0; }, HpLpField::ORDER,
         "Ordnung", "1 .. 30"},
        {"third order, individual", StructureKind::SALLEN_KEY_X,
         [](HpLpInput& i) { i.characteristic = Characteristic::INDIVIDUAL; },
         HpLpField::CHARACTERISTIC, "Charakteristik", "Bessel, Butterworth, Tschebyscheff"},
        {"ripple 0", StructureKind::SALLEN_KEY,
         [](HpLpInput& i) {
             i.characteristic = Characteristic::CHEBYCHEV;
             i.rippleDb = 0.0;
         },
         HpLpField::RIPPLE, "Welligkeit", "> 0, max. 20 dB"},
        // Of several failures the last one checked is reported.
        {"impedance and order", StructureKind::SALLEN_KEY,
         [](HpLpInput& i) {
             i.impedance = 0.0;
             i.order = 40;
         },
         HpLpField::ORDER, "Ordnung", "1 .. 30"},
        {"frequency and gain", StructureKind::SALLEN_KEY,
         [](HpLpInput& i) {
             i.frequency = 2e9;
             i.gainDb = 201.0;
         },
         HpLpField::GAIN_DB, "Verstärkung", "0 .. 200 dB"},
    };
    for (const Case& c : cases) {
        HpLpInput in;
        c.change(in);
        const auto error = CheckHpLpInput(in, c.structure);
        ASSERT_TRUE(error.has_value()) << c.what;
        EXPECT_EQ(error->focus, c.focus) << c.what;
        EXPECT_EQ(error->message.caption, "Eingabefehler") << c.what;
        EXPECT_EQ(error->message.text, Range(c.name, c.range)) << c.what;
    }
}

TEST(InputChecks, AFieldThatHoldsNoNumberGetsItsOwnRangeMessage) {
    // The dialogs read a text that holds no finite number as NaN.
    for (const char* text : {"abc", "", "-", ",", "k", "1e999"}) {
        EXPECT_TRUE(std::isnan(FieldNumber(text))) << text;
    }
    const double none = FieldNumber("abc");
    const auto message = [](const auto& error) -> std::optional<UserMessage> {
        return error ? std::optional(error->message) : std::nullopt;
    };
    HpLpInput chebyshev;
    chebyshev.characteristic = Characteristic::CHEBYCHEV;
    BpInput bp;
    bp.characteristic = Characteristic::CHEBYCHEV;
    const auto hpLp = [&](StructureKind structure, double HpLpInput::*field) {
        HpLpInput in = chebyshev;
        in.*field = none;
        return message(CheckHpLpInput(in, structure));
    };
    const auto bandPass = [&](double BpInput::*field) {
        BpInput in = bp;
        in.*field = none;
        return message(CheckBpInput(in));
    };
    const auto poles = [&](bool quality) {
        PoleRows frequencies;
        PoleRows qualities;
        frequencies.fill(1.0);
        qualities.fill(0.7);
        (quality ? qualities : frequencies)[4] = none;
        CCharacter character;
        return message(AcceptPoleRows(frequencies, qualities, character));
    };
    const auto edge = [&](double lower, double upper) {
        const auto converted = ConvertBandEdges(lower, upper);
        return std::optional(std::get<UserMessage>(converted));
    };
    BrTtInput brTt;
    brTt.quality = none;
    StageGains gains;
    gains.fill(2.0);
    gains[2] = none;
    const struct {
        std::optional<UserMessage> message;
        std::string name;
        std::string range;
    } cases[] = {
        {hpLp(StructureKind::SALLEN_KEY, &HpLpInput::impedance), "Impedanzniveau", "1e-9 .. 1e9"},
        {hpLp(StructureKind::MFB, &HpLpInput::frequency), "Grenzfrequenz", "1e-9 .. 1e9"},
        {hpLp(StructureKind::SALLEN_KEY, &HpLpInput::gainDb), "Verstärkung", "0 .. 200 dB"},
        {hpLp(StructureKind::MFB, &HpLpInput::rippleDb), "Welligkeit", "> 0, max. 20 dB"},
        // The bandwidth's range, which follows from the centre, must not take its place.
        {bandPass(&BpInput::frequency), "Mittenfrequenz", "1e-9 .. 1e9"},
        {bandPass(&BpInput::bandwidth), "Bandbreite", "5 .. 10 k"},
        {bandPass(&BpInput::gainDb), "Verstärkung", "-100 .. 200 dB"},
        {message(CheckBrTtInput(brTt)), "Güte", ">= 0.5"},
        {CheckStageGains(gains), "Verstärkung der Stufe 3", "> 0"},
        {poles(false), "Normierte Polfrequenz der Stufe 5", "> 0"},
        {poles(true), "Polgüte Q der Stufe 5", "> 0"},
        {edge(none, 1100.0), "Untere Grenzfrequenz", "> 0"},
        {edge(900.0, none), "Obere Grenzfrequenz", "> 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.message, (UserMessage{"Eingabefehler", Range(c.name, c.range)})) << c.name;
    }
    // The gain fields are one gain: either holding no number refuses it.
    EXPECT_TRUE(std::isnan(PairedGainDb("abc", "6", {})));
    EXPECT_TRUE(std::isnan(PairedGainDb("2", "", {})));
}

TEST(InputChecks, AnUnreadRippleThatHoldsNoNumberKeepsTheStoredOne) {
    CFilter filter;
    CCharacter character;
    HpLpInput hpLp;
    hpLp.characteristic = Characteristic::BUTTERWORTH;
    hpLp.rippleDb = FieldNumber("abc");
    ASSERT_FALSE(AcceptHpLpInput(hpLp, FilterType::LOWPASS, StructureKind::MFB, filter, character));
    EXPECT_EQ(filter.RippleDb(), 1.0);
    BpInput bp;
    bp.rippleDb = FieldNumber("");
    ASSERT_FALSE(AcceptBpInput(bp, filter, character));
    EXPECT_EQ(filter.RippleDb(), 1.0);
}

TEST(SearchInput, OnlyTheExhaustiveSearchReadsItsWindow) {
    const double none = FieldNumber("abc");
    const struct {
        SearchMethod method;
        double window;
        bool refused;
        double stored;  // the record held 10 before
    } cases[] = {
        {SearchMethod::EXHAUSTIVE, 1.5, false, 1.5},
        {SearchMethod::EXHAUSTIVE, 100.0, false, 100.0},
        {SearchMethod::EXHAUSTIVE, 1.49, true, 10.0},
        {SearchMethod::EXHAUSTIVE, none, true, 10.0},
        {SearchMethod::NEIGHBOURS, none, false, 10.0},
        {SearchMethod::NEIGHBOURS, 1000.0, false, 10.0},
        {SearchMethod::NEIGHBOURS, 4.7, false, 4.7},
    };
    const UserMessage refusal{"Eingabefehler", Range("Impedanzfenster", "1,5 .. 100")};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.method) << " " << c.window);
        CFilter lowPass;
        CFilter bandPass;
        CCharacter character;
        lowPass.SetSearch(SearchMethod::NEIGHBOURS, 10.0);
        bandPass.SetSearch(SearchMethod::NEIGHBOURS, 10.0);
        HpLpInput hpLp = HpLpInputFrom(lowPass, StructureKind::MFB);
        hpLp.search = {c.method, c.window};
        const auto hpLpError =
            AcceptHpLpInput(hpLp, FilterType::LOWPASS, StructureKind::MFB, lowPass, character);
        BpInput bp = BpInputFrom(bandPass);
        bp.search = {c.method, c.window};
        const auto bpError = AcceptBpInput(bp, bandPass, character);
        ASSERT_EQ(hpLpError.has_value(), c.refused);
        ASSERT_EQ(bpError.has_value(), c.refused);
        if (c.refused) {
            EXPECT_EQ(hpLpError->focus, HpLpField::IMPEDANCE_WINDOW);
            EXPECT_EQ(hpLpError->message, refusal);
            EXPECT_EQ(bpError->focus, BpField::IMPEDANCE_WINDOW);
            EXPECT_EQ(bpError->message, refusal);
        }
        for (const CFilter* f : {&lowPass, &bandPass}) {
            EXPECT_EQ(f->GetSearchMethod(), c.refused ? SearchMethod::NEIGHBOURS : c.method);
            EXPECT_EQ(f->ImpedanceWindow(), c.stored);
        }
    }
}

TEST(HpLpInput, AcceptsTheEdgesOfTheRanges) {
    HpLpInput in;
    in.characteristic = Characteristic::CHEBYCHEV;
    in.rippleDb = 20.0;
    in.order = 30;
    in.gainDb = 200.0;
    EXPECT_FALSE(CheckHpLpInput(in, StructureKind::SALLEN_KEY).has_value());
    // Without Chebyshev the ripple is not looked at.
    in.characteristic = Characteristic::BUTTERWORTH;
    in.rippleDb = -5.0;
    in.gainDb = -3.0;
    EXPECT_FALSE(CheckHpLpInput(in, StructureKind::MFB).has_value());
}

TEST(HpLpInput, OkStoresTheSpecification) {
    CFilter filter;
    CCharacter character;
    HpLpInput in;
    in.characteristic = Characteristic::BUTTERWORTH;
    in.order = 5;
    in.frequency = 2000.0;
    in.gainDb = 0.05;
    in.distribution = GainDistribution::EQUAL_GBP;
    ASSERT_FALSE(AcceptHpLpInput(in, FilterType::HIGHPASS, StructureKind::MFB, filter, character));
    EXPECT_EQ(filter.Type(), FilterType::HIGHPASS);
    EXPECT_EQ(filter.Structure(), StructureKind::MFB);
    EXPECT_EQ(filter.Order(), 5);
    // Below 0.1 dB the gain counts as none.
    EXPECT_EQ(filter.GainDb(), 0.0);
    EXPECT_EQ(filter.GetGainDistribution(), GainDistribution::EQUAL_GBP);
    EXPECT_EQ(character.Count(), 3);

    // The third-order structure: fixed order, and equal capacitors need 6 dB.
    in.equalCapacitors = true;
    in.gainDb = 3.0;
    const auto error =
        AcceptHpLpInput(in, FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, filter, character);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->focus, HpLpField::GAIN_DB);
    EXPECT_EQ(error->message.text, "Bitte ändern Sie die Verstärkung auf 6 dB oder mehr");
    EXPECT_EQ(filter.Structure(), StructureKind::MFB);
    in.gainDb = 6.0;
    ASSERT_FALSE(
        AcceptHpLpInput(in, FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, filter, character));
    EXPECT_EQ(filter.Order(), 3);
    EXPECT_EQ(filter.StageCount(), 1);
    EXPECT_TRUE(filter.EqualCapacitors());
    EXPECT_EQ(filter.GetGainDistribution(), GainDistribution::EQUAL);
}

TEST(HpLpInput, ChecksTheIndividualPoleData) {
    CFilter filter;
    CCharacter character;
    character.individualFrequency = {1.0, 1.0, -1.0};
    character.individualQ = {0.5, 0.7, 0.0};
    HpLpInput in;
    in.characteristic = Characteristic::INDIVIDUAL;
    in.order = 6;
    const auto error =
        AcceptHpLpInput(in, FilterType::LOWPASS, StructureKind::SALLEN_KEY, filter, character);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.caption,
              "Eingabefehler in Parameter der individuellen Charakteristik");
    // The Q text wins when both values of the stage are bad.
    EXPECT_EQ(error->message.text,
              "Der Parameter \"Polgüte Q\" für die Stufe 3 ist nicht größer als 0.\n\nBitte "
              "korrigieren Sie Ihre Eingaben.");
    character.individualQ[2] = 2.0;
    const auto frequency = CheckIndividualPoles(character, 6);
    ASSERT_TRUE(frequency.has_value());
    EXPECT_NE(frequency->text.find("\"Normierte Polfrequenz\" für die Stufe 3"), std::string::npos);
    // Order 4 uses only the first two stages.
    EXPECT_FALSE(CheckIndividualPoles(character, 4).has_value());
}

TEST(BpInput, ChecksTheBandwidthAgainstTheOpAmp) {
    BpInput in;
    in.frequency = 1000.0;
    in.order = 4;
    in.bandwidth = 5.0;
    EXPECT_FALSE(CheckBpInput(in).has_value());
    in.bandwidth = 4.9;
    auto error = CheckBpInput(in);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->focus, BpField::BANDWIDTH);
    EXPECT_EQ(error->message.text, Range("Bandbreite", "5 .. 10 k"));
    in.opAmp = 1;
    in.bandwidth = 33.1;
    EXPECT_FALSE(CheckBpInput(in).has_value());
    in.bandwidth = 32.9;
    EXPECT_TRUE(CheckBpInput(in).has_value());
}

TEST(BpInput, ReportsAnOddOrderAfterTheRanges) {
    BpInput in;
    in.order = 5;
    auto error = CheckBpInput(in);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->focus, BpField::ORDER);
    EXPECT_EQ(error->message.text,
              "Der Wert des Parameters \"Ordnung\" ist ungültig :\n\nDie Ordnung ist nicht "
              "gerade.\n\nBitte korrigieren Sie Ihre Eingaben.");
    in.impedance = 0.0;
    error = CheckBpInput(in);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message.text, Range("Eingangsimpedanz", "1e-9 .. 1e9"));

    in = BpInput{};
    in.order = 6;
    in.gainDb = 0.05;
    in.steplessR2 = true;
    CFilter filter;
    CCharacter character;
    ASSERT_FALSE(AcceptBpInput(in, filter, character).has_value());
    EXPECT_EQ(filter.Type(), FilterType::BANDPASS);
    EXPECT_EQ(filter.StageCount(), 3);
    EXPECT_EQ(filter.GainDb(), 0.0);
    EXPECT_TRUE(filter.SteplessR2());
    EXPECT_EQ(character.Count(), 2);
}

TEST(BrTtInput, ChecksQualityAndShowsTheGain) {
    BrTtInput in;
    in.quality = 0.4;
    auto error = CheckBrTtInput(in);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->focus, BrTtField::QUALITY);
    EXPECT_EQ(error->message.text, Range("Güte", ">= 0.5"));
    in.frequency = -1.0;
    EXPECT_EQ(CheckBrTtInput(in)->focus, BrTtField::FREQUENCY);
    // The dialog offers no E12: a stored E12 opens as E24, and an E12 given otherwise is refused.
    in = BrTtInput{};
    in.series = ResistorSeries::E12;
    error = CheckBrTtInput(in);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->focus, BrTtField::SERIES);
    EXPECT_EQ(error->message.text, Range("Widerstandswerte", "E24 .. E192"));
    CFilter e12;
    SpecificationBlock block = e12.Specification();
    block.resistorSeries = ResistorSeries::E12;
    e12.SetSpecification(block, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_EQ(BrTtInputFrom(e12).series, ResistorSeries::E24);
    EXPECT_EQ(BandStopGainText(10.0), "5,8 dB");
    EXPECT_EQ(BandStopGainText(0.4), "0 dB");

    in = BrTtInput{};
    in.quality = 10.0;
    CFilter filter;
    ASSERT_FALSE(AcceptBrTtInput(in, filter).has_value());
    EXPECT_EQ(filter.Type(), FilterType::BANDREJECT);
    EXPECT_NEAR(filter.GainDb(), 20.0 * std::log10(1.95), 1e-12);
}

TEST(BandEdgesInput, TurnsEdgesIntoCentreAndBandwidth) {
    // The edges shown for a centre and bandwidth give them back.
    const BandEdgePair edges = BandEdgesOf(994.987, 200.0);
    EXPECT_NEAR(edges.upper - edges.lower, 200.0, 1e-9);
    EXPECT_NEAR(edges.upper * edges.lower, 994.987 * 994.987, 1e-6);
    EXPECT_EQ(BandEdgeText(edges.lower), "900");

    const auto ok = ConvertBandEdges(900.0, 1100.0);
    ASSERT_TRUE(std::holds_alternative<CentreAndBandwidth>(ok));
    EXPECT_NEAR(std::get<CentreAndBandwidth>(ok).centre, 994.987, 1e-3);
    EXPECT_NEAR(std::get<CentreAndBandwidth>(ok).bandwidth, 200.0, 1e-9);

    EXPECT_EQ(std::get<UserMessage>(ConvertBandEdges(1000.0, 1000.0)).text,
              "Die untere Grenzfrequenz muss kleiner als die obere sein.");
    EXPECT_EQ(std::get<UserMessage>(ConvertBandEdges(0.0, 1000.0)).text,
              "Die untere Grenzfrequenz muss > 0 sein.");
    EXPECT_EQ(std::get<UserMessage>(ConvertBandEdges(1000.0, 1010.0)).text,
              "Aus Ihren Eingaben ergibt sich eine Mittenfrequenz von 1005 Hz.\n\nDies erfordert "
              "eine Bandbreite von 33,5 .. 10050 Hz, da die Güte im Bereich 0,1 .. 30 liegen "
              "muss.\n\nBitte ändern Sie den Abstand der beiden Frequenzen entsprechend.");
}

TEST(BandEdgesInput, EdgesComeBackAsEnteredThroughTheFourDigitFields) {
    // The centre 994,987 Hz shows as "995"; read back from that text its edges were 900,012
    // and 1100,01. The value behind the unchanged text gives back what was entered.
    const auto entered = std::get<CentreAndBandwidth>(ConvertBandEdges(900.0, 1100.0));
    const ShownNumber centre{NumberFieldText(entered.centre), entered.centre};
    const BandEdgePair edges = BandEdgesOf(FieldNumber("995", centre), entered.bandwidth);
    EXPECT_EQ(BandEdgeText(edges.lower), "900");
    EXPECT_EQ(BandEdgeText(edges.upper), "1100");
    // A typed text is read as typed; edges of a field that holds no number show nothing.
    EXPECT_EQ(FieldNumber("995,0", centre), 995.0);
    EXPECT_EQ(BandEdgeText(BandEdgesOf(FieldNumber("abc"), 200.0).lower), "");
}

TEST(StageGainInput, RefusesAGainNotAboveZero) {
    StageGains gains;
    gains.fill(2.0);
    gains[2] = 0.0;
    CFilter filter;
    const auto error = AcceptStageGains(gains, filter);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->caption, "Eingabefehler");
    EXPECT_EQ(error->text, "Der eingegebene Wert für die Stufe 3 ist nicht größer 0.");
    EXPECT_EQ(filter.GetStageGain(0), 1.0);
    gains[2] = 0.5;
    ASSERT_FALSE(AcceptStageGains(gains, filter).has_value());
    EXPECT_EQ(filter.GetStageGain(2), 0.5);
}

TEST(GainFields, FollowEachOther) {
    EXPECT_EQ(GainLinearText(20.0), "10");
    EXPECT_EQ(GainDbTextFromLinear("10").value(), "20");
    EXPECT_EQ(GainDbTextFromLinear("0,5").value(), "-6,021");
    EXPECT_FALSE(GainDbTextFromLinear("0").has_value());
    EXPECT_EQ(RippleText(0.05), "5,000000E-02");
    EXPECT_EQ(PoleValueText(0.5), "0,50000000");
    EXPECT_EQ(PoleValueText(0.005), "5,000000E-03");

    // Entered stage gains show their product; a Sallen-Key dialog shows no negative gain, also
    // not the one a multiple-feedback design left in the record, which the MFB dialogs keep.
    CFilter filter;
    SpecificationBlock b = filter.Specification();
    b.orderLpHp = 4;
    b.gainDb = -6.0;
    filter.SetSpecification(b, StructureKind::MFB, FilterType::LOWPASS);
    EXPECT_EQ(HpLpInputFrom(filter, StructureKind::SALLEN_KEY).gainDb, 0.0);
    EXPECT_EQ(HpLpInputFrom(filter, StructureKind::SALLEN_KEY_X).gainDb, 0.0);
    EXPECT_EQ(HpLpInputFrom(filter, StructureKind::MFB).gainDb, -6.0);
    filter.SetSpecification(b, StructureKind::SALLEN_KEY, FilterType::LOWPASS);
    EXPECT_EQ(HpLpInputFrom(filter, StructureKind::MFB).gainDb, -6.0);
    filter.SetGainDistribution(static_cast<int>(GainDistribution::VALUES));
    filter.SetStageGain(0, 2.0);
    filter.SetStageGain(1, 5.0);
    filter.SetStageGain(2, 100.0);  // not a stage of order 4
    EXPECT_NEAR(ShownGainDb(filter, StructureKind::SALLEN_KEY), 20.0, 1e-12);
    // An odd order counts its first-order stage; no order reads past the last stage.
    EXPECT_NEAR(StageGainProductDb(filter.Specification().stageGain, 5), 60.0, 1e-12);
    EXPECT_NEAR(StageGainProductDb(filter.Specification().stageGain, 40), 60.0, 1e-12);
}

TEST(InputDialogTexts, TitleNamesTypeAndStructure) {
    EXPECT_EQ(HpLpDialogTitle(FilterType::LOWPASS, StructureKind::SALLEN_KEY),
              "Sallen-Key-Tiefpass");
    EXPECT_EQ(HpLpDialogTitle(FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X),
              "Sallen-Key-Hochpass 3. Ordnung mit 1 OPV");
    EXPECT_EQ(HpLpDialogTitle(FilterType::LOWPASS, StructureKind::MFB),
              "Tiefpass mit Mehrfachgegenkopplung");
    EXPECT_EQ(StageRowLabel(15), "Stufe 15 :");
}

}  // namespace
}  // namespace vx
