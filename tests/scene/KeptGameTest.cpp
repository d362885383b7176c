// The kept game through the whole game window: a game played by clicks, left for the menu and continued in
// a fresh window on the same games folder as if the program had been started again; hand-made kept games
// (a promotion choice open, the computer's turn); the archive's one entry a game; a damaged file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <mutex>
#include <sstream>
#include <stop_token>
#include <string>
#include <vector>

#include "engine/ChessThread.h"
#include "engine/notation/GameAnnotation.h"
#include "engine/notation/Pgn.h"
#include "scene/KeptGameFacts.h"
#include "scene/SceneTexts.h"
#include "scene/support/GameFlowRig.h"
#include "scene/support/SceneFormRig.h"

namespace zelmar::scene {
namespace {

using test::TSceneFormRig;

// The main menu's item i (the form with "Continue" has five), a tool button, the in-game window's "Menu"
// and "Rematch", the promotion panel's queen.
constexpr int kMenuX = 183;
int MenuItemY(int item) {
  return 172 + 40 * (item - 1);
}
int ButtonX(int button) {
  return 32 + 50 * (button - 1);
}
constexpr int kButtonY = 31, kDialogY = 412, kRematchX = 513, kMenuButtonX = 613;
constexpr int kQueenChoiceX = 675, kQueenChoiceY = 626;

// A fresh games folder, removed with everything in it at the end.
struct TFolder {
  std::filesystem::path Path = std::filesystem::temp_directory_path() /
                               ("zelmar-kept-" + std::to_string(::getpid()) + "-" + std::to_string(Next()));
  TFolder() { std::filesystem::create_directories(Path); }
  ~TFolder() { std::filesystem::remove_all(Path); }
  static int Next() {
    static int count = 0;
    return count++;
  }
};

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The games of a PGN file that read whole.
std::vector<TGameRecord> GamesIn(const std::filesystem::path& file) {
  std::vector<TGameRecord> games;
  for (const TPgnGame& game : ReadPgn(ReadText(file)))
    if (game.Game) games.push_back(*game.Game);
  return games;
}

// A game of coordinate moves from the initial position, as a board records it.
TGameRecord GameOf(bool zelmar, std::initializer_list<const char*> moves) {
  TChessBrd board;
  board.SetZelmarMode(zelmar);
  board.NewGame();
  for (const char* move : moves) {
    const std::string text = move;
    EXPECT_TRUE(board.PlayMove(*ParseSquare(text.substr(0, 2)), *ParseSquare(text.substr(2, 2)))) << move;
  }
  return RecordFromBoard(board);
}

// Starts the window on a game opened from a file, White having weakened its king's side (1. f3 e5 2. g4):
// Black to mate with Qh4.
void StartBeforeFoolsMate(TSceneFormRig& rig, const std::filesystem::path& folder) {
  rig.GamesFolder = folder;
  rig.OpenedGame = GameOf(false, {"f2f3", "e7e5", "g2g4"});
  rig.Start();
}

// The kept game file of `folder` made by hand.
void Keep(const std::filesystem::path& folder, const TGameRecord& game) {
  std::ofstream(folder / kCurrentGameFileName, std::ios::binary) << WritePgn(game);
}

// The first legal move of the side to move, scanning the squares in order: a quick, repeatable player.
void PlayFirstLegalMove(TSceneFormRig& rig) {
  for (int from = 1; from <= 64; ++from)
    for (int to = 1; to <= 64; ++to)
      if (rig.Engine().IsLegalMove(SquareOf(from), SquareOf(to))) {
        ASSERT_TRUE(rig.PlayMove(SquareName(SquareOf(from)), SquareName(SquareOf(to))));
        return;
      }
  FAIL() << "no legal move";
}

std::uint64_t LastNodes(TSceneFormRig& rig) {
  return rig.Form().ComputerPlayer->LastNodes();
}

TEST(KeptGameTest, ContinueBringsBackTheWholeGameInAFreshWindow) {
  const TFolder games, copy;
  TSceneFormRig first;
  first.GamesFolder = games.Path;
  first.Options.Mode = 2;
  first.Options.Depth = 2;
  first.Start();
  EXPECT_FALSE(first.State().ContinueOffered);
  first.ClickAt(kMenuX, MenuItemY(1));  // "Game"
  ASSERT_TRUE(first.Settle());
  std::vector<std::string> positions{first.Engine().Position()};
  for (int move = 0; move < 4; ++move) {
    first.RunTicks(70);
    PlayFirstLegalMove(first);
    positions.push_back(first.Engine().Position());
  }
  first.ClickAt(ButtonX(7), kButtonY);  // two half-moves back: the player is White again
  first.ClickAt(ButtonX(7), kButtonY);
  ASSERT_EQ(first.Engine().Position(), positions[3]);
  first.PressKey(kKeyEscape);
  first.ClickAt(kMenuButtonX, kDialogY);  // "Menu"
  ASSERT_EQ(first.State().SceneMode, TSceneMode::TitleScreen);
  EXPECT_TRUE(first.State().ContinueOffered);
  first.Form().Keeper().Flush();

  // The file holds the whole line, the position shown, the level, the mode and the clocks.
  const std::vector<TGameRecord> kept = GamesIn(games.Path / kCurrentGameFileName);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_TRUE(kept[0].Zelmar);
  EXPECT_EQ(kept[0].Moves.size(), 8u);
  const TKeptFacts facts = ReadKeptFacts(kept[0]);
  EXPECT_EQ(facts.ShownPly, 6);
  EXPECT_EQ(facts.Level, 2);
  EXPECT_EQ(facts.PlayerSide, 1);
  EXPECT_EQ(facts.WhiteSeconds, first.State().Board.WhiteSeconds);
  EXPECT_GT(facts.WhiteSeconds, 0);
  std::filesystem::copy(games.Path, copy.Path, std::filesystem::copy_options::recursive);

  // A fresh window on the copy, with other settings, as the next start of the program would be.
  TSceneFormRig second;
  second.GamesFolder = copy.Path;
  second.Options.Mode = 1;
  second.Options.Depth = 1;
  second.Start();
  ASSERT_TRUE(second.State().ContinueOffered);
  EXPECT_EQ(second.State().SceneMode, TSceneMode::TitleScreen);

  // Both go on the same way: the first where it stood, the second from the file.
  for (TSceneFormRig* rig : {&first, &second}) {
    SCOPED_TRACE(rig == &first ? "after the menu" : "in a fresh window");
    rig->ClickAt(kMenuX, MenuItemY(1));  // "Continue"
    ASSERT_EQ(rig->State().SceneMode, TSceneMode::GameScreen);
    EXPECT_TRUE(rig->Form().Timer1.Enabled());
    EXPECT_EQ(rig->State().GameState, TGameState::HumanToMove);
    EXPECT_EQ(rig->State().Board.HumanSide, 1);
    EXPECT_TRUE(rig->Engine().ZelmarMode());
    EXPECT_EQ(rig->Engine().SearchDepth(), 2);
    EXPECT_EQ(rig->State().Board.WhiteSeconds, facts.WhiteSeconds);
    EXPECT_EQ(rig->State().Board.BlackSeconds, facts.BlackSeconds);
    EXPECT_EQ(rig->Engine().Position(), positions[3]);
    // Replay over the moves after the take-back, and back over the earlier ones.
    rig->PressKey(kKeyRight);
    rig->PressKey(kKeyRight);
    EXPECT_EQ(rig->Engine().Position(), positions[4]);
    for (int back = 0; back < 6; ++back) rig->PressKey(kKeyLeft);
    EXPECT_EQ(rig->Engine().Position(), positions[1]);
    for (int forward = 0; forward < 4; ++forward) rig->PressKey(kKeyRight);
    ASSERT_EQ(rig->Engine().Position(), positions[3]);
    ASSERT_TRUE(rig->Settle());
  }
  // The computer's next reply is the same move from the same search.
  PlayFirstLegalMove(first);
  PlayFirstLegalMove(second);
  EXPECT_EQ(second.Engine().Position(), first.Engine().Position());
  EXPECT_EQ(LastNodes(second), LastNodes(first));
  EXPECT_GT(LastNodes(first), 0u);
}

// Kept games with the player's pawn waiting for its piece, with the player on Black before White's first
// move, and with the computer to move.
TEST(KeptGameTest, TheScreenComesBackAsItWas) {
  const TFolder games;
  TGameRecord game = GameOf(false, {"e2e4", "d7d5", "e4d5", "c7c6", "d5c6", "g8f6", "c6b7", "b8d7"});
  TKeptFacts facts;
  facts.Level = 1;
  facts.PlayerSide = 1;
  facts.WhiteSeconds = 40;
  facts.BlackSeconds = 30;
  facts.PromotionFrom = Sq("b7");
  facts.PromotionTo = Sq("a8");
  WriteKeptFacts(game, facts);
  Keep(games.Path, game);
  {
    TSceneFormRig rig;
    rig.GamesFolder = games.Path;
    rig.Start();
    rig.ClickAt(kMenuX, MenuItemY(1));  // "Continue"
    ASSERT_EQ(rig.State().GameState, TGameState::ChoosePromotion);
    EXPECT_EQ(rig.State().Board.At(Sq("a8")), kPawn);
    EXPECT_EQ(rig.State().Board.At(Sq("b7")), 0);
    EXPECT_EQ(rig.State().Board.WhiteSeconds, 40);
    rig.ClickAt(kQueenChoiceX, kQueenChoiceY);
    ASSERT_TRUE(rig.Settle());
    EXPECT_EQ(rig.Engine().PieceAt(Square::A8), 'Q');
    EXPECT_TRUE(rig.Engine().WhiteToMove());  // the computer has answered
  }
  // No move yet with the player on Black: the computer's first search runs under "Your move?" as in a new
  // game, and its move comes.
  TGameRecord fresh = GameOf(false, {});
  facts = TKeptFacts{};
  facts.PlayerSide = -1;
  WriteKeptFacts(fresh, facts);
  Keep(games.Path, fresh);
  {
    TSceneFormRig rig;
    rig.GamesFolder = games.Path;
    rig.Start();
    rig.ClickAt(kMenuX, MenuItemY(1));
    EXPECT_EQ(rig.State().GameState, TGameState::HumanToMove);
    ASSERT_TRUE(rig.Settle());
    EXPECT_FALSE(rig.Engine().WhiteToMove());
    EXPECT_EQ(rig.State().Board.SideToMove, -1);
  }
  // The promotion game one half-move on: Black's turn, the computer's.
  game = GameOf(false, {"e2e4", "d7d5", "e4d5", "c7c6", "d5c6", "g8f6", "c6b7", "b8d7", "b7a8"});
  facts.PlayerSide = 1;
  WriteKeptFacts(game, facts);
  Keep(games.Path, game);
  TSceneFormRig rig;
  rig.GamesFolder = games.Path;
  rig.Start();
  rig.ClickAt(kMenuX, MenuItemY(1));
  EXPECT_EQ(rig.State().GameState, TGameState::ComputerThinking);
  ASSERT_TRUE(rig.Settle());
  EXPECT_TRUE(rig.Engine().WhiteToMove());
  EXPECT_EQ(rig.State().GameState, TGameState::HumanToMove);
}

// One entry a game, written only for games the player moved in: an unfinished game replaced by an opened
// one, the opened game's mate, its take-back and the unfinished line a rematch replaces.
TEST(KeptGameTest, TheArchiveKeepsOneEntryAGame) {
  const TFolder games;
  const std::filesystem::path archive = games.Path / kArchiveFileName;
  {
    TSceneFormRig rig;
    rig.GamesFolder = games.Path;
    rig.Start();
    rig.ClickAt(kMenuX, MenuItemY(1));  // "Game"
    ASSERT_TRUE(rig.Settle());
    rig.PressKey(kKeyEscape);
    rig.ClickAt(kRematchX, kDialogY);  // no move made: nothing archived
    ASSERT_TRUE(rig.Settle());
    EXPECT_TRUE(GamesIn(archive).empty());
    PlayFirstLegalMove(rig);
  }
  TSceneFormRig rig;
  StartBeforeFoolsMate(rig, games.Path);
  EXPECT_EQ(GamesIn(archive).size(), 1u);  // the game it replaced
  ASSERT_EQ(rig.State().SceneMode, TSceneMode::GameScreen);
  EXPECT_EQ(rig.State().Board.HumanSide, -1);
  EXPECT_FALSE(rig.Engine().ZelmarMode());
  ASSERT_TRUE(rig.PlayMove("d8", "h4"));
  ASSERT_EQ(rig.State().GameState, TGameState::GameOver);
  EXPECT_FALSE(rig.State().ContinueOffered);
  std::vector<TGameRecord> entries = GamesIn(archive);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].Result, "0-1");
  // Taken back and played on differently, then replaced by a rematch: still one entry, now unfinished.
  rig.PressKey(kKeyLeft);
  PlayFirstLegalMove(rig);
  const std::string id = *FindTag(rig.Form().Keeper().Record(), kGameIdTag);
  rig.PressKey(kKeyEscape);
  rig.ClickAt(kRematchX, kDialogY);
  ASSERT_TRUE(rig.Settle());
  entries = GamesIn(archive);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].Result, "*");
  EXPECT_EQ(entries[1].Moves.size(), 5u);
  EXPECT_EQ(*FindTag(entries[1], kGameIdTag), id);
  rig.Form().Keeper().Flush();
  EXPECT_NE(*FindTag(GamesIn(games.Path / kCurrentGameFileName).at(0), kGameIdTag), id);  // the rematch
}

// A finished game's entry is judged in the background and put in its place; the current game's file learns
// where it lies, so that a take-back and another end replace it again instead of adding a second entry.
TEST(KeptGameTest, AFinishedGamesEntryIsJudgedInTheBackground) {
  const TFolder games;
  const std::filesystem::path archive = games.Path / kArchiveFileName;
  TSceneFormRig rig;
  StartBeforeFoolsMate(rig, games.Path);
  ASSERT_TRUE(rig.PlayMove("d8", "h4"));
  ASSERT_EQ(rig.State().GameState, TGameState::GameOver);
  rig.Form().Keeper().Annotator().Wait();  // at once when a tick has already taken the job in
  std::vector<TGameRecord> entries = GamesIn(archive);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(*FindTag(entries[0], kAnnotatedTag), std::to_string(kDefaultAnnotationLevel));
  EXPECT_EQ(entries[0].Result, "0-1");
  ASSERT_EQ(entries[0].Moves.size(), 4u);
  const std::string& verdict = entries[0].Moves[2].Comments.at(0);  // g4, which lets the queen mate
  EXPECT_TRUE(verdict.starts_with("[%eval #-1] Blunder. ") && verdict.ends_with(" was best.")) << verdict;
  EXPECT_EQ(entries[0].Moves[2].Nags, std::vector<int>{kBlunderNag});
  EXPECT_NE(entries[0].LeadComment.find("White 0 mistakes, 1 blunder"), std::string::npos);
  EXPECT_EQ(*FindTag(entries[0], kGameIdTag), *FindTag(rig.Form().Keeper().Record(), kGameIdTag));

  // The next tick takes the new spot in; the thread is gone.
  rig.RunTicks(1);
  EXPECT_FALSE(rig.Form().Keeper().Annotator().Started());
  rig.Form().Keeper().Flush();
  const auto spot = ReadKeptFacts(GamesIn(games.Path / kCurrentGameFileName).at(0)).Archived;
  ASSERT_TRUE(spot);
  EXPECT_TRUE(TGameStore(games.Path).ArchiveHolds(*spot));
  // Taken back and played on: still one entry, the game as it now stands.
  rig.PressKey(kKeyLeft);
  PlayFirstLegalMove(rig);
  rig.PressKey(kKeyEscape);
  rig.ClickAt(kRematchX, kDialogY);
  ASSERT_TRUE(rig.Settle());
  entries = GamesIn(archive);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Result, "*");
  EXPECT_EQ(FindTag(entries[0], kAnnotatedTag), nullptr);
}

// A new game before the judging is done cancels it at once: its thread is joined and the entry untouched.
TEST(KeptGameTest, ANewGameCancelsTheJudging) {
  const TFolder games;
  const std::filesystem::path archive = games.Path / kArchiveFileName;
  TSceneFormRig rig;
  StartBeforeFoolsMate(rig, games.Path);
  // The job is held at its start until it is cancelled, and says when it is there.
  std::mutex mutex;
  std::condition_variable_any held;
  bool entered = false;
  rig.Form().Keeper().Annotator().SetGate([&](std::stop_token stop) {
    std::unique_lock lock(mutex);
    entered = true;
    held.notify_all();
    held.wait(lock, stop, [] { return false; });
  });
  ASSERT_TRUE(rig.PlayMove("d8", "h4"));
  ASSERT_EQ(rig.State().GameState, TGameState::GameOver);
  {
    std::unique_lock lock(mutex);
    held.wait(lock, [&] { return entered; });
  }
  const std::string before = ReadText(archive);
  ASSERT_EQ(GamesIn(archive).size(), 1u);
  rig.PressKey(kKeyEscape);
  rig.ClickAt(kRematchX, kDialogY);
  ASSERT_TRUE(rig.Settle());
  EXPECT_FALSE(rig.Form().Keeper().Annotator().Started());
  EXPECT_EQ(ReadText(archive), before);
  EXPECT_EQ(FindTag(GamesIn(archive).at(0), kAnnotatedTag), nullptr);
  EXPECT_FALSE(std::filesystem::exists(games.Path / (std::string(kArchiveFileName) + ".replacing")));
}

// A finished game opened from a file shows its end, and the arrows step through it; nothing is archived.
TEST(KeptGameTest, AFinishedOpenedGameOpensAtItsEnd) {
  const TFolder games;
  TSceneFormRig rig;
  rig.GamesFolder = games.Path;
  rig.OpenedGame = GameOf(false, {"f2f3", "e7e5", "g2g4", "d8h4"});
  rig.Start();
  ASSERT_EQ(rig.State().GameState, TGameState::GameOver);
  EXPECT_EQ(rig.State().ResultText, ResultTextOf(TResult::Mate, rig.Options.Lang));
  rig.PressKey(kKeyLeft);
  EXPECT_EQ(rig.State().GameState, TGameState::HumanToMove);
  rig.PressKey(kKeyRight);
  EXPECT_EQ(rig.State().GameState, TGameState::GameOver);
  EXPECT_FALSE(std::filesystem::exists(games.Path / kArchiveFileName));
}

// A kept file that does not read is moved aside whole, said on the standard error, and not offered.
TEST(KeptGameTest, ADamagedKeptGameIsMovedAside) {
  const TFolder games;
  const std::string damaged = "[Event \"x\"]\n\n1. e4 e5 2. Ke3 Ke6 *\n";
  std::ofstream(games.Path / kCurrentGameFileName) << damaged;
  TSceneFormRig rig;
  rig.GamesFolder = games.Path;
  ::testing::internal::CaptureStderr();
  rig.Start();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("cannot be read"), std::string::npos) << said;
  EXPECT_FALSE(rig.State().ContinueOffered);
  EXPECT_FALSE(std::filesystem::exists(games.Path / kCurrentGameFileName));
  int aside = 0;
  for (const auto& entry : std::filesystem::directory_iterator(games.Path))
    aside += ReadText(entry.path()) == damaged;
  EXPECT_EQ(aside, 1);
}

}  // namespace
}  // namespace zelmar::scene
