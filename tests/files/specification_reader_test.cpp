#include "files/specification_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/specification_messages.h"
#include "files/specification_writer.h"
#include "model/character.h"
#include "model/filter.h"
#include "model/opv.h"

namespace vx {
namespace {

const std::string kLowPass =
    "*** Veltranix-Spezifikation ***\n\n[CREATION]\nDESIGNER=x\n\n[FILTER]\nTYPE=LOWPASS\n"
    "STRUCTURE=SK\nFREQUENCY=1.000000E+03\nGAIN_DB=0.000000E+00\nCHARACTERISTIC=BUTTERWORTH\n"
    "ORDER=4\nIMPEDANCE=1.000000E+04\nRESISTORS=E24\nOPAMP=IDEAL\nSEQUENCE=HIGH_LEVEL\n"
    "GAINDISTRIB=EQUAL\nCAPACITORS=OPTIMIZE\n";

// kLowPass with one line replaced (or removed when `with` is empty).
std::string Replace(std::string text, const std::string& line, const std::string& with) {
    const size_t at = text.find(line + "\n");
    if (at == std::string::npos) {
        throw std::logic_error("no line " + line);
    }
    text.replace(at, line.size() + 1, with.empty() ? "" : with + "\n");
    return text;
}

struct Loaded {
    SpecificationLoadResult result;
    CFilter filter;
    CCharacter character;
};

Loaded Load(const std::string& text) {
    const COpv opv;
    Loaded l;
    l.result = ReadSpecification(text, "/tmp/a.vxs", l.filter, l.character, opv);
    return l;
}

// The text of the reader's message for a key (and 1-based stage, 0 for none).
std::string Message(const std::string& key, int stage = 0) {
    return "Falscher oder fehlender Wert :\n\n" +
           (stage > 0 ? "[STAGE " + std::to_string(stage) + "]\n\n" : std::string()) + key;
}

TEST(SpecificationReader, NamesTheKeyOfEachFailure) {
    const std::string bandPass =
        "[FILTER]\nTYPE=BANDPASS\nSTRUCTURE=MFB\nFREQUENCY=1000\nGAIN_DB=0\n"
        "CHARACTERISTIC=BESSEL\nORDER=4\nBANDWIDTH=100\nIMPEDANCE=1e4\nRESISTORS=E24\n"
        "OPAMP=IDEAL\nSEQUENCE=HIGH_LEVEL\nCAPACITORS=OPTIMIZE\n";
    const std::string bandStop =
        "[FILTER]\nTYPE=BANDREJECT\nSTRUCTURE=TWIN-T\nFREQUENCY=50\nORDER=2\nQUALITY=2\n"
        "IMPEDANCE=1e4\nRESISTORS=E96\nOPAMP=IDEAL\nCAPACITORS=OPTIMIZE\n";
    struct Case {
        const char* what;
        std::string text;
        std::string key;
        int stage;
    };
    const Case cases[] = {
        {"no type", Replace(kLowPass, "TYPE=LOWPASS", ""), "TYPE", 0},
        {"blanks around =", Replace(kLowPass, "TYPE=LOWPASS", "TYPE = LOWPASS"), "TYPE", 0},
        {"trailing blank", Replace(kLowPass, "TYPE=LOWPASS", "TYPE=LOWPASS "), "TYPE", 0},
        {"lower-case key", Replace(kLowPass, "TYPE=LOWPASS", "type=LOWPASS"), "TYPE", 0},
        {"lower-case word", Replace(kLowPass, "TYPE=LOWPASS", "TYPE=lowpass"), "TYPE", 0},
        {"no structure", Replace(kLowPass, "STRUCTURE=SK", ""), "STRUCTURE", 0},
        {"no circuit for it", Replace(kLowPass, "STRUCTURE=SK", "STRUCTURE=TWIN-T"), "STRUCTURE",
         0},
        {"negative frequency", Replace(kLowPass, "FREQUENCY=1.000000E+03", "FREQUENCY=-1"),
         "FREQUENCY", 0},
        {"no frequency", Replace(kLowPass, "FREQUENCY=1.000000E+03", ""), "FREQUENCY", 0},
        {"no impedance", Replace(kLowPass, "IMPEDANCE=1.000000E+04", ""), "IMPEDANCE", 0},
        {"unknown series", Replace(kLowPass, "RESISTORS=E24", "RESISTORS=E6"), "RESISTORS", 0},
        {"unknown op-amp", Replace(kLowPass, "OPAMP=IDEAL", "OPAMP=TL999"), "OPAMP", 0},
        {"no op-amp", Replace(kLowPass, "OPAMP=IDEAL", ""), "OPAMP", 0},
        {"no capacitors", Replace(kLowPass, "CAPACITORS=OPTIMIZE", ""), "CAPACITORS", 0},
        {"no gain", Replace(kLowPass, "GAIN_DB=0.000000E+00", ""), "GAIN_DB", 0},
        {"Sallen-Key below 0 dB", Replace(kLowPass, "GAIN_DB=0.000000E+00", "GAIN_DB=-1"),
         "GAIN_DB", 0},
        {"order 31", Replace(kLowPass, "ORDER=4", "ORDER=31"), "ORDER", 0},
        {"order 0", Replace(kLowPass, "ORDER=4", "ORDER=0"), "ORDER", 0},
        {"order beyond int", Replace(kLowPass, "ORDER=4", "ORDER=4294967300"), "ORDER", 0},
        {"no characteristic", Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH", ""), "CHARACTERISTIC",
         0},
        {"ripple missing",
         Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH", "CHARACTERISTIC=CHEBYCHEV"), "RIPPLE_DB",
         0},
        {"ripple 20.5",
         Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH",
                 "CHARACTERISTIC=CHEBYCHEV\nRIPPLE_DB=20.5"),
         "RIPPLE_DB", 0},
        {"no sequence", Replace(kLowPass, "SEQUENCE=HIGH_LEVEL", ""), "SEQUENCE", 0},
        {"SKX individual",
         Replace(Replace(kLowPass, "STRUCTURE=SK", "STRUCTURE=SKX"), "CHARACTERISTIC=BUTTERWORTH",
                 "CHARACTERISTIC=INDIVIDUAL"),
         "CHARACTERISTIC", 0},
        {"Q of stage 2",
         Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH", "CHARACTERISTIC=INDIVIDUAL") +
             "[STAGE 1]\nQ=0.7\nOMEGA=1\n[STAGE 2]\nOMEGA=1\n",
         "Q", 2},
        {"Q wins over OMEGA",
         Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH", "CHARACTERISTIC=INDIVIDUAL") +
             "[STAGE 1]\nQ=0\nOMEGA=0\n",
         "Q", 1},
        {"OMEGA of stage 1",
         Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH", "CHARACTERISTIC=INDIVIDUAL") +
             "[STAGE 1]\nQ=0.7\nOMEGA=-2\n[STAGE 2]\nQ=1\nOMEGA=1\n",
         "OMEGA", 1},
        {"stage gain 0",
         Replace(kLowPass, "GAINDISTRIB=EQUAL", "GAINDISTRIB=VALUES") +
             "[STAGE 1]\nGAIN=0\n[STAGE 2]\nGAIN=2\n",
         "GAIN", 1},
        {"C2 of stage 2",
         Replace(kLowPass, "CAPACITORS=OPTIMIZE", "CAPACITORS=ENTER") +
             "[STAGE 1]\nC1=1e-9\nC2=2e-9\n[STAGE 2]\nC1=1e-9\n",
         "C2", 2},
        {"C1 of stage 1",
         Replace(kLowPass, "CAPACITORS=OPTIMIZE", "CAPACITORS=ENTER") + "[STAGE 1]\nC2=2e-9\n",
         "C1", 1},
        {"MFB high-pass without C3",
         Replace(Replace(Replace(kLowPass, "TYPE=LOWPASS", "TYPE=HIGHPASS"), "STRUCTURE=SK",
                         "STRUCTURE=MFB"),
                 "CAPACITORS=OPTIMIZE", "CAPACITORS=ENTER") +
             "[STAGE 1]\nC1=1e-9\nC2=1e-9\nC3=1e-9\n[STAGE 2]\nC1=1e-9\nC2=1e-9\n",
         "C3", 2},
        {"band-pass without gain", Replace(bandPass, "GAIN_DB=0", ""), "GAIN_DB", 0},
        {"band-pass odd order", Replace(bandPass, "ORDER=4", "ORDER=5"), "ORDER", 0},
        {"band-pass order 32", Replace(bandPass, "ORDER=4", "ORDER=32"), "ORDER", 0},
        {"band-pass too narrow", Replace(bandPass, "BANDWIDTH=100", "BANDWIDTH=4.9"), "BANDWIDTH",
         0},
        // Accepted, the bandwidth would be saved as 4.950495, below the limit.
        {"band-pass too narrow once saved",
         Replace(bandPass, "BANDWIDTH=100", "BANDWIDTH=4.9504951"), "BANDWIDTH", 0},
        {"band-pass too wide", Replace(bandPass, "BANDWIDTH=100", "BANDWIDTH=10200"), "BANDWIDTH",
         0},
        {"band-pass narrow for a real op-amp",
         Replace(Replace(bandPass, "BANDWIDTH=100", "BANDWIDTH=30"), "OPAMP=IDEAL", "OPAMP=LF411"),
         "BANDWIDTH", 0},
        {"band-pass individual",
         Replace(bandPass, "CHARACTERISTIC=BESSEL", "CHARACTERISTIC=INDIVIDUAL"), "CHARACTERISTIC",
         0},
        {"band-pass ripple",
         Replace(bandPass, "CHARACTERISTIC=BESSEL", "CHARACTERISTIC=CHEBYCHEV\nRIPPLE_DB=0"),
         "RIPPLE_DB", 0},
        {"band-pass sequence", Replace(bandPass, "SEQUENCE=HIGH_LEVEL", ""), "SEQUENCE", 0},
        {"band-pass C2",
         Replace(bandPass, "CAPACITORS=OPTIMIZE", "CAPACITORS=ENTER") +
             "[STAGE 1]\nC1=1e-9\nC2=1e-9\n[STAGE 2]\nC1=1e-9\n",
         "C2", 2},
        {"unknown search", kLowPass + "SEARCH=ALL\n", "SEARCH", 0},
        {"search named by another key's word", kLowPass + "SEARCH=LOWPASS\n", "SEARCH", 0},
        {"window below 1.5", kLowPass + "SEARCH=EXHAUSTIVE\nIMPEDANCE_WINDOW=1.49\n",
         "IMPEDANCE_WINDOW", 0},
        {"window above 100", kLowPass + "IMPEDANCE_WINDOW=100.5\n", "IMPEDANCE_WINDOW", 0},
        {"window no number", kLowPass + "SEARCH=EXHAUSTIVE\nIMPEDANCE_WINDOW=weit\n",
         "IMPEDANCE_WINDOW", 0},
        {"band-stop Q 0.4", Replace(bandStop, "QUALITY=2", "QUALITY=0.4"), "QUALITY", 0},
        {"band-stop order 4", Replace(bandStop, "ORDER=2", "ORDER=4"), "ORDER", 0},
        {"band-stop in E12", Replace(bandStop, "RESISTORS=E96", "RESISTORS=E12"), "RESISTORS", 0},
        {"band-stop on MFB", Replace(bandStop, "STRUCTURE=TWIN-T", "STRUCTURE=MFB"), "STRUCTURE",
         0},
        {"scheme without its stop edge",
         kLowPass + "SCHEME_PASS_EDGE=1e3\nSCHEME_PASS_DB=1\nSCHEME_STOP_DB=40\n",
         "SCHEME_STOP_EDGE", 0},
        {"scheme edges the wrong way",
         kLowPass + "SCHEME_PASS_EDGE=1e3\nSCHEME_PASS_DB=1\nSCHEME_STOP_EDGE=500\n"
                    "SCHEME_STOP_DB=40\n",
         "SCHEME_STOP_EDGE", 0},
        {"band scheme without its upper pass edge",
         bandPass + "SCHEME_PASS_EDGE=900\nSCHEME_PASS_DB=1\nSCHEME_STOP_EDGE=500\n"
                    "SCHEME_STOP_EDGE_HIGH=2e3\nSCHEME_STOP_DB=40\n",
         "SCHEME_PASS_EDGE_HIGH", 0},
        {"overshoot limit of a band-stop",
         bandStop + "SCHEME_PASS_EDGE=10\nSCHEME_PASS_EDGE_HIGH=250\nSCHEME_PASS_DB=3\n"
                    "SCHEME_STOP_EDGE=49\nSCHEME_STOP_EDGE_HIGH=51\nSCHEME_STOP_DB=20\n"
                    "SCHEME_OVERSHOOT_PCT=5\n",
         "SCHEME_OVERSHOOT_PCT", 0},
    };
    for (const Case& c : cases) {
        const Loaded l = Load(c.text);
        ASSERT_FALSE(l.result.ok) << c.what;
        ASSERT_EQ(l.result.messages.size(), 2u) << c.what;
        EXPECT_EQ(l.result.messages[0].caption, "Fehler in Spezifikationsdatei") << c.what;
        EXPECT_EQ(l.result.messages[0].text, Message(c.key, c.stage)) << c.what;
        EXPECT_EQ(l.result.messages[1].caption, "Spezifikation laden") << c.what;
        EXPECT_NE(l.result.messages[1].text.find("\"/tmp/a.vxs\""), std::string::npos);
    }
}

// A file keeps the scheme of its type: read back as written, and a file without one leaves no
// scheme of the filter loaded before. A low-pass's file has no upper edges.
TEST(SpecificationReader, KeepsTheToleranceSchemeOfItsType) {
    const std::string withScheme = kLowPass +
                                   "SCHEME_PASS_EDGE=1.000000E+03\nSCHEME_PASS_DB=1.000000E+00\n"
                                   "SCHEME_STOP_EDGE=3.000000E+03\nSCHEME_STOP_DB=4.000000E+01\n"
                                   "SCHEME_OVERSHOOT_PCT=5.000000E+00\n";
    Loaded l = Load(withScheme);
    ASSERT_TRUE(l.result.ok);
    ASSERT_TRUE(l.filter.SchemeOfType());
    EXPECT_EQ(l.filter.scheme->stopEdge, 3000.0);
    EXPECT_EQ(l.filter.scheme->overshootPercent, 5.0);
    EXPECT_FALSE(l.filter.scheme->delayVariationPercent);
    const std::string written = SpecificationText(l.filter, l.character, COpv(), "x");
    EXPECT_NE(written.find("CAPACITORS=OPTIMIZE\nSCHEME_PASS_EDGE=1.000000E+03\nSCHEME_PASS_DB="
                           "1.000000E+00\nSCHEME_STOP_EDGE=3.000000E+03\nSCHEME_STOP_DB="
                           "4.000000E+01\nSCHEME_OVERSHOOT_PCT=5.000000E+00\n"),
              std::string::npos)
        << written;
    const COpv opv;
    ASSERT_TRUE(ReadSpecification(kLowPass, "/tmp/a.vxs", l.filter, l.character, opv).ok);
    EXPECT_FALSE(l.filter.scheme);
}

TEST(SpecificationReader, AcceptsTheLenientForms) {
    {
        // Plain numbers, exponents of two or three digits, CR LF line ends, a last line without
        // a line feed, and a lower-case op-amp name.
        std::string text = Replace(kLowPass, "FREQUENCY=1.000000E+03", "FREQUENCY=1.5E+003");
        text = Replace(text, "OPAMP=IDEAL", "OPAMP=lf411");
        text = Replace(text, "IMPEDANCE=1.000000E+04", "IMPEDANCE=4700");
        std::string crlf;
        for (char ch : text) {
            crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        }
        crlf += "ORDER=6";
        const Loaded l = Load(crlf);
        ASSERT_TRUE(l.result.ok);
        EXPECT_DOUBLE_EQ(l.filter.Frequency(), 1500.0);
        EXPECT_DOUBLE_EQ(l.filter.Impedance(), 4700.0);
        EXPECT_EQ(l.filter.OpAmp(), COpv().FindByName("LF411"));
        EXPECT_EQ(l.filter.Order(), 6);
    }
    {
        // A frequency that is no number reads as 0; only a negative one fails.
        const Loaded l = Load(Replace(kLowPass, "FREQUENCY=1.000000E+03", "FREQUENCY=abc"));
        ASSERT_TRUE(l.result.ok);
        EXPECT_EQ(l.filter.Frequency(), 0.0);
    }
    {
        const Loaded l =
            Load(Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH", "CHARACTERISTIC=CHEBYCHEV1DB"));
        ASSERT_TRUE(l.result.ok);
        EXPECT_EQ(l.filter.GetCharacteristic(), Characteristic::CHEBYCHEV);
        EXPECT_DOUBLE_EQ(l.filter.RippleDb(), 1.0);
    }
    {
        const Loaded l = Load(Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH",
                                      "CHARACTERISTIC=CHEBYCHEV\nRIPPLE_DB=20"));
        EXPECT_TRUE(l.result.ok);
    }
    {
        const Loaded l = Load(Replace(Replace(kLowPass, "STRUCTURE=SK", "STRUCTURE=MFB"),
                                      "GAIN_DB=0.000000E+00", "GAIN_DB=-1"));
        ASSERT_TRUE(l.result.ok);
        EXPECT_DOUBLE_EQ(l.filter.GainDb(), -1.0);
    }
    {
        // The third-order structure has no choice of distribution, sequence or capacitor mode.
        std::string text = Replace(kLowPass, "STRUCTURE=SK", "STRUCTURE=SKX");
        text = Replace(text, "GAINDISTRIB=EQUAL", "GAINDISTRIB=VALUES");
        text = Replace(text, "SEQUENCE=HIGH_LEVEL", "SEQUENCE=LOW_NOISE");
        text = Replace(text, "CAPACITORS=OPTIMIZE", "CAPACITORS=ENTER");
        const Loaded l = Load(text);
        ASSERT_TRUE(l.result.ok);
        EXPECT_EQ(l.filter.GetGainDistribution(), GainDistribution::EQUAL);
        EXPECT_EQ(l.filter.GetStageSequence(), StageSequence::HIGH_LEVEL);
        EXPECT_EQ(l.filter.GetCapacitorMode(), CapacitorMode::OPTIMIZE);
        EXPECT_EQ(l.filter.StageCount(), 1);
    }
    {
        // An unknown distribution word falls back to EQUAL.
        const Loaded l = Load(Replace(kLowPass, "GAINDISTRIB=EQUAL", "GAINDISTRIB=MOST"));
        ASSERT_TRUE(l.result.ok);
        EXPECT_EQ(l.filter.GetGainDistribution(), GainDistribution::EQUAL);
    }
}

TEST(SpecificationReader, FollowsSectionsAndLaterLines) {
    // Keys before [FILTER] are ignored; a header for stage 16 is an unknown line, so the keys
    // after it stay in the stage section before; a later line overwrites an earlier one.
    const std::string text = "ORDER=7\n" +
                             Replace(kLowPass, "GAINDISTRIB=EQUAL", "GAINDISTRIB=VALUES") +
                             "ORDER=6\n[STAGE 1]\nGAIN=2\n[STAGE 2]\nGAIN=3\nORDER=9\n"
                             "[STAGE 16]\nGAIN=4\n[STAGE 3]\nGAIN=5\n";
    const Loaded l = Load(text);
    ASSERT_TRUE(l.result.ok);
    EXPECT_EQ(l.filter.Order(), 6);
    EXPECT_DOUBLE_EQ(l.filter.GetStageGain(0), 2.0);
    EXPECT_DOUBLE_EQ(l.filter.GetStageGain(1), 4.0);
    EXPECT_DOUBLE_EQ(l.filter.GetStageGain(2), 5.0);
}

TEST(SpecificationReader, StoresTheCharacteristicAndEnteredCapacitors) {
    std::string text = Replace(kLowPass, "TYPE=LOWPASS", "TYPE=HIGHPASS");
    text = Replace(text, "CHARACTERISTIC=BUTTERWORTH", "CHARACTERISTIC=INDIVIDUAL");
    text = Replace(text, "ORDER=4", "ORDER=3");
    text = Replace(text, "CAPACITORS=OPTIMIZE", "CAPACITORS=ENTER");
    text +=
        "[STAGE 1]\nOMEGA=2\nQ=-1\nC1=1e-8\nC2=0\n[STAGE 2]\nOMEGA=0.5\nQ=2\nC1=2.2e-9\n"
        "C2=4.7e-9\n";
    // The first-order stage of an odd order has no use for its Q, but the check still wants it.
    EXPECT_FALSE(Load(text).result.ok);
    text = Replace(text, "Q=-1", "Q=0.5");
    const Loaded l = Load(text);
    ASSERT_TRUE(l.result.ok);
    EXPECT_EQ(l.filter.CapsEnteredOrder(), 3);
    EXPECT_DOUBLE_EQ(l.filter.Value(ComponentSlot::C1, 1), 2.2e-9);
    EXPECT_DOUBLE_EQ(l.filter.Value(ComponentSlot::C2, 1), 4.7e-9);
    EXPECT_DOUBLE_EQ(l.result.capacitors.Value(ComponentSlot::C1, 0), 1e-8);
    EXPECT_DOUBLE_EQ(l.result.capacitors.Value(ComponentSlot::C3, 0), -1.0);
    ASSERT_EQ(l.character.Count(), 2);
    // A high-pass pole pair at 0.5 of the cut-off with Q = 2: the low-pass prototype pair
    // 1 + s/(w Q) + s^2/w^2 is taken at w = 1/0.5.
    EXPECT_NEAR(l.character.B(1), 0.25, 1e-12);
    EXPECT_NEAR(l.character.A(1), 0.25, 1e-12);
}

TEST(SpecificationReader, FailedLoadChangesNothing) {
    std::string good = Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH", "CHARACTERISTIC=INDIVIDUAL");
    good = Replace(good, "GAINDISTRIB=EQUAL", "GAINDISTRIB=VALUES");
    const std::string goodStages =
        "[STAGE 1]\nOMEGA=0.8\nQ=0.6\nGAIN=2\n[STAGE 2]\nOMEGA=1.2\nQ=1.4\nGAIN=3\n";
    const COpv opv;
    CFilter filter;
    CCharacter character;
    ASSERT_TRUE(ReadSpecification(good + goodStages, "a", filter, character, opv).ok);
    const SpecificationBlock stored = filter.Specification();
    const CCharacter before = character;
    // Stage 1 reads, stage 2 fails: nothing of stage 1 may arrive.
    std::string bad = Replace(good, "FREQUENCY=1.000000E+03", "FREQUENCY=5000");
    bad += "[STAGE 1]\nOMEGA=0.3\nQ=3\nGAIN=7\n[STAGE 2]\nOMEGA=1.2\nQ=1.4\nGAIN=0\n";
    EXPECT_FALSE(ReadSpecification(bad, "a", filter, character, opv).ok);
    EXPECT_EQ(filter.Specification(), stored);
    EXPECT_EQ(filter.GetStageGain(0), 2.0);
    EXPECT_EQ(character.individualQ, before.individualQ);
    EXPECT_EQ(character.individualFrequency, before.individualFrequency);
    for (int i = 0; i < before.Count(); ++i) {
        EXPECT_EQ(character.A(i), before.A(i));
        EXPECT_EQ(character.B(i), before.B(i));
    }
}

TEST(SpecificationReader, ReadsNanAndInfinityAsNoNumber) {
    const std::string individual =
        Replace(kLowPass, "CHARACTERISTIC=BUTTERWORTH", "CHARACTERISTIC=INDIVIDUAL");
    struct Case {
        std::string text;
        std::string key;
        int stage;
    };
    const Case cases[] = {
        {"[FILTER]\nTYPE=BANDREJECT\nSTRUCTURE=TWIN-T\nFREQUENCY=50\nORDER=2\nQUALITY=nan\n"
         "IMPEDANCE=1e4\nRESISTORS=E96\nOPAMP=IDEAL\nCAPACITORS=OPTIMIZE\n",
         "QUALITY", 0},
        {"[FILTER]\nTYPE=BANDPASS\nSTRUCTURE=MFB\nFREQUENCY=1000\nGAIN_DB=0\n"
         "CHARACTERISTIC=BESSEL\nORDER=4\nBANDWIDTH= +Infinity\nIMPEDANCE=1e4\nRESISTORS=E24\n"
         "OPAMP=IDEAL\nSEQUENCE=HIGH_LEVEL\nCAPACITORS=OPTIMIZE\n",
         "BANDWIDTH", 0},
        {individual + "[STAGE 1]\nQ=NaN\nOMEGA=1\n[STAGE 2]\nQ=1\nOMEGA=1\n", "Q", 1},
        {individual + "[STAGE 1]\nQ=1\nOMEGA=1\n[STAGE 2]\nQ=1\nOMEGA=INF\n", "OMEGA", 2},
        {Replace(kLowPass, "GAINDISTRIB=EQUAL", "GAINDISTRIB=VALUES") +
             "[STAGE 1]\nGAIN=-nan(1)\n[STAGE 2]\nGAIN=2\n",
         "GAIN", 1},
    };
    for (const Case& c : cases) {
        const Loaded l = Load(c.text);
        ASSERT_FALSE(l.result.ok) << c.key;
        EXPECT_EQ(l.result.messages[0].text, Message(c.key, c.stage));
    }
    // Where 0 passes, the word or an overflow stores 0.
    std::string text = Replace(kLowPass, "FREQUENCY=1.000000E+03", "FREQUENCY=-inf");
    text = Replace(text, "IMPEDANCE=1.000000E+04", "IMPEDANCE=1e999");
    text = Replace(text, "CAPACITORS=OPTIMIZE", "CAPACITORS=ENTER") +
           "[STAGE 1]\nC1=nan\nC2=1e-9\n[STAGE 2]\nC1=1e-9\nC2=1e-9\n";
    const Loaded l = Load(text);
    ASSERT_TRUE(l.result.ok);
    EXPECT_EQ(l.filter.Frequency(), 0.0);
    EXPECT_EQ(l.filter.Impedance(), 0.0);
    EXPECT_EQ(l.filter.Value(ComponentSlot::C1, 0), 0.0);
}

TEST(SpecificationReader, RefusesWhatIsNoReadableFileOfItsSize) {
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / "vx_reader" / "folder.vxs";
    std::filesystem::create_directories(dir);
    const auto write = [&dir](const std::string& name, size_t size) {
        const std::filesystem::path file = dir.parent_path() / name;
        std::string text = kLowPass;
        text.resize(size, '\n');
        std::ofstream(file, std::ios::binary) << text;
        return file;
    };
    const std::filesystem::path atLimit = write("at_limit.vxs", kMaxSpecificationBytes);
    const COpv opv;
    {
        CFilter filter;
        CCharacter character;
        EXPECT_TRUE(LoadSpecification(atLimit, filter, character, opv).ok);
    }
    std::vector<std::filesystem::path> refused = {
        dir, dir.parent_path() / "missing.vxs",
        write("over_limit.vxs", kMaxSpecificationBytes + 1)};
    // A device without a size that never ends.
    if (std::filesystem::exists("/dev/zero")) {
        refused.emplace_back("/dev/zero");
    }
    for (const std::filesystem::path& path : refused) {
        CFilter filter;
        CCharacter character;
        const SpecificationLoadResult result = LoadSpecification(path, filter, character, opv);
        EXPECT_FALSE(result.ok) << path;
        ASSERT_EQ(result.messages.size(), 1u) << path;
        EXPECT_EQ(result.messages[0], LoadSpecificationFailedMessage(path.string()));
    }
}

}  // namespace
}  // namespace vx
