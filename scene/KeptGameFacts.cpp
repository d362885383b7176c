#include "scene/KeptGameFacts.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <ctime>
#include <limits>
#include <random>
#include <string_view>

#include "engine/Square.h"

namespace zelmar::scene {

namespace {

// Every tag of our own, in the written order.
constexpr std::array kOwnTags = {kLevelTag,    kPlayerTag, kWhiteClockTag, kBlackClockTag,
                                 kShownPlyTag, kGameIdTag, kArchivedTag,   kPromotionTag};
constexpr std::string_view kWhite = "White", kBlack = "Black";
// The command that carries the computer player's state in the lead comment.
constexpr std::string_view kCarryOpen = "[%zelmar-search ";
constexpr char kCarryClose = ']';

bool OwnTag(std::string_view name) {
  return std::find(kOwnTags.begin(), kOwnTags.end(), name) != kOwnTags.end();
}

// A whole decimal number in lo..hi; nothing for any other text.
std::optional<int> Number(const std::string* text, int lo, int hi) {
  if (text == nullptr) return std::nullopt;
  int value = 0;
  const char* end = text->data() + text->size();
  const auto [stop, error] = std::from_chars(text->data(), end, value);
  if (error != std::errc() || stop != end || value < lo || value > hi) return std::nullopt;
  return value;
}

// The lead comment's carried-state command: its position and length, or npos.
std::pair<std::size_t, std::size_t> FindCarry(const std::string& comment) {
  const std::size_t open = comment.find(kCarryOpen);
  if (open == std::string::npos) return {std::string::npos, 0};
  const std::size_t close = comment.find(kCarryClose, open);
  if (close == std::string::npos) return {std::string::npos, 0};
  return {open, close + 1 - open};
}

// The comment without its carried-state command and the spaces around it.
std::string WithoutCarry(std::string comment) {
  const auto [at, length] = FindCarry(comment);
  if (at == std::string::npos) return comment;
  comment.erase(at, length);
  const auto notSpace = [](char c) { return c != ' '; };
  comment.erase(comment.begin(), std::find_if(comment.begin(), comment.end(), notSpace));
  comment.erase(std::find_if(comment.rbegin(), comment.rend(), notSpace).base(), comment.end());
  return comment;
}

// The squares of a coordinate move without a piece ("e7e8").
bool ParseMoveSquares(const std::string* text, int& from, int& to) {
  if (text == nullptr || text->size() != 4) return false;
  const auto a = ParseSquare(std::string_view(*text).substr(0, 2));
  const auto b = ParseSquare(std::string_view(*text).substr(2, 2));
  if (!a || !b) return false;
  from = Ord(*a);
  to = Ord(*b);
  return true;
}

void Append(TGameRecord& record, const char* name, std::string value) {
  record.Tags.emplace_back(name, std::move(value));
}

}  // namespace

TKeptFacts ReadKeptFacts(const TGameRecord& record) {
  TKeptFacts facts;
  constexpr int kMost = std::numeric_limits<std::int32_t>::max();
  facts.Level = Number(FindTag(record, kLevelTag), kLowestLevel, kHighestLevel);
  if (const std::string* side = FindTag(record, kPlayerTag)) {
    if (*side == kWhite) facts.PlayerSide = 1;
    if (*side == kBlack) facts.PlayerSide = -1;
  }
  facts.WhiteSeconds = Number(FindTag(record, kWhiteClockTag), 0, kMost).value_or(0);
  facts.BlackSeconds = Number(FindTag(record, kBlackClockTag), 0, kMost).value_or(0);
  facts.ShownPly = Number(FindTag(record, kShownPlyTag), 0, static_cast<int>(record.Moves.size()));
  if (const std::string* id = FindTag(record, kGameIdTag)) facts.GameId = *id;
  if (const std::string* spot = FindTag(record, kArchivedTag)) facts.Archived = ParseSpot(*spot);
  if (!ParseMoveSquares(FindTag(record, kPromotionTag), facts.PromotionFrom, facts.PromotionTo))
    facts.PromotionFrom = facts.PromotionTo = 0;
  const auto [at, length] = FindCarry(record.LeadComment);
  if (at != std::string::npos)
    facts.SearchCarry = record.LeadComment.substr(at + kCarryOpen.size(), length - kCarryOpen.size() - 1);
  return facts;
}

void WriteKeptFacts(TGameRecord& record, const TKeptFacts& facts) {
  std::erase_if(record.Tags, [](const auto& tag) { return OwnTag(tag.first); });
  if (facts.Level) Append(record, kLevelTag, std::to_string(*facts.Level));
  if (facts.PlayerSide) Append(record, kPlayerTag, std::string(*facts.PlayerSide == 1 ? kWhite : kBlack));
  Append(record, kWhiteClockTag, std::to_string(facts.WhiteSeconds));
  Append(record, kBlackClockTag, std::to_string(facts.BlackSeconds));
  if (record.ShownPly != static_cast<int>(record.Moves.size()))
    Append(record, kShownPlyTag, std::to_string(record.ShownPly));
  if (!facts.GameId.empty()) Append(record, kGameIdTag, facts.GameId);
  if (facts.Archived) Append(record, kArchivedTag, SpotText(*facts.Archived));
  if (facts.PromotionFrom != 0)
    Append(record, kPromotionTag,
           SquareName(SquareOf(facts.PromotionFrom)) + SquareName(SquareOf(facts.PromotionTo)));
  std::string comment = WithoutCarry(std::move(record.LeadComment));
  if (!facts.SearchCarry.empty()) {
    if (!comment.empty()) comment += ' ';
    comment.append(kCarryOpen).append(facts.SearchCarry).push_back(kCarryClose);
  }
  record.LeadComment = std::move(comment);
}

TGameRecord WithoutMomentFacts(TGameRecord record) {
  record.ShownPly = static_cast<int>(record.Moves.size());
  std::erase_if(record.Tags, [](const auto& tag) {
    return tag.first == kShownPlyTag || tag.first == kArchivedTag || tag.first == kPromotionTag;
  });
  record.LeadComment = WithoutCarry(std::move(record.LeadComment));
  return record;
}

void SetStartTags(TGameRecord& record, const std::string& playerName, const std::string& site, int level,
                  bool playerWhite) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char date[16] = "????.??.??";
  if (localtime_r(&now, &local) != nullptr) std::strftime(date, sizeof date, "%Y.%m.%d", &local);
  const std::string computer = "Zelmar Chess level " + std::to_string(level);
  SetTag(record, "Event", "Zelmar Chess game");
  SetTag(record, "Site", site);
  SetTag(record, "Date", date);
  SetTag(record, "Round", "-");
  SetTag(record, "White", playerWhite ? playerName : computer);
  SetTag(record, "Black", playerWhite ? computer : playerName);
}

std::string NewGameId() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
  std::random_device device;
  std::uniform_int_distribution<std::uint32_t> random;
  char text[2 * sizeof(long long) + 1 + 2 * sizeof(std::uint32_t) + 1];
  const int n =
      std::snprintf(text, sizeof text, "%llx-%08x", static_cast<unsigned long long>(micros), random(device));
  return std::string(text, static_cast<std::size_t>(std::max(n, 0)));
}

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "?";
  return name;
}

}  // namespace zelmar::scene
