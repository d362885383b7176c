// One `image` or `font` entry of the resource description, and the path rules the loader uses.
#pragma once

#include <string>
#include <string_view>

#include "framework/GfxDescScanner.h"
#include "framework/GfxFormatChoice.h"

namespace zelmar {

enum class TGfxEntryKind { ekOther, ekImage, ekFont };

// The attributes of an entry as the loader uses them.
struct TGfxDescEntry {
  TGfxEntryKind Kind = TGfxEntryKind::ekOther;
  std::string Name;    // the `key` when `name` is missing or empty
  std::string Source;  // archive file as written
  std::string Key;     // record name in the archive
  TGfxQuality Quality = TGfxQuality::aqHigh;
  TAlphaLevel AlphaLevel = TAlphaLevel::alFull;
};

// Reads an entry from a tag handed over by the scanner (attribute names in lower case only).
TGfxDescEntry ReadDescEntry(const TGfxDescTag& tag);

// "low" and "medium" in any letter case; anything else is aqHigh.
TGfxQuality ParseQuality(std::string_view text);
// "none", "mask" and "exclusive" in any letter case; anything else is alFull.
TAlphaLevel ParseAlphaLevel(std::string_view text);

// The part of a path after its last separator ('/' or '\', as descriptions may be written either way).
std::string FileNamePart(std::string_view path);
// The part of a path up to and including its last separator; empty without one.
std::string DirectoryPart(std::string_view path);
// The archive to open for an entry: the description's directory and the file name of `source`.
std::string ArchivePathFor(std::string_view descFile, std::string_view source);
// The name reported to OnLoad: key, a backslash and the file name of the source.
std::string ResourceName(const TGfxDescEntry& entry);

}  // namespace zelmar
