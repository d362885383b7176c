#include "launcher/IniFile.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace zelmar {
namespace {

TEST(IniFile, ReadsLikeTheProfileCalls) {
  IniFile ini;
  ini.Parse(
      "; settings\n"
      "[Other]\n"
      "Lang=9\n"
      "  [ options ]  \n"
      "  lang   =  2  \n"
      "LANG=1\n"
      "Quoted=\"  7 \"\n"
      "[Options]\n"
      "Depth=5\n");
  EXPECT_EQ(ini.Read("Options", "Lang"), "2");            // first key of the first matching section
  EXPECT_EQ(ini.Read("OPTIONS", "lAnG"), "2");            // names ignore case
  EXPECT_EQ(ini.Read("Options", "Quoted"), "  7 ");       // one pair of quotes comes off
  EXPECT_EQ(ini.Read("Options", "Depth"), std::nullopt);  // a later section of the same name is not read
  EXPECT_EQ(ini.Read("Missing", "Lang"), std::nullopt);
  EXPECT_EQ(ini.Read("Other", "Lang"), "9");
}

TEST(IniFile, WriteKeepsEverythingElse) {
  IniFile ini;
  ini.Parse(
      "\xEF\xBB\xBF# top\r\n[Video]\r\nMode=3\r\n\r\n[options]\r\nlang=1 ; "
      "old\r\nExtra=x\r\n\r\n[Audio]\r\nOn=1\r\n");
  ini.Write("Options", "Lang", "2");   // rewritten where it stands
  ini.Write("Options", "Army", "1");   // appended after the section's last line, before the gap
  ini.Write("Network", "Port", "80");  // a new section at the end
  EXPECT_EQ(ini.Text(),
            "\xEF\xBB\xBF# top\r\n[Video]\r\nMode=3\r\n\r\n[options]\r\nLang=2\r\nExtra=x\r\nArmy=1\r\n\r\n"
            "[Audio]\r\nOn=1\r\n\r\n[Network]\r\nPort=80\r\n");
}

TEST(IniFile, EmptyDocumentGetsItsSection) {
  IniFile ini;
  ini.Parse("");
  ini.Write("Options", "Army", "1");
  ini.Write("Options", "Mode", "2");
  EXPECT_EQ(ini.Text(), "[Options]\nArmy=1\nMode=2\n");
}

TEST(IniFile, IntegersAreWholeDecimalNumbers) {
  EXPECT_EQ(ParseIniInteger(" 42 "), 42);
  EXPECT_EQ(ParseIniInteger("-3"), -3);
  EXPECT_EQ(ParseIniInteger("+3"), 3);
  EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
  for (const char* bad : {"", " ", "abc", "3abc", "1.5", "0x10", "+-1", "++1", "- 1", "2147483648", "1 2"}) {
    EXPECT_EQ(ParseIniInteger(bad), std::nullopt) << '"' << bad << '"';
  }
}

// Random documents built from INI-like pieces: whatever is in them, a written key reads back,
// and writing again changes nothing more.
TEST(IniFile, WrittenKeysReadBackFromAnyDocument) {
  const char* pieces[] = {
      "[Options]", "[options ]", "[Other]", "[",  "]",  "Lang", " lang ", "=",  "2",  "x",
      ";",         "#",          " ",       "\t", "\r", "\n",   "\n",     "\n", "\"", "\xEF\xBB\xBF",
      "Depth=9"};
  std::mt19937 random(7);
  for (int round = 0; round < 500; ++round) {
    std::string text;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) text += pieces[random() % std::size(pieces)];
    IniFile ini;
    ini.Parse(text);
    ini.Write("Options", "Lang", "2");
    ini.Write("Options", "Depth", "5");
    IniFile again;
    again.Parse(ini.Text());
    EXPECT_EQ(again.Read("options", "LANG"), "2") << text;
    EXPECT_EQ(again.Read("Options", "Depth"), "5") << text;
    const std::string once = again.Text();
    again.Write("Options", "Lang", "2");
    EXPECT_EQ(again.Text(), once) << text;
  }
}

// Found by fuzzing the settings reader: a file with stray carriage returns at line ends lost one of each
// run at every save, and a lone one turned an LF file into a CRLF one. The first save drops them (they are
// blanks to every reader), and every later save gives the same file.
TEST(IniFile, StrayCarriageReturnsReadTheSameAfterEverySave) {
  for (const std::string& text :
       {std::string("[Options]\nArmy=1\n\r\r\r\r\n\r\n\n\xB9\nKeep=a\r\r\n"), std::string("\r")}) {
    IniFile ini;
    ini.Parse(text);
    ini.Write("Options", "Lang", "2");
    IniFile again;
    again.Parse(ini.Text());
    EXPECT_EQ(again.Read("Options", "Lang"), "2");
    EXPECT_EQ(again.Read("Options", "Keep"), ini.Read("Options", "Keep"));
    const std::string once = again.Text();
    again.Write("Options", "Lang", "2");
    EXPECT_EQ(again.Text(), once);
    EXPECT_EQ(once.find('\r'), std::string::npos) << "an LF file stays LF";
  }
}

}  // namespace
}  // namespace zelmar
