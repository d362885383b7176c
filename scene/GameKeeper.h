// The game kept on disk: the current game written after every change the game flow marks (as a PGN game,
// through the game store), every finished game and every unfinished one a new game replaces put in the
// archive, and a kept game brought back onto the board ("Continue", a game opened from a file).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "engine/notation/GameRecord.h"
#include "launcher/ArchiveAnnotator.h"
#include "launcher/CurrentGameWriter.h"
#include "launcher/GameStore.h"
#include "scene/GameFlow.h"
#include "scene/SceneState.h"

namespace zelmar {
class TChessBrd;
}  // namespace zelmar

namespace zelmar::scene {

class TGameKeeper {
 public:
  TGameKeeper(TSceneState& state, TChessBrd& engine, TGameFlow& flow);
  TGameKeeper(const TGameKeeper&) = delete;
  TGameKeeper& operator=(const TGameKeeper&) = delete;
  // Cancels the judging of a finished game and writes what is still waiting.
  ~TGameKeeper();

  // Starts keeping games in `folder` (made when missing; empty keeps nothing): reads the kept game, moves a
  // file that cannot be read aside and says why on the standard error, puts a finished game the archive
  // lacks into it, and offers "Continue" for an unfinished one.
  void Open(const std::filesystem::path& folder);
  bool Keeping() const { return store_.has_value(); }
  // Whether the board holds the current game (played or brought back in this run).
  bool Holding() const { return held_; }

  // A game opened from a file becomes the current game, on the board as the game's end shows it or with
  // the player on the side to move; the game it replaces goes to the archive first when it qualifies.
  bool Adopt(const TGameRecord& game);
  // Before a new game replaces the current one: an unfinished game the player has moved in goes to the
  // archive.
  void BeforeNewGame();
  // "Continue": the game goes on where the board holds it, or the kept game is brought back. False when
  // there is no unfinished game to continue.
  bool Continue();

  // Once a tick, outside the engine's calls: writes the current game when the flow marked a change, and
  // with the clocks as they stopped when the game is left for the menu.
  void Tick();
  // Writes the current game now when any of it (the clocks too) differs from the file, and returns once
  // it is on the disk.
  void KeepNow();
  // Returns once every write of the current game is on the disk (writes run on a thread of their own).
  void Flush();

  // The current game as last kept, and its text.
  const TGameRecord& Record() const { return record_; }
  const std::string& Text() const { return text_; }

  // Judges each finished game's archive entry in the background, from the end of the game until the game
  // changes, a new one starts or the computer thinks (then it is cancelled).
  TArchiveAnnotator& Annotator() { return annotator_; }

 private:
  TGameRecord BuildRecord() const;
  void Write(TGameRecord record);
  void ArchiveCurrent();
  void StartRecord();
  bool Restore(TGameRecord record, bool opened);
  bool PlayerMoved() const;
  void Offer();
  void TakeFailure();
  void Report(const std::string& what, const std::string& error);
  bool ArchiveHoldsGame(const std::string& gameId) const;
  void StartAnnotation(const TArchiveSpot& spot, const std::string& entry);
  void CancelAnnotation();
  void TakeAnnotation();

  TSceneState& state_;
  TChessBrd& engine_;
  TGameFlow& flow_;
  std::optional<TGameStore> store_;
  std::unique_ptr<TCurrentGameWriter> writer_;  // writes the current game's file; set while store_ is
  std::string playerName_, site_;
  TGameRecord record_;           // the current game as last kept
  std::string text_;             // its text as last written
  std::string archived_;         // its archive entry as last written in this run
  bool held_ = false;            // the board holds the current game (played or brought back in this run)
  bool kept_ = false;            // there is a current game
  std::uint64_t mark_ = 0;       // the flow's change mark last kept
  int newGames_ = 0;             // the flow's new games seen
  bool onGameScreen_ = false;    // the game screen was shown at the last tick
  std::string lastFailure_;      // the failure last said
  std::string annotatedId_;      // the id of the game whose entry the annotator judges or judged last
  TArchiveAnnotator annotator_;  // last, so that its thread ends before anything else of the keeper goes
};

}  // namespace zelmar::scene
