// The description scanner's state rules: which tags of which group reach the entry handler.
#include "framework/GfxDescScanner.h"

#include <gtest/gtest.h>

namespace zelmar {

namespace {

// Scans and returns "element:key" for every tag handed over.
std::vector<std::string> Scan(std::string_view xml, const std::string& group,
                              TGfxDescScanResult* result = nullptr) {
  std::vector<std::string> seen;
  const auto scan = ScanGfxDescription(
      xml, group, [&](const TGfxDescTag& tag) { seen.push_back(tag.Element + ":" + tag.Attribute("key")); });
  if (result) *result = scan;
  return seen;
}

const char* TwoGroups = R"(<?xml version="1.0"?>
<gfx>
  <group name="Menu"><image key="menu_bg"/></group>
  <group name="Content">
    <image name="ground" key="ground_key" source="zelmar.dat"/>
    <font key="font_a"></font>
    <extra><image key="nested"/></extra>
  </group>
  <group name="content"><image key="lower"/></group>
</gfx>
<!-- nothing after the root counts -->)";

TEST(GfxDescScannerTest, HandsOverOnlyTheExactlyNamedGroupWithItsOwnTag) {
  TGfxDescScanResult result;
  EXPECT_EQ(
      Scan(TwoGroups, "Content", &result),
      (std::vector<std::string>{"group:", "image:ground_key", "font:font_a", "extra:", "image:nested"}));
  EXPECT_TRUE(result.WellFormed);
  EXPECT_EQ(Scan(TwoGroups, "content"), (std::vector<std::string>{"group:", "image:lower"}));
  EXPECT_TRUE(Scan(TwoGroups, "CONTENT").empty());
  EXPECT_TRUE(Scan(TwoGroups, "").empty());
}

TEST(GfxDescScannerTest, GroupsCountOnlyInsideTheRoot) {
  const char* xml = R"(<top>
  <group name="Content"><image key="outside_gfx"/></group>
  <gfx><group name="Content"><image key="inside"/></group></gfx>
  <group name="Content"><image key="after_gfx"/></group>
</top>)";
  EXPECT_EQ(Scan(xml, "Content"), (std::vector<std::string>{"group:", "image:inside"}));
}

TEST(GfxDescScannerTest, ElementNamesIgnoreCaseAttributeNamesDoNot) {
  const char* xml =
      R"(<GFX><Group name="Content"><IMAGE Key="capital" key="small"/><Font KEY="x"/></Group></GFX>)";
  std::vector<TGfxDescTag> tags;
  ScanGfxDescription(xml, "Content", [&](const TGfxDescTag& tag) { tags.push_back(tag); });
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[1].Element, "image");
  EXPECT_EQ(tags[1].Attribute("key"), "small");
  EXPECT_EQ(tags[1].Attribute("Key"), "capital");
  EXPECT_EQ(tags[2].Element, "font");
  EXPECT_EQ(tags[2].Attribute("key"), "") << "an attribute written KEY is not key";
  EXPECT_EQ(tags[2].Attribute("name"), "");
}

TEST(GfxDescScannerTest, ValuesKeepTheirTextAndEntities) {
  const char* xml =
      "<gfx><group name=\"G\"><image key=\" a&amp;b \" source=\"dir\\zelmar.dat\"/></group></gfx>";
  std::vector<TGfxDescTag> tags;
  ScanGfxDescription(xml, "G", [&](const TGfxDescTag& tag) { tags.push_back(tag); });
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[1].Attribute("key"), " a&b ");
  EXPECT_EQ(tags[1].Attribute("source"), "dir\\zelmar.dat");
}

TEST(GfxDescScannerTest, DamagedTextStopsAtTheFaultAndSaysWhere) {
  TGfxDescScanResult result;
  const char* xml = "<gfx><group name=\"G\"><image key=\"one\"/>\n<image key=\"two\"></gfx>";
  EXPECT_EQ(Scan(xml, "G", &result), (std::vector<std::string>{"group:", "image:one", "image:two"}));
  EXPECT_FALSE(result.WellFormed);
  EXPECT_NE(result.Error.find("line 2"), std::string::npos) << result.Error;
  for (const char* bad :
       {"", "not xml at all", "<gfx", "\xff\xfe<", "<gfx><group name='G'><image key='a' key='b'/>"}) {
    EXPECT_FALSE(Scan(bad, "G", &result).size() > 1) << bad;
    EXPECT_FALSE(result.WellFormed) << bad;
  }
}

TEST(GfxDescScannerTest, EntityExpansionBombIsRefused) {
  std::string entities;
  for (char c = 'b'; c <= 'k'; ++c) {
    std::string body;
    for (int i = 0; i < 10; ++i) body += std::string("&") + static_cast<char>(c - 1) + ";";
    entities += std::string("<!ENTITY ") + c + " \"" + body + "\">";
  }
  const std::string xml = "<?xml version=\"1.0\"?><!DOCTYPE gfx [<!ENTITY a \"aaaaaaaaaa\">" + entities +
                          "]><gfx><group name=\"G\"><image key=\"&k;\"/></group></gfx>";
  TGfxDescScanResult result;
  EXPECT_LE(Scan(xml, "G", &result).size(), 1u);
  EXPECT_FALSE(result.WellFormed);
}

}  // namespace

}  // namespace zelmar
