#include "framework/GfxLoaderEntry.h"

namespace zelmar {

namespace {

// ASCII lower-casing for the option values.
std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Position of the last path separator, or npos.
std::size_t LastSeparator(std::string_view path) {
  return path.find_last_of("/\\");
}

}  // namespace

// Only `image` and `font` make entries; a missing name falls back to the key.
TGfxDescEntry ReadDescEntry(const TGfxDescTag& tag) {
  TGfxDescEntry entry;
  if (tag.Element == "image")
    entry.Kind = TGfxEntryKind::ekImage;
  else if (tag.Element == "font")
    entry.Kind = TGfxEntryKind::ekFont;
  entry.Key = tag.Attribute("key");
  entry.Name = tag.Attribute("name");
  if (entry.Name.empty()) entry.Name = entry.Key;
  entry.Source = tag.Attribute("source");
  entry.Quality = ParseQuality(tag.Attribute("quality"));
  entry.AlphaLevel = ParseAlphaLevel(tag.Attribute("alphalevel"));
  return entry;
}

// Compared after lower-casing.
TGfxQuality ParseQuality(std::string_view text) {
  const std::string value = Lower(text);
  if (value == "low") return TGfxQuality::aqLow;
  if (value == "medium") return TGfxQuality::aqMedium;
  return TGfxQuality::aqHigh;
}

// Compared after lower-casing.
TAlphaLevel ParseAlphaLevel(std::string_view text) {
  const std::string value = Lower(text);
  if (value == "none") return TAlphaLevel::alNone;
  if (value == "mask") return TAlphaLevel::alMask;
  if (value == "exclusive") return TAlphaLevel::alExclusive;
  return TAlphaLevel::alFull;
}

// Everything after the last separator.
std::string FileNamePart(std::string_view path) {
  const std::size_t sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

// Everything up to and including the last separator.
std::string DirectoryPart(std::string_view path) {
  const std::size_t sep = LastSeparator(path);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

// The description's directory joined with the source's file name.
std::string ArchivePathFor(std::string_view descFile, std::string_view source) {
  return DirectoryPart(descFile) + FileNamePart(source);
}

// key + "\" + file name of the source.
std::string ResourceName(const TGfxDescEntry& entry) {
  return entry.Key + "\\" + FileNamePart(entry.Source);
}

}  // namespace zelmar
