// The game record's tags and its passage to and from a board.
#include "engine/notation/GameRecord.h"

namespace zelmar {

const std::string* FindTag(const TGameRecord& record, std::string_view name) {
  for (const auto& [key, value] : record.Tags)
    if (key == name) return &value;
  return nullptr;
}

void SetTag(TGameRecord& record, std::string_view name, std::string value) {
  for (auto& [key, old] : record.Tags) {
    if (key == name) {
      old = std::move(value);
      return;
    }
  }
  record.Tags.emplace_back(std::string(name), std::move(value));
}

TGameRecord RecordFromBoard(const TChessBrd& board, const TGameRecord* previous) {
  TGameRecord record;
  record.Zelmar = board.ZelmarMode();
  if (previous != nullptr) {
    record.Tags = previous->Tags;
    record.LeadComment = previous->LeadComment;
  }
  return record;
}

bool PlayRecord(const TGameRecord& record, TChessBrd& board, std::string* error) {
  (void)record;
  (void)board;
  if (error != nullptr) *error = "not available yet";
  return false;
}

}  // namespace zelmar
