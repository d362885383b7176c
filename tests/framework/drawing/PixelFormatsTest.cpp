// Stored pixel formats: decoding, truncating encodes, the three row conversion paths and format choice lists.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "framework/GfxFormatChoice.h"
#include "framework/GfxPixelFormats.h"

namespace zelmar {

using F = TPixelFormat;

namespace {

std::uint32_t Decode(F format, std::vector<std::uint8_t> bytes) {
  return DecodePixel(format, bytes.data());
}

}  // namespace

TEST(PixelFormats, EveryStoredFormatDecodesToExpandedA8R8G8B8) {
  EXPECT_EQ(Decode(F::pfR3G3B2, {0xAE}), 0xFFB66DAAu);  // 5/7, 3/7, 2/3
  EXPECT_EQ(Decode(F::pfR5G6B5, {0x01, 0x84}), 0xFF848208u);
  EXPECT_EQ(Decode(F::pfX8R8G8B8, {0x11, 0x22, 0x33, 0x00}), 0xFF332211u);
  EXPECT_EQ(Decode(F::pfX1R5G5B5, {0x0F, 0x7C}), 0xFFFF007Bu);
  EXPECT_EQ(Decode(F::pfX1R5G5B5, {0x0F, 0xFC}), 0xFFFF007Bu);  // the ignored bit stays ignored
  EXPECT_EQ(Decode(F::pfX4R4G4B4, {0x84, 0xAF}), 0xFFFF8844u);
  EXPECT_EQ(Decode(F::pfA8R8G8B8, {0x33, 0x22, 0x11, 0x80}), 0x80112233u);
  EXPECT_EQ(Decode(F::pfA1R5G5B5, {0x00, 0x84}), 0xFF080000u);
  EXPECT_EQ(Decode(F::pfA1R5G5B5, {0x00, 0x04}), 0x00080000u);
  EXPECT_EQ(Decode(F::pfA4R4G4B4, {0x23, 0x71}), 0x77112233u);
  EXPECT_EQ(Decode(F::pfA8R3G3B2, {0xE3, 0x40}), 0x40FF00FFu);
  EXPECT_EQ(Decode(F::pfA2R2G2B2, {0x6C}), 0x55AAFF00u);
  EXPECT_EQ(Decode(F::pfA8, {0x7F}), 0x7FFFFFFFu);
}

TEST(PixelFormats, ExtremesExpandToZeroAndFull) {
  for (F f : {F::pfR3G3B2, F::pfR5G6B5, F::pfA1R5G5B5, F::pfA4R4G4B4, F::pfA8R3G3B2, F::pfA2R2G2B2}) {
    std::array<std::uint8_t, 2> ones{0xFF, 0xFF}, zeros{0, 0};
    const TPixelLayout& l = PixelLayout(f);
    EXPECT_EQ(DecodePixel(f, ones.data()), 0xFFFFFFFFu) << int(f);
    EXPECT_EQ(DecodePixel(f, zeros.data()), l.ABits ? 0u : 0xFF000000u) << int(f);
  }
}

TEST(PixelFormats, EncodingKeepsTheTopBits) {
  std::array<std::uint8_t, 4> out{};
  EncodePixel(F::pfR5G6B5, 0xFFFF8844u, out.data());
  EXPECT_EQ(out[0] | out[1] << 8, 0xFC48);
  EncodePixel(F::pfA4R4G4B4, 0x7F1F2F3Fu, out.data());
  EXPECT_EQ(out[0] | out[1] << 8, 0x7123);
  EncodePixel(F::pfA1R5G5B5, 0x7FFFFFFFu, out.data());
  EXPECT_EQ(out[0] | out[1] << 8, 0x7FFF);  // alpha 127 truncates to 0
  EncodePixel(F::pfA8, 0xC0123456u, out.data());
  EXPECT_EQ(out[0], 0xC0);
  EncodePixel(F::pfA8R3G3B2, 0x40FF00FFu, out.data());
  EXPECT_EQ(out[0] | out[1] << 8, 0x40E3);
  EncodePixel(F::pfX8R8G8B8, 0x01020304u, out.data());
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{4, 3, 2, 1}));
}

TEST(PixelFormats, RowConversionPaths) {
  // Straight copy between the X and A variants keeps the stored bytes, alpha byte included.
  std::vector<std::uint8_t> x888{1, 2, 3, 0, 4, 5, 6, 0}, out(8, 0xEE);
  ConvertRow(F::pfX8R8G8B8, F::pfA8R8G8B8, x888.data(), out.data(), 2);
  EXPECT_EQ(out, x888);
  std::vector<std::uint8_t> x444{0x84, 0xAF}, out2(2);
  ConvertRow(F::pfX4R4G4B4, F::pfA4R4G4B4, x444.data(), out2.data(), 1);
  EXPECT_EQ(out2, x444);
  // A8R8G8B8 source is encoded directly.
  std::vector<std::uint8_t> argb{0x44, 0x88, 0xFF, 0xFF}, out3(2);
  ConvertRow(F::pfA8R8G8B8, F::pfR5G6B5, argb.data(), out3.data(), 1);
  EXPECT_EQ(out3[0] | out3[1] << 8, 0xFC48);
  // Other sources decode first: 2-bit 2 -> 170 -> top four bits 0xA.
  std::vector<std::uint8_t> a2{0x6C, 0x6C}, out4(4);
  ConvertRow(F::pfA2R2G2B2, F::pfA4R4G4B4, a2.data(), out4.data(), 2);
  EXPECT_EQ(out4, (std::vector<std::uint8_t>{0xF0, 0x5A, 0xF0, 0x5A}));
  // X8R8G8B8 decodes with full alpha when it must be re-encoded.
  std::vector<std::uint8_t> x8{0x44, 0x88, 0xFF, 0x00}, out5(2);
  ConvertRow(F::pfX8R8G8B8, F::pfA1R5G5B5, x8.data(), out5.data(), 1);
  EXPECT_EQ(out5[0] | out5[1] << 8, 0x8000 | 31 << 10 | 17 << 5 | 8);
}

TEST(PixelFormats, UnknownCodesAreRefused) {
  EXPECT_EQ(PixelFormatFromCode(10), F::pfA8);
  EXPECT_EQ(PixelFormatFromCode(11), F::pfUnknown);
  EXPECT_EQ(PixelFormatFromCode(200), F::pfUnknown);
  EXPECT_EQ(PixelBytes(F::pfUnknown), 0);
}

TEST(FormatChoice, ListsFollowAlphaLevelAndQuality) {
  using Q = TGfxQuality;
  using A = TAlphaLevel;
  auto list = [](A a, Q q) {
    auto s = FormatPreferenceList(a, q);
    return std::vector<F>(s.begin(), s.end());
  };
  EXPECT_EQ(list(A::alNone, Q::aqLow),
            (std::vector<F>{F::pfR3G3B2, F::pfR5G6B5, F::pfX1R5G5B5, F::pfX4R4G4B4, F::pfX8R8G8B8}));
  EXPECT_EQ(list(A::alNone, Q::aqMedium).front(), F::pfR5G6B5);
  EXPECT_EQ(list(A::alNone, Q::aqHigh).front(), F::pfX8R8G8B8);
  EXPECT_EQ(list(A::alMask, Q::aqLow), list(A::alMask, Q::aqHigh));
  EXPECT_EQ(list(A::alMask, Q::aqMedium).front(), F::pfA1R5G5B5);
  EXPECT_EQ(list(A::alFull, Q::aqLow),
            (std::vector<F>{F::pfA4R4G4B4, F::pfA8R8G8B8, F::pfA1R5G5B5, F::pfA8R3G3B2}));
  EXPECT_EQ(list(A::alFull, Q::aqMedium),
            (std::vector<F>{F::pfA4R4G4B4, F::pfA8R8G8B8, F::pfA8R3G3B2, F::pfA1R5G5B5}));
  EXPECT_EQ(list(A::alFull, Q::aqHigh),
            (std::vector<F>{F::pfA8R8G8B8, F::pfA4R4G4B4, F::pfA8R3G3B2, F::pfA1R5G5B5}));
  EXPECT_EQ(list(A::alExclusive, Q::aqLow),
            (std::vector<F>{F::pfA8, F::pfA8R3G3B2, F::pfA8R8G8B8, F::pfA4R4G4B4, F::pfA1R5G5B5}));
}

}  // namespace zelmar
