#include "scene/GameKeeper.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/ChessBrd.h"
#include "engine/notation/Pgn.h"
#include "launcher/PlayerName.h"
#include "scene/KeptGameFacts.h"

namespace zelmar::scene {

namespace {

// The result text a line's end shows.
std::optional<TResult> ResultOf(TGameEnd end) {
  switch (end) {
    case TGameEnd::Mate:
      return TResult::Mate;
    case TGameEnd::Stalemate:
      return TResult::StaleMate;
    case TGameEnd::NoMatingMaterial:
      return TResult::NoMatingMaterial;
    case TGameEnd::ThreefoldRepetition:
      return TResult::Threefold;
    case TGameEnd::None:
      break;
  }
  return std::nullopt;
}

// Whether the side to move after `ply` half-moves from the initial position is White.
bool WhiteToMoveAfter(int ply) {
  return ply % 2 == 0;
}

// Why a current-game text is not one game; empty when it is.
std::string WhyNotOneGame(const std::vector<TPgnGame>& games) {
  if (games.empty()) return "it holds no game";
  if (games.size() > 1) return "it holds " + std::to_string(games.size()) + " games";
  if (!games.front().Game)
    return "line " + std::to_string(games.front().FirstLine) + ": " + games.front().Error;
  return {};
}

// Whether the record holds a move of the player's colour (`side` +1 White, -1 Black).
bool HasMoveOfSide(const TGameRecord& record, int side) {
  return record.Moves.size() >= (side == 1 ? 1u : 2u);
}

}  // namespace

TGameKeeper::TGameKeeper(TSceneState& state, TChessBrd& engine, TGameFlow& flow)
    : state_(state), engine_(engine), flow_(flow), newGames_(flow.Counts().NewGames) {}

TGameKeeper::~TGameKeeper() {
  CancelAnnotation();
}

void TGameKeeper::Open(const std::filesystem::path& folder) {
  writer_.reset();
  store_.reset();
  kept_ = held_ = false;
  Offer();
  if (folder.empty()) return;
  std::string error;
  store_.emplace(folder);
  if (!store_->Prepare(&error)) {
    std::fprintf(stderr, "zelmar-chess: no game can be kept in %s: %s\n", folder.c_str(), error.c_str());
    store_.reset();
    return;
  }
  writer_ = std::make_unique<TCurrentGameWriter>(*store_);
  playerName_ = PlayerName();
  site_ = HostName();
  std::string text;
  const TReadStatus status = store_->ReadCurrent(text, &error);
  if (status == TReadStatus::Absent) return;
  std::string why = error;
  if (status == TReadStatus::Read) {
    const std::vector<TPgnGame> games = ReadPgn(text);
    why = WhyNotOneGame(games);
    if (why.empty()) {
      record_ = *games.front().Game;
      if (const auto shown = ReadKeptFacts(record_).ShownPly) record_.ShownPly = *shown;
      text_ = std::move(text);
      kept_ = true;
    }
  }
  if (!kept_) {
    // Writing over it would lose it: it goes aside, or nothing is kept in this run.
    const std::filesystem::path path = store_->CurrentPath();
    if (const auto aside = store_->MoveCurrentAside(&error)) {
      std::fprintf(stderr, "zelmar-chess: the kept game %s cannot be read (%s); it was moved to %s\n",
                   path.c_str(), why.c_str(), aside->c_str());
    } else {
      std::fprintf(
          stderr,
          "zelmar-chess: the kept game %s cannot be read (%s) nor moved aside (%s); no game is kept\n",
          path.c_str(), why.c_str(), error.c_str());
      writer_.reset();
      store_.reset();
    }
    return;
  }
  // A kill between the current game's file and the archive: the finished game goes to the archive now.
  if (record_.End != TGameEnd::None && PlayerMoved()) {
    const TKeptFacts facts = ReadKeptFacts(record_);
    // An entry judged since the file was written lies elsewhere, but holds the same game.
    if ((!facts.Archived || !store_->ArchiveHolds(*facts.Archived)) && !ArchiveHoldsGame(facts.GameId))
      ArchiveCurrent();
  }
  Offer();
}

bool TGameKeeper::Adopt(const TGameRecord& game) {
  BeforeNewGame();
  return Restore(game, true);
}

void TGameKeeper::BeforeNewGame() {
  CancelAnnotation();
  if (!store_ || !kept_) return;
  if (held_) Write(BuildRecord());
  if (record_.End == TGameEnd::None && PlayerMoved()) ArchiveCurrent();
}

bool TGameKeeper::Continue() {
  if (!store_ || !kept_ || record_.End != TGameEnd::None) return false;
  if (held_) {
    flow_.GoOn();
    return true;
  }
  return Restore(record_, false);
}

void TGameKeeper::Tick() {
  if (!store_) return;
  TakeFailure();
  // The judging never runs beside the computer's own search; a finished one is taken in.
  if (engine_.Thinking() || annotator_.Done()) CancelAnnotation();
  if (flow_.Counts().NewGames != newGames_) {
    newGames_ = flow_.Counts().NewGames;
    StartRecord();
  }
  const bool onGameScreen = state_.SceneMode == TSceneMode::GameScreen;
  const bool leftGame = onGameScreen_ && !onGameScreen;
  onGameScreen_ = onGameScreen;
  if (held_ && (flow_.ChangeMark() != mark_ || leftGame)) {
    mark_ = flow_.ChangeMark();
    Write(BuildRecord());
  }
}

void TGameKeeper::KeepNow() {
  if (!store_ || !held_) return;
  mark_ = flow_.ChangeMark();
  Write(BuildRecord());
  Flush();
}

void TGameKeeper::Flush() {
  if (!writer_) return;
  writer_->Flush();
  TakeFailure();
}

// A write the writer could not make is said, and the next change writes the whole text again.
void TGameKeeper::TakeFailure() {
  if (const std::string failure = writer_->TakeError(); !failure.empty()) {
    Report("the current game could not be written to " + store_->CurrentPath().string(), failure);
    text_.clear();
  }
}

// The record of the game the board holds, with the scene's facts. The engine's record may go on beyond
// the position shown with a reply the scene dropped; the kept line stops before it, as replay does.
TGameRecord TGameKeeper::BuildRecord() const {
  TGameRecord record = RecordFromBoard(engine_, &record_);
  if (const auto tail = flow_.StaleTailPly(); tail && *tail < static_cast<int>(record.Moves.size())) {
    record.Moves.resize(static_cast<std::size_t>(*tail));
    record.ShownPly = std::min(record.ShownPly, *tail);
    record.End = TGameEnd::None;
    record.Result = "*";
  }
  TKeptFacts facts = ReadKeptFacts(record_);
  const TSceneBoard& board = state_.Board;
  facts.Level = std::clamp(engine_.SearchDepth(), kLowestLevel, kHighestLevel);
  facts.PlayerSide = board.HumanSide;
  facts.WhiteSeconds = board.WhiteSeconds;
  facts.BlackSeconds = board.BlackSeconds;
  const bool choosing = state_.GameState == TGameState::ChoosePromotion;
  facts.PromotionFrom = choosing ? state_.MoveFrom : 0;
  facts.PromotionTo = choosing ? state_.MoveTo : 0;
  facts.SearchCarry = engine_.SearchCarry();
  WriteKeptFacts(record, facts);
  return record;
}

// The current game's file first, then, for a finished game, the archive.
void TGameKeeper::Write(TGameRecord record) {
  if (!store_) return;
  std::string text = WritePgn(record);
  record_ = std::move(record);
  if (text != text_) {
    writer_->Submit(text);
    text_ = std::move(text);
  }
  if (record_.End != TGameEnd::None && PlayerMoved()) ArchiveCurrent();
  Offer();
}

// One entry a game: the entry this game was given is replaced while it is the archive's last, and the
// current game's file learns where the entry lies.
void TGameKeeper::ArchiveCurrent() {
  const std::string entry = WritePgn(WithoutMomentFacts(record_));
  if (entry == archived_) return;
  CancelAnnotation();
  TKeptFacts facts = ReadKeptFacts(record_);
  std::string error;
  Flush();  // the current game's file first
  const auto spot = facts.Archived ? store_->ReplaceInArchive(*facts.Archived, entry, &error)
                                   : store_->AddToArchive(entry, &error);
  if (!spot) {
    Report("the game could not be put in the archive " + store_->ArchivePath().string(), error);
    return;
  }
  archived_ = entry;
  facts.Archived = *spot;
  WriteKeptFacts(record_, facts);
  text_ = WritePgn(record_);
  writer_->Submit(text_);
  if (record_.End != TGameEnd::None && !engine_.Thinking()) StartAnnotation(*spot, entry);
}

// Whether the archive holds an entry of the game with this id (read only when its spot is lost).
bool TGameKeeper::ArchiveHoldsGame(const std::string& gameId) const {
  std::string archive;
  if (gameId.empty() || store_->ReadArchive(archive) != TReadStatus::Read) return false;
  return archive.find("\n[" + std::string(kGameIdTag) + " \"" + gameId + "\"]\n") != std::string::npos;
}

// The finished game's entry, just written at `spot`, is judged in the background.
void TGameKeeper::StartAnnotation(const TArchiveSpot& spot, const std::string& entry) {
  annotatedId_ = ReadKeptFacts(record_).GameId;
  annotator_.Start(store_->Folder(), spot, entry);
}

// Stops the judging (at once, its thread joined) and takes in what it wrote, also when it had ended.
void TGameKeeper::CancelAnnotation() {
  annotator_.Cancel();
  TakeAnnotation();
}

// A judged entry replaced the game's own: the current game's file learns where it lies now, so that a
// later change of the game replaces it again instead of adding a second entry.
void TGameKeeper::TakeAnnotation() {
  const std::optional<TAnnotatedEntry> written = annotator_.TakeWritten();
  if (const std::string error = annotator_.TakeError(); !error.empty() && store_)
    Report("the game could not be judged in the archive " + store_->ArchivePath().string(), error);
  if (!written || !store_ || ReadKeptFacts(record_).GameId != annotatedId_) return;
  TKeptFacts facts = ReadKeptFacts(record_);
  facts.Archived = written->Spot;
  WriteKeptFacts(record_, facts);
  text_ = WritePgn(record_);
  writer_->Submit(text_);
}

// A new game from the settings: its standard tags and a new id.
void TGameKeeper::StartRecord() {
  CancelAnnotation();
  record_ = TGameRecord{};
  const int level = std::clamp(engine_.SearchDepth(), kLowestLevel, kHighestLevel);
  SetStartTags(record_, playerName_, site_, level, state_.Board.HumanSide == 1);
  TKeptFacts facts;
  facts.GameId = NewGameId();
  WriteKeptFacts(record_, facts);
  text_.clear();
  archived_.clear();
  held_ = kept_ = true;
}

// A kept game comes back exactly: its level, side, clocks, position shown, promotion choice and the
// computer's carried state. An opened game comes back at the position its line ends in, with the player
// on the side to move, as a game of its own (a new id, no archive entry).
bool TGameKeeper::Restore(TGameRecord record, bool opened) {
  CancelAnnotation();
  TKeptFacts facts = ReadKeptFacts(record);
  if (opened) {
    record = WithoutMomentFacts(std::move(record));
    facts = ReadKeptFacts(record);
    facts.GameId = NewGameId();
    facts.Archived.reset();
    facts.PlayerSide.reset();
  } else if (facts.ShownPly) {
    record.ShownPly = *facts.ShownPly;
  }
  const int level = facts.Level.value_or(std::clamp(state_.Options.Depth, kLowestLevel, kHighestLevel));
  const int side = facts.PlayerSide.value_or(WhiteToMoveAfter(record.ShownPly) ? 1 : -1);
  std::string error;
  TResumedGame game;
  game.LoadEngine = [&] {
    if (!PlayRecord(record, engine_, &error)) return false;
    engine_.SetSearchDepth(level);
    // A carried state the engine refuses leaves the one it has: the game goes on all the same.
    if (!facts.SearchCarry.empty()) static_cast<void>(engine_.SetSearchCarry(facts.SearchCarry));
    return true;
  };
  game.Zelmar = record.Zelmar;
  game.HumanSide = static_cast<std::int8_t>(side);
  game.WhiteSeconds = facts.WhiteSeconds;
  game.BlackSeconds = facts.BlackSeconds;
  game.End = ResultOf(record.End);
  game.AtEnd = record.ShownPly == static_cast<int>(record.Moves.size());
  game.PromotionFrom = facts.PromotionFrom;
  game.PromotionTo = facts.PromotionTo;
  game.PlayerMoved = !opened && HasMoveOfSide(record, side);
  facts.Level = level;
  facts.PlayerSide = side;
  WriteKeptFacts(record, facts);
  if (!flow_.ResumeGame(game)) {
    std::fprintf(stderr, "zelmar-chess: the game cannot be played on (%s); a new game starts\n",
                 error.c_str());
    return false;
  }
  record_ = std::move(record);
  archived_.clear();
  kept_ = held_ = true;
  newGames_ = flow_.Counts().NewGames;
  KeepNow();
  Offer();
  return true;
}

// In this run the flow knows; a game read from the file counts when its line holds a move of the
// player's colour.
bool TGameKeeper::PlayerMoved() const {
  if (held_) return flow_.PlayerMoved();
  const auto side = ReadKeptFacts(record_).PlayerSide;
  return HasMoveOfSide(record_, side.value_or(WhiteToMoveAfter(record_.ShownPly) ? 1 : -1));
}

void TGameKeeper::Offer() {
  state_.ContinueOffered = store_.has_value() && kept_ && record_.End == TGameEnd::None;
}

// A failure is said once, not again while the same one repeats.
void TGameKeeper::Report(const std::string& what, const std::string& error) {
  std::string said = what + ": " + error;
  if (said != lastFailure_) std::fprintf(stderr, "zelmar-chess: %s\n", said.c_str());
  lastFailure_ = std::move(said);
}

}  // namespace zelmar::scene
