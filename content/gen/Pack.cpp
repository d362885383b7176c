// Packs the generated records into the archive zelmar.dat and writes its description zelmar.def.
#include <cstdio>
#include <fstream>
#include <string>

#include "content/gen/ContentList.h"
#include "content/gen/GenMain.h"
#include "content/kit/Records.h"
#include "tools/archive/GfxDbWriter.h"

using namespace zelmar;
using namespace zelmar::content;

namespace {

// Every record carries the same stamp so the archive is byte-for-byte reproducible (1 January 2027).
constexpr double kTimeStamp = 46388.0;

bool AddRecord(TGfxDbWriter& writer, const std::string& dir, const std::string& file, const std::string& key,
               std::uint16_t type) {
  const auto bytes = ReadFile(dir + "/" + file + ".rec");
  std::string error;
  if (!bytes)
    error = "cannot read " + file + ".rec";
  else if (!writer.Add(key, *bytes, type, nullptr, &error))
    error = key + ": " + error;
  if (error.empty()) return true;
  std::fprintf(stderr, "pack: %s\n", error.c_str());
  return false;
}

// The description: root gfx, one group "Content" with the pictures and then the fonts.
std::string Description(const std::string& archiveName) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gfx>\n  <group name=\"Content\">\n";
  for (const ContentEntry& e : kPictures) {
    xml += "    <image name=\"" + std::string(e.Name) + "\" source=\"" + archiveName + "\" key=\"" +
           std::string(e.Name) + "\" quality=\"high\"";
    if (!e.AlphaLevel.empty()) xml += " alphalevel=\"" + std::string(e.AlphaLevel) + "\"";
    xml += "/>\n";
  }
  for (std::string_view font : kFonts)
    xml += "    <font name=\"" + std::string(font) + "\" source=\"" + archiveName + "\" key=\"" +
           std::string(font) + "\" quality=\"high\"/>\n";
  return xml + "  </group>\n</gfx>\n";
}

}  // namespace

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const std::string dir = args[1], archive = args[2], def = args[3];
  TGfxDbWriter writer;
  writer.SetTimeStamp(kTimeStamp);
  for (const ContentEntry& e : kPictures)
    if (!AddRecord(writer, dir, std::string(e.Name), std::string(e.Name), GfxRecordImage)) return 1;
  for (size_t i = 0; i < kFonts.size(); ++i)
    if (!AddRecord(writer, dir, "font" + std::to_string(i), std::string(kFonts[i]), GfxRecordFont)) return 1;
  std::string error;
  if (!writer.Write(archive, &error)) {
    std::fprintf(stderr, "pack: %s\n", error.c_str());
    return 1;
  }
  const std::string name = archive.substr(archive.find_last_of('/') + 1);
  std::ofstream out(def, std::ios::trunc);
  out << Description(name);
  out.close();
  if (!out) {
    std::fprintf(stderr, "pack: cannot write %s\n", def.c_str());
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "pack", {"<record directory>", "<zelmar.dat>", "<zelmar.def>"}, Generate);
}
