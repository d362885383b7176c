// Reading description entries: name fallback, option values, attribute case, path rules.
#include "framework/GfxLoaderEntry.h"

#include <gtest/gtest.h>

namespace zelmar {

namespace {

// The entries of group "G" of a description text.
std::vector<TGfxDescEntry> Entries(const std::string& body) {
  std::vector<TGfxDescEntry> entries;
  ScanGfxDescription("<gfx><group name=\"G\">" + body + "</group></gfx>", "G", [&](const TGfxDescTag& tag) {
    const TGfxDescEntry entry = ReadDescEntry(tag);
    if (entry.Kind != TGfxEntryKind::ekOther) entries.push_back(entry);
  });
  return entries;
}

TEST(GfxLoaderEntryTest, NameFallsBackToKeyAndCapitalisedAttributesCountAsMissing) {
  const auto entries = Entries(R"(<image key="ground" source="zelmar.dat"/>
    <IMAGE name="" key="board"/>
    <font name="menu" key="font_menu"/>
    <image Name="x" Key="cursor" key="" SOURCE="a.dat"/>
    <other key="ignored"/>)");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].Kind, TGfxEntryKind::ekImage);
  EXPECT_EQ(entries[0].Name, "ground");
  EXPECT_EQ(entries[0].Source, "zelmar.dat");
  EXPECT_EQ(entries[1].Name, "board");
  EXPECT_EQ(entries[2].Kind, TGfxEntryKind::ekFont);
  EXPECT_EQ(entries[2].Name, "menu");
  EXPECT_EQ(entries[2].Key, "font_menu");
  EXPECT_EQ(entries[3].Key, "");
  EXPECT_EQ(entries[3].Name, "");
  EXPECT_EQ(entries[3].Source, "");
}

TEST(GfxLoaderEntryTest, QualityAndAlphaLevelIgnoreCaseAndDefault) {
  const auto entries = Entries(R"(<image key="a" quality="HIGH" alphalevel="Mask"/>
    <image key="b" quality="foo" alphalevel="NONE"/>
    <image key="c"/>
    <font key="d" quality="Low" alphalevel="exclusive"/>
    <font key="e" quality="mEdIuM" alphalevel="full "/>
    <font key="f" Quality="low" AlphaLevel="none"/>)");
  ASSERT_EQ(entries.size(), 6u);
  const std::vector<std::pair<TGfxQuality, TAlphaLevel>> expected = {
      {TGfxQuality::aqHigh, TAlphaLevel::alMask},   {TGfxQuality::aqHigh, TAlphaLevel::alNone},
      {TGfxQuality::aqHigh, TAlphaLevel::alFull},   {TGfxQuality::aqLow, TAlphaLevel::alExclusive},
      {TGfxQuality::aqMedium, TAlphaLevel::alFull}, {TGfxQuality::aqHigh, TAlphaLevel::alFull}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(entries[i].Quality, expected[i].first) << entries[i].Key;
    EXPECT_EQ(entries[i].AlphaLevel, expected[i].second) << entries[i].Key;
  }
}

TEST(GfxLoaderEntryTest, ArchivePathJoinsTheDescriptionsDirectoryWithTheSourcesFileName) {
  EXPECT_EQ(ArchivePathFor("zelmar.def", "zelmar.dat"), "zelmar.dat");
  EXPECT_EQ(ArchivePathFor("data/zelmar.def", "zelmar.dat"), "data/zelmar.dat");
  EXPECT_EQ(ArchivePathFor("/opt/game/zelmar.def", "elsewhere/pics.dat"), "/opt/game/pics.dat");
  EXPECT_EQ(ArchivePathFor("zelmar.def", "C:\\Games\\Zelmar\\zelmar.dat"), "zelmar.dat");
  EXPECT_EQ(ArchivePathFor("data/zelmar.def", ""), "data/");
  TGfxDescEntry entry;
  entry.Key = "ground";
  entry.Source = "res\\zelmar.dat";
  EXPECT_EQ(ResourceName(entry), "ground\\zelmar.dat");
}

}  // namespace

}  // namespace zelmar
