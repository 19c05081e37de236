#include "report/schematic_pictures.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vx {
namespace {

using P = SchematicPicture;

struct PictureFile {
    SchematicPicture picture;
    const char* file;
};

const std::array<PictureFile, kSchematicPictureCount> kFiles = {{
    {P::LP_SK, "lp_sk"},
    {P::LP_SK_AMP, "lp_sk_amp"},
    {P::LP_SKX, "lp_skx"},
    {P::LP_SKX_AMP, "lp_skx_amp"},
    {P::LP_MFB, "lp_mfb"},
    {P::HP_SK, "hp_sk"},
    {P::HP_SK_AMP, "hp_sk_amp"},
    {P::HP_SKX, "hp_skx"},
    {P::HP_SKX_AMP, "hp_skx_amp"},
    {P::HP_MFB, "hp_mfb"},
    {P::BP_MFB, "bp_mfb"},
    {P::BR_TT, "br_tt"},
}};

uint32_t BigEndian32(std::span<const unsigned char> bytes, std::size_t at) {
    return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
           (uint32_t{bytes[at + 2]} << 8) | uint32_t{bytes[at + 3]};
}

std::string ChunkType(std::span<const unsigned char> bytes, std::size_t at) {
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

TEST(SchematicPng, EveryPictureIsACompletePngOfReportSize) {
    constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P',  'N',  'G',
                                                         '\r', '\n', 0x1a, '\n'};
    for (const PictureFile& f : kFiles) {
        SCOPED_TRACE(f.file);
        const auto png = SchematicPng(f.picture);
        ASSERT_GT(png.size(), 33u + 12u);
        EXPECT_TRUE(std::equal(kSignature.begin(), kSignature.end(), png.begin()));
        // IHDR comes first, 13 bytes long, width and height big enough to read, small enough
        // to fit a report page.
        EXPECT_EQ(BigEndian32(png, 8), 13u);
        EXPECT_EQ(ChunkType(png, 12), "IHDR");
        const uint32_t width = BigEndian32(png, 16);
        const uint32_t height = BigEndian32(png, 20);
        EXPECT_GE(width, 400u);
        EXPECT_LE(width, 1200u);
        EXPECT_GE(height, 200u);
        EXPECT_LE(height, 800u);
        // A truncated array would lose the closing IEND chunk.
        EXPECT_EQ(ChunkType(png, png.size() - 8), "IEND");
    }
}

TEST(SchematicPng, EmbeddedBytesMatchTheCommittedPictures) {
    for (const PictureFile& f : kFiles) {
        SCOPED_TRACE(f.file);
        const std::string path =
            std::string(VX_SOURCE_DIR) + "/assets/schematics/" + f.file + ".png";
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        const auto png = SchematicPng(f.picture);
        EXPECT_TRUE(std::equal(png.begin(), png.end(), file.begin(), file.end()));
    }
}

TEST(SchematicPng, NoTwoPicturesAreTheSame) {
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
        for (std::size_t j = i + 1; j < kFiles.size(); ++j) {
            const auto a = SchematicPng(kFiles[i].picture);
            const auto b = SchematicPng(kFiles[j].picture);
            EXPECT_FALSE(std::equal(a.begin(), a.end(), b.begin(), b.end()))
                << kFiles[i].file << " and " << kFiles[j].file;
        }
    }
}

TEST(SchematicPng, RejectsAValueOutsideTheEnum) {
    EXPECT_THROW(SchematicPng(static_cast<SchematicPicture>(kSchematicPictureCount)),
                 std::invalid_argument);
    EXPECT_THROW(SchematicPng(static_cast<SchematicPicture>(-1)), std::invalid_argument);
}

// The picture for every type and structure, without and with a gain network.
struct ChoiceRow {
    FilterType type;
    StructureKind structure;
    std::optional<SchematicPicture> unity;
    std::optional<SchematicPicture> withGain;
};

constexpr auto LP = FilterType::LOWPASS;
constexpr auto HP = FilterType::HIGHPASS;
constexpr auto BP = FilterType::BANDPASS;
constexpr auto BR = FilterType::BANDREJECT;
constexpr auto SK = StructureKind::SALLEN_KEY;
constexpr auto SKX = StructureKind::SALLEN_KEY_X;
constexpr auto MFB = StructureKind::MFB;
constexpr auto TT = StructureKind::TWIN_T;
constexpr std::optional<SchematicPicture> kNone;

const ChoiceRow kChoices[] = {
    {LP, SK, P::LP_SK, P::LP_SK_AMP}, {LP, SKX, P::LP_SKX, P::LP_SKX_AMP},
    {LP, MFB, P::LP_MFB, P::LP_MFB},  {LP, TT, kNone, kNone},
    {HP, SK, P::HP_SK, P::HP_SK_AMP}, {HP, SKX, P::HP_SKX, P::HP_SKX_AMP},
    {HP, MFB, P::HP_MFB, P::HP_MFB},  {HP, TT, kNone, kNone},
    {BP, SK, kNone, kNone},           {BP, SKX, kNone, kNone},
    {BP, MFB, P::BP_MFB, P::BP_MFB},  {BP, TT, kNone, kNone},
    {BR, SK, kNone, kNone},           {BR, SKX, kNone, kNone},
    {BR, MFB, kNone, kNone},          {BR, TT, P::BR_TT, P::BR_TT},
};

TEST(ChooseSchematicPicture, FollowsTheTableForEveryTypeAndStructure) {
    const double unityGains[] = {-6.0, 0.0, 0.05, 0.0999};
    const double realGains[] = {0.1, 0.1001, 6.0, 40.0};
    for (const ChoiceRow& row : kChoices) {
        SCOPED_TRACE(::testing::Message() << "type " << static_cast<int>(row.type) << ", structure "
                                          << static_cast<int>(row.structure));
        for (double g : unityGains) {
            EXPECT_EQ(ChooseSchematicPicture(row.type, row.structure, g), row.unity) << g;
        }
        for (double g : realGains) {
            EXPECT_EQ(ChooseSchematicPicture(row.type, row.structure, g), row.withGain) << g;
        }
    }
}

TEST(ChooseSchematicPicture, UnknownTypeOrStructureHasNoPicture) {
    EXPECT_EQ(ChooseSchematicPicture(static_cast<FilterType>(7), SK, 0.0), kNone);
    EXPECT_EQ(ChooseSchematicPicture(LP, static_cast<StructureKind>(7), 10.0), kNone);
}

}  // namespace
}  // namespace vx
