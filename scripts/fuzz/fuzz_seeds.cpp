// Writes the seed corpus of every fuzz target: real archives, image and font records and
// descriptions, small enough for quick mutation. Usage: fuzz_seeds CORPUS_ROOT
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "framework/GfxDbBytes.h"
#include "framework/GfxFontRecord.h"
#include "tools/archive/GfxDbWriter.h"

using namespace zelmar;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Appends a little-endian 32-bit integer.
void Put32(Bytes& out, std::int32_t value) {
  std::uint8_t word[4];
  GfxDbPutLE<std::int32_t>(word, value);
  out.insert(out.end(), word, word + 4);
}

// An image record: header, then the pixels of every texture in the stored format.
Bytes ImageRecord(std::uint8_t format, int bytesPerPixel, int width, int height, int textures, int pattern,
                  int visible) {
  Bytes out{format};
  for (int v : {pattern, pattern, visible, visible, 0, width, height, textures}) Put32(out, v);
  for (int i = 0; i < width * height * textures * bytesPerPixel; ++i)
    out.push_back(static_cast<std::uint8_t>(i * 37 + 11));
  return out;
}

// A font record of the first format: first code, spacing, unused word, glyph table, then the glyph image.
Bytes FontRecord(int glyphs) {
  Bytes out;
  for (int v : {32, 1, 0, glyphs}) Put32(out, v);
  for (int g = 0; g < glyphs; ++g) {
    Put32(out, 3 + g % 5);
    Put32(out, 0);
  }
  const Bytes image = ImageRecord(10, 1, 32, 16, 1, 8, 6);  // A8 glyphs
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

// A font record of the current format: signature, version, spacing, the cell's reach, then each glyph's
// code point (ASCII, then Cyrillic, the last the replacement character) and advance, then the glyph image.
Bytes VersionedFontRecord(int glyphs) {
  Bytes out;
  for (int v : {kFontRecordSignature, kFontRecordVersion, 1, 0, 1, glyphs}) Put32(out, v);
  for (int g = 0; g < glyphs; ++g) {
    const int code = g + 1 == glyphs ? 0xFFFD : g < glyphs / 2 ? 32 + g : 0x410 + g;
    Put32(out, code);
    Put32(out, 3 + g % 5);
  }
  const Bytes image = ImageRecord(10, 1, 32, 16, 1, 8, 6);  // A8 glyphs
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

// Writes one seed file.
void Save(const std::filesystem::path& dir, const std::string& name, const Bytes& bytes) {
  std::filesystem::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Builds an archive of the given records, some encrypted with the key the record target tries.
Bytes Archive(const std::vector<std::pair<std::string, Bytes>>& records, bool encrypt) {
  TGfxDbWriter writer;
  writer.SetTimeStamp(46000.5);
  const TGfxDbEncryption secret{{'f', 'u', 'z', 'z', '-', 'k', 'e', 'y'}, {9, 8, 7, 6, 5, 4, 3, 2}};
  bool odd = false;
  for (const auto& [name, bytes] : records) {
    writer.Add(name, bytes, name.starts_with("font") ? GfxRecordFont : GfxRecordImage,
               encrypt && odd ? &secret : nullptr);
    odd = !odd;
  }
  Bytes out;
  writer.Build(out);
  return out;
}

}  // namespace

// Generates every corpus under the given root.
int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seeds CORPUS_ROOT\n";
    return 2;
  }
  const std::filesystem::path root = argv[1];
  const std::vector<std::pair<std::string, Bytes>> images = {
      {"ground", ImageRecord(5, 4, 8, 8, 1, 4, 4)},
      {"piece_1", ImageRecord(1, 2, 16, 8, 2, 8, 6)},
      {"cursor", ImageRecord(9, 1, 8, 8, 1, 0, 0)},
      {"timer", ImageRecord(2, 4, 4, 4, 3, 2, 2)},
      {"font_menu", FontRecord(8)},
  };
  // Archives for the table and record targets.
  const Bytes empty = Archive({}, false);
  const Bytes plain = Archive(images, false);
  const Bytes secret = Archive(images, true);
  const Bytes one = Archive({{"Tiny", {42}}}, false);
  for (const char* target : {"fuzz_table", "fuzz_record"}) {
    Save(root / target, "empty", empty);
    Save(root / target, "plain", plain);
    Save(root / target, "encrypted", secret);
    Save(root / target, "one", one);
  }
  // Records for the decoders, behind the byte that picks quality and alpha level.
  auto decoder = [&](const std::string& name, std::uint8_t options, const Bytes& record) {
    Bytes input{options};
    input.insert(input.end(), record.begin(), record.end());
    Save(root / (name.starts_with("font") ? "fuzz_font" : "fuzz_image"), name + "_" + std::to_string(options),
         input);
  };
  for (std::uint8_t options : {0, 5, 7, 11}) {
    for (const auto& [name, bytes] : images) decoder(name, options, bytes);
    decoder("font_empty", options, FontRecord(0));
    decoder("font_many", options, FontRecord(96));
    decoder("font_versioned", options, VersionedFontRecord(8));
  }
  // Descriptions.
  const std::string def = R"(<?xml version="1.0" encoding="UTF-8"?>
<gfx>
  <group name="Content">
    <image name="ground" source="zelmar.dat" key="ground" quality="high" alphalevel="none"/>
    <image source="zelmar.dat" key="piece_1" quality="Medium" alphalevel="Mask"/>
    <font name="menu" source="data\zelmar.dat" key="font_menu" quality="low" alphalevel="exclusive"/>
    <unknown><image key="nested"/></unknown>
  </group>
  <group name="Other"><image key="x" Key="y"/></group>
</gfx>
)";
  Save(root / "fuzz_description", "zelmar.def", Bytes(def.begin(), def.end()));
  const std::string tiny = "<gfx><group name=\"Content\"><font key=\"f\"/></group></gfx>";
  Save(root / "fuzz_description", "tiny.def", Bytes(tiny.begin(), tiny.end()));
  return 0;
}
