// What the game window keeps of a game beyond its moves, in PGN tags of its own and the lead comment: the
// level, the player's side, the clocks, the position shown, the game's id and archive entry, the pawn move
// waiting for its promotion piece, and the computer player's carried search state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/notation/GameRecord.h"
#include "launcher/GameStore.h"

namespace zelmar::scene {

// The tags of our own, in the order they are written, after every other tag.
inline constexpr const char* kLevelTag = "ZelmarLevel";
inline constexpr const char* kPlayerTag = "ZelmarPlayer";
inline constexpr const char* kWhiteClockTag = "WhiteClock";
inline constexpr const char* kBlackClockTag = "BlackClock";
inline constexpr const char* kShownPlyTag = "ZelmarShownPly";
inline constexpr const char* kGameIdTag = "ZelmarGameId";
inline constexpr const char* kArchivedTag = "ZelmarArchived";
inline constexpr const char* kPromotionTag = "ZelmarPromotion";

// The levels a game can be played at.
inline constexpr int kLowestLevel = 1, kHighestLevel = 8;

struct TKeptFacts {
  std::optional<int> Level;       // kLowestLevel..kHighestLevel
  std::optional<int> PlayerSide;  // +1 White, -1 Black: the player's side in the position shown
  std::int32_t WhiteSeconds = 0, BlackSeconds = 0;
  std::optional<int> ShownPly;  // only where it differs from the line's length
  std::string GameId;
  std::optional<TArchiveSpot> Archived;
  int PromotionFrom = 0, PromotionTo = 0;  // squares 1..64 of the player's pawn move, 0 for none
  std::string SearchCarry;                 // empty for none
};

// What the record's tags and lead comment hold; a value that does not read is left out.
TKeptFacts ReadKeptFacts(const TGameRecord& record);
// Puts the facts into the record: the tags of our own after every other tag, in their order, those without
// a value left out; ZelmarShownPly from the record's ShownPly; the carried state into the lead comment
// (replacing the one there, and keeping any other text).
void WriteKeptFacts(TGameRecord& record, const TKeptFacts& facts);
// The record with the facts that belong to the moment only taken out (the position shown, the open
// promotion choice, the archive entry, the carried state): the form of an archive entry.
TGameRecord WithoutMomentFacts(TGameRecord record);

// The six standard tags but Result for a game the player starts now against the computer at `level`.
void SetStartTags(TGameRecord& record, const std::string& playerName, const std::string& site, int level,
                  bool playerWhite);
// A new game's id: its start time and a random part.
std::string NewGameId();
// This machine's host name, "?" when it has none.
std::string HostName();

}  // namespace zelmar::scene
