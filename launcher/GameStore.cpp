#include "launcher/GameStore.h"

#include <cerrno>
#include <charconv>
#include <utility>

namespace zelmar {
namespace {

// The reason given by operations that are still being written.
bool NotReady(std::string* error) {
  if (error) *error = "the game store is not ready yet";
  return false;
}

// Reads one decimal field of a spot's text and the blank after it.
template <typename Number>
bool ParseField(std::string_view& text, Number& value) {
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end == text.data()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

}  // namespace

std::string SpotText(const TArchiveSpot& spot) {
  return std::to_string(spot.Offset) + ' ' + std::to_string(spot.Size) + ' ' + std::to_string(spot.Digest);
}

std::optional<TArchiveSpot> ParseSpot(std::string_view text) {
  TArchiveSpot spot;
  if (!ParseField(text, spot.Offset) || text.empty() || text.front() != ' ') return std::nullopt;
  text.remove_prefix(1);
  if (!ParseField(text, spot.Size) || text.empty() || text.front() != ' ') return std::nullopt;
  text.remove_prefix(1);
  if (!ParseField(text, spot.Digest) || !text.empty()) return std::nullopt;
  return spot;
}

TGameStore::TGameStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

const std::filesystem::path& TGameStore::Folder() const { return folder_; }
std::filesystem::path TGameStore::CurrentPath() const { return folder_ / kCurrentGameFileName; }
std::filesystem::path TGameStore::ArchivePath() const { return folder_ / kArchiveFileName; }

bool TGameStore::Prepare(std::string* error) { return NotReady(error); }
bool TGameStore::WriteCurrent(std::string_view, std::string* error) { return NotReady(error); }
TReadStatus TGameStore::ReadCurrent(std::string& text, std::string* error) const {
  text.clear();
  NotReady(error);
  return TReadStatus::Failed;
}
bool TGameStore::RemoveCurrent(std::string* error) { return NotReady(error); }
std::optional<std::filesystem::path> TGameStore::MoveCurrentAside(std::string* error) {
  NotReady(error);
  return std::nullopt;
}
std::optional<TArchiveSpot> TGameStore::AddToArchive(std::string_view, std::string* error) {
  NotReady(error);
  return std::nullopt;
}
std::optional<TArchiveSpot> TGameStore::ReplaceInArchive(const TArchiveSpot&, std::string_view,
                                                         std::string* error) {
  NotReady(error);
  return std::nullopt;
}
bool TGameStore::ArchiveHolds(const TArchiveSpot&) const { return false; }
TReadStatus TGameStore::ReadArchive(std::string& text, std::string* error) const {
  text.clear();
  NotReady(error);
  return TReadStatus::Failed;
}

}  // namespace zelmar
