// The game files on disk: the current (unfinished) game, replaced whole after every change, and the archive
// of played games, one PGN entry each, only ever appended to or its last entry replaced.
//
// The current game goes through a private temporary file that is flushed to disk and renamed over the old
// one, so a kill at any moment leaves either the old or the new file. The archive is locked (flock) while it
// is written, so two running games cannot interleave their entries, and a torn end left by a crash is closed
// off before the next entry, which therefore always starts on a fresh line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zelmar {

// The file of the unfinished game, and the archive of every kept game, in the games folder.
inline constexpr const char* kCurrentGameFileName = "current-game.pgn";
inline constexpr const char* kArchiveFileName = "games.pgn";

// Where an archive entry lies, to find it again: its first byte, its length and a digest of its bytes.
struct TArchiveSpot {
  std::uint64_t Offset = 0;
  std::uint64_t Size = 0;
  std::uint32_t Digest = 0;
  friend bool operator==(const TArchiveSpot&, const TArchiveSpot&) = default;
};

// Text form of a spot ("offset size digest" in decimal) for keeping it in a tag; and back (nothing if bad).
std::string SpotText(const TArchiveSpot& spot);
std::optional<TArchiveSpot> ParseSpot(std::string_view text);

// What a read found: no file, the file's text, or a file that exists but cannot be read (the reason is
// given).
enum class TReadStatus { Absent, Read, Failed };

class TGameStore {
 public:
  explicit TGameStore(std::filesystem::path folder);

  const std::filesystem::path& Folder() const;
  std::filesystem::path CurrentPath() const;
  std::filesystem::path ArchivePath() const;

  // Makes the folder (mode 0700, parents as needed) when it is missing.
  bool Prepare(std::string* error = nullptr);

  // Replaces the current-game file whole: temporary file in the folder, written, flushed to disk, renamed
  // over the old one, folder flushed. A kill at any moment leaves the old or the new file, never a broken
  // one.
  bool WriteCurrent(std::string_view text, std::string* error = nullptr);
  TReadStatus ReadCurrent(std::string& text, std::string* error = nullptr) const;
  // Removes the current-game file (a missing one is no error).
  bool RemoveCurrent(std::string* error = nullptr);
  // Moves the current-game file aside under a time-stamped name beside it (never deletes); the new path.
  std::optional<std::filesystem::path> MoveCurrentAside(std::string* error = nullptr);

  // Appends one entry to the archive (locked against a second running game, flushed); its cost does not
  // depend on the archive's size. A torn end left by an earlier crash is closed off first, so it can never
  // swallow the new entry.
  std::optional<TArchiveSpot> AddToArchive(std::string_view entry, std::string* error = nullptr);
  // Puts `entry` in place of the entry at `spot` when that entry is still the archive's last one and
  // unchanged; otherwise appends it.
  std::optional<TArchiveSpot> ReplaceInArchive(const TArchiveSpot& spot, std::string_view entry,
                                               std::string* error = nullptr);
  // The same replacement, but when the entry at `spot` is gone or no longer the last one the archive is
  // left as it is: no spot, and an empty error.
  std::optional<TArchiveSpot> ReplaceLastInArchive(const TArchiveSpot& spot, std::string_view entry,
                                                   std::string* error = nullptr);
  // Whether the archive holds exactly the entry written at `spot`.
  bool ArchiveHolds(const TArchiveSpot& spot) const;
  TReadStatus ReadArchive(std::string& text, std::string* error = nullptr) const;

 private:
  std::optional<TArchiveSpot> Replace(const TArchiveSpot& spot, std::string_view entry, bool appendWhenGone,
                                      std::string* error);

  std::filesystem::path folder_;
};

}  // namespace zelmar
