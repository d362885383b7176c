// Whole-file reading and safe replacement of small text files such as the settings file.
#pragma once

#include <filesystem>
#include <string>

namespace zelmar {

enum class ReadResult { rrRead, rrMissing, rrFailed };

// The largest file read: settings files are a few hundred bytes, anything past this is not one.
inline constexpr std::size_t kMaxTextFileSize = 1 << 20;

// Reads the whole file into `text`; tells a missing file apart from one that exists but cannot
// be read (a directory, no permission, an I/O error, over kMaxTextFileSize), so that callers
// never overwrite the latter.
ReadResult ReadTextFile(const std::filesystem::path& file, std::string& text);

// Replaces the file's contents with `text` through a temporary file in the same directory that is
// renamed over it, so a failure at any step leaves the old file as it was. A file without write
// permission is left alone. Returns whether the new contents are in place.
bool ReplaceTextFile(const std::filesystem::path& file, const std::string& text);

// Makes `folder` and each missing folder above it, readable by their owner only (a settings folder
// is private). Returns whether the folder is there now; what existed before is left as it was. On
// failure `error`, when given, names the folder that could not be made and the system's reason.
bool MakeFolders(const std::filesystem::path& folder, std::string* error = nullptr);

}  // namespace zelmar
