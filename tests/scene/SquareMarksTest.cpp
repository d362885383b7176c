// The move marks: with "None" every frame is the one the game drew before there were marks; the targets are
// exactly the legal moves of the selected piece in both modes; the last move and the check follow the game
// through moves, take-backs and replays; the marks are drawn on both boards in their own colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/BoardRoot.h"
#include "engine/notation/GameRecord.h"
#include "engine/search/ChessSearch.h"
#include "scene/FrameRecord.h"
#include "scene/FrameView.h"
#include "scene/KeyboardKeys.h"
#include "scene/SceneGeometry.h"
#include "scene/SquareMarks.h"
#include "scene/support/GameFlowRig.h"
#include "scene/support/SceneFormRig.h"

namespace zelmar::scene {
namespace {

// --- "None" draws what the game drew before the marks ---

// A 64-bit FNV-1a digest of every argument of every call of a frame.
std::uint64_t FrameDigest(const TFrameRecord& record) {
  std::uint64_t h = 14695981039346656037ull;
  auto mix = [&](std::uint64_t v) {
    for (int i = 0; i < 8; ++i) h = (h ^ ((v >> (8 * i)) & 0xFF)) * 1099511628211ull;
  };
  for (const TPaintCall& c : record.Calls()) {
    for (std::uint64_t v : {static_cast<std::uint64_t>(c.Kind), static_cast<std::uint64_t>(c.Picture),
                            static_cast<std::uint64_t>(c.Pattern), std::bit_cast<std::uint64_t>(c.X),
                            std::bit_cast<std::uint64_t>(c.Y), std::bit_cast<std::uint64_t>(c.Scale),
                            static_cast<std::uint64_t>(c.Width), static_cast<std::uint64_t>(c.Height),
                            static_cast<std::uint64_t>(c.Color), static_cast<std::uint64_t>(c.Bottom),
                            static_cast<std::uint64_t>(c.Fx), static_cast<std::uint64_t>(c.Font)})
      mix(v);
    for (char ch : c.Text) mix(static_cast<unsigned char>(ch));
  }
  return h;
}

// The digest line of a frame: its name, its call count and its digest.
std::string DigestLine(const std::string& name, const TSceneState& state) {
  TFrameRecord record;
  DrawFrame(state, record, kLogicalWidth, kLogicalHeight);
  std::ostringstream line;
  line << name << ' ' << record.Size() << ' ' << std::hex << FrameDigest(record);
  return line.str();
}

// Frames of a real game with "None": the castle with a selection and the hover after two moves each, the
// town with the player's move gliding, the wood board after a take-back, the turned marble board with the
// player's king in check and selected. Their digests were taken from the game before the marks existed.
TEST(SquareMarksTest, NoneDrawsTheFramesOfTheGameBeforeTheMarks) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  s.Options.Mode = 2;
  ASSERT_EQ(s.Options.Marks, 1);
  rig.Flow.StartNewGame();
  std::vector<std::string> lines;
  rig.PlayerMove("e2", "e4");
  rig.ComputerMove();
  rig.PlayerMove("g1", "f3");
  rig.ComputerMove();
  rig.ClickSquare("f3");
  s.HoverSquare = Sq("e5");
  s.PortraitScale = 1.0;
  lines.push_back(DigestLine("castle-selection", s));

  s.Options.Background = 2;
  rig.ClickSquare("b1");
  rig.ClickSquare("c3");
  ASSERT_TRUE(s.Animating);
  for (int i = 0; i < 6; ++i) rig.Flow.AnimationStep();
  lines.push_back(DigestLine("town-glide", s));
  rig.RunAnimation();
  rig.ComputerMove();

  s.Options.Background = 1;
  s.Options.Classic = 2;
  rig.Flow.StepBack();
  rig.Flow.StepBack();
  rig.ClickSquare("d2");
  lines.push_back(DigestLine("wood-after-take-back", s));

  rig.SetUp(PositionWith({{"e1", 'K'}, {"d2", 'P'}, {"e5", 'q'}, {"g8", 'k'}}), true, true);
  s.Options.Classic = 3;
  s.Options.Inversion = 1;
  rig.ClickSquare("e1");
  lines.push_back(DigestLine("marble-turned-check", s));

  const std::string reference = std::string(ZELMAR_REFERENCE_DIR) + "/frames-without-marks.txt";
  if (std::getenv("ZELMAR_UPDATE_SCENE_REFERENCES")) {
    std::ofstream out(reference);
    for (const std::string& line : lines) out << line << '\n';
    EXPECT_TRUE(out.flush()) << reference;
    return;
  }
  std::ifstream in(reference);
  ASSERT_TRUE(in) << "no reference " << reference;
  std::vector<std::string> want;
  for (std::string line; std::getline(in, line);) want.push_back(line);
  EXPECT_EQ(lines, want);
}

// --- Where the marks come from ---

// The squares holding one kind of mark.
std::set<int> Squares(const TSquareMarks& marks, TSquareMark mark) {
  std::set<int> out;
  for (int s = 1; s <= 64; ++s)
    if (marks.Has(s, mark)) out.insert(s);
  return out;
}

// The legal moves of the engine's position as the computer player's own generator lists them (its own
// implementation of the rules, sharing nothing with the board's legality): from square to target squares,
// in the board's numbering.
std::map<int, std::set<int>> GeneratedMoves(TChessSearch& search, const TChessBrd& engine) {
  search.SetZelmarMode(engine.ZelmarMode());
  search.LoadRoot(RootFromBoard(engine, 1));
  search.GenerateMoves();
  std::map<int, std::set<int>> moves;
  for (int i = search.ListBegin(); i < search.ListFinish(); ++i) {
    const TSearchMove m = search.ListEntry(i).Move;
    if (!search.DoMove(m)) continue;
    search.UndoMove();
    moves[m.From + 1].insert(m.To + 1);
  }
  return moves;
}

// The player to move on the game screen with "All", nothing gliding.
TSceneState ChoosingWithAll() {
  TSceneState state;
  state.SceneMode = TSceneMode::GameScreen;
  state.MenuKind = TMenuKind::NoMenu;
  state.Options.Marks = kMarksAll;
  return state;
}

// Selecting each square in turn marks exactly the generator's targets of the piece there (none for an
// empty square or the other side's piece); the check mark stands on the side to move's king exactly when
// the generator finds it in check.
void ExpectTargetsOfEverySquare(TChessSearch& search, const TChessBrd& engine) {
  const std::map<int, std::set<int>> moves = GeneratedMoves(search, engine);
  TSceneState state = ChoosingWithAll();
  for (int s = 1; s <= 64; ++s) {
    state.SelectedSquare = s;
    const auto it = moves.find(s);
    EXPECT_EQ(Squares(FindSquareMarks(engine, state), TSquareMark::Target),
              it == moves.end() ? std::set<int>{} : it->second)
        << "square " << s << " in " << engine.Position() << (engine.ZelmarMode() ? " (zelmar)" : "");
  }
  state.SelectedSquare = 0;
  const int side = engine.WhiteToMove() ? 0 : 1;
  EXPECT_EQ(FindSquareMarks(engine, state).Count(TSquareMark::Check), search.InCheck(side) ? 1 : 0)
      << engine.Position();
}

// Seeded random games in both modes from the published perft positions (castling both ways, en passant,
// promotions, pins and checks), with take-backs on the way: in every position the targets are the
// generator's (the Zelmar's knight jumps exactly in Zelmar mode), the check mark its check, and the last
// move the one that led to the position (the move just played, or after a take-back the one before it);
// where the record starts there is none.
TEST(SquareMarksTest, RandomGamesFromThePerftPositionsKeepTheMarksOnTheEnginesTruth) {
  const struct {
    const char* Rows;
    CastleSet Rights;
    Square EnPassant;
  } starts[] = {
      {"rnbqkbnrpppppppp                                PPPPPPPPRNBQKBNR", CastleSet::All(), Square::None},
      {"r   k  rp ppqpb bn  pnp    PN    p  P     N  Q pPPPBBPPPR   K  R", CastleSet::All(), Square::None},
      {"          p        p     KP     r R   p k            P P         ", CastleSet{}, Square::None},
      {"r   k  rPppp ppp b   nbNnP      BBP P   q    N  Pp P  PPR  Q RK ",
       CastleSet{BlackKingSide, BlackQueenSide}, Square::None},
      {"rnbqkbnrpp ppppp          pP                    PPP PPPPRNBQKBNR", CastleSet::All(), Square::C6},
  };
  auto search = std::make_unique<TChessSearch>();
  std::mt19937 random(20240611);
  int positions = 0, checks = 0;
  for (int game = 0; game < 20; ++game) {
    const auto& start = starts[game % std::size(starts)];
    TChessBrd engine;
    engine.SetZelmarMode(game / std::size(starts) % 2 == 1);
    engine.SetPosition(start.Rows);
    engine.SetCastlingAllowed(start.Rights);
    engine.SetEnPassant(start.EnPassant);
    std::vector<std::pair<int, int>> played;
    TSceneState state = ChoosingWithAll();
    for (int ply = 0; ply < 100; ++ply) {
      ExpectTargetsOfEverySquare(*search, engine);
      ++positions;
      const TSquareMarks marks = FindSquareMarks(engine, state);
      checks += marks.Count(TSquareMark::Check);
      const std::set<int> last = Squares(marks, TSquareMark::LastMove);
      if (played.empty()) {
        EXPECT_TRUE(last.empty());
      } else {
        EXPECT_EQ(last, (std::set<int>{played.back().first, played.back().second})) << engine.Position();
      }
      if (engine.IsThreefoldRepetition() || engine.NoMatingMaterial()) break;
      const std::map<int, std::set<int>> moves = GeneratedMoves(*search, engine);
      if (moves.empty()) break;
      if (!played.empty() && random() % 8 == 0) {
        ASSERT_TRUE(engine.MoveBack());
        played.pop_back();
        continue;
      }
      auto from = moves.begin();
      std::advance(from, static_cast<long>(random() % moves.size()));
      auto to = from->second.begin();
      std::advance(to, static_cast<long>(random() % from->second.size()));
      ASSERT_TRUE(engine.PlayMove(SquareOf(from->first), SquareOf(*to)));
      played.emplace_back(from->first, *to);
    }
  }
  EXPECT_GT(positions, 1000);
  EXPECT_GT(checks, 10);
}

// --- How the marks are drawn ---

bool SameCall(const TPaintCall& a, const TPaintCall& b) {
  return a.Kind == b.Kind && a.Picture == b.Picture && a.Pattern == b.Pattern && a.X == b.X && a.Y == b.Y &&
         a.Scale == b.Scale && a.Width == b.Width && a.Height == b.Height && a.Color == b.Color &&
         a.Bottom == b.Bottom && a.Fx == b.Fx && a.Font == b.Font && a.Text == b.Text;
}

// Whether a point drawn lies on square s of the perspective board as drawn (board offset and origin in),
// or in the room its posts take above it.
bool OnFloorOrPosts(const TSceneState& state, int s, double x, double y) {
  constexpr int kPostRoom = 30;
  const TSquareQuad& q = SquareQuad(s);
  const auto b = static_cast<std::size_t>(BackgroundIndex(state));
  const int dx = state.Board.OffsetX[b] + state.OriginX, dy = state.Board.OffsetY[b] + state.OriginY;
  const auto [left, right] = std::minmax({q[0].X, q[1].X, q[2].X, q[3].X});
  const auto [top, bottom] = std::minmax({q[0].Y, q[1].Y, q[2].Y, q[3].Y});
  return x >= left + dx - 1 && x <= right + dx + 1 && y >= top + dy - kPostRoom && y <= bottom + dy;
}

// Whether a rectangle lies inside square s's cell of the classic board drawn at (10, 64).
bool InClassicCell(const TSceneState& state, int s, const TPaintCall& c) {
  const double f = state.BoardSizePercent / 100.0;
  int row = 0, column = 0;
  ClassicCell(state, s, row, column);
  const int left = RoundHalfEven(((column - 1) * 90 + 40) * f) + 10 + state.OriginX;
  const int top = RoundHalfEven(((row - 1) * 90 + 40) * f) + 64 + state.OriginY;
  const int side = RoundHalfEven(90 * f);
  return c.X >= left && c.Y >= top && c.X + c.Width <= left + side && c.Y + c.Height <= top + side;
}

// A check with a selection and all three kinds (the last move's squares c4 and f7, the king in check on
// e8, its targets e7, f8 and f7), on the perspective board and on the turned, smaller marble board, with
// the town's board offset and the scene moved inside the back buffer: the frame with the marks is the
// frame without them plus calls that all fall on the marked squares, each of which gets some, on the
// perspective board and on the classic one.
TEST(SquareMarksTest, MarksAddOnlyTheirOwnCallsOnTheirSquaresOnBothBoards) {
  TChessBrd engine;
  engine.SetZelmarMode(true);
  engine.NewGame();
  for (const char* move : {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5", "c4f7"})
    ASSERT_TRUE(engine.PlayMove(*ParseSquare(std::string(move, 2)), *ParseSquare(std::string(move + 2, 2))));
  for (const int classic : {1, 3}) {
    SCOPED_TRACE(classic);
    TSceneState state = ChoosingWithAll();
    state.Options.Classic = classic;
    state.Options.Inversion = 1;
    state.Options.Background = 2;
    state.BoardSizePercent = 60;
    state.OriginX = 128, state.OriginY = 96;
    state.Board.LoadPosition(engine.Position());
    state.SelectedSquare = Sq("e8");
    state.Marks = FindSquareMarks(engine, state);
    const std::set<int> marked = {Sq("c4"), Sq("f7"), Sq("e8"), Sq("e7"), Sq("f8")};
    std::set<int> all;
    for (int s = 1; s <= 64; ++s)
      if (state.Marks.Marked(s)) all.insert(s);
    ASSERT_EQ(all, marked);
    TSceneState bare = state;
    bare.Marks = TSquareMarks{};
    TFrameRecord with, without;
    DrawFrame(state, with, kLogicalWidth + 256, kLogicalHeight + 192);
    DrawFrame(bare, without, kLogicalWidth + 256, kLogicalHeight + 192);
    const std::vector<TPaintCall> calls = with.Calls(), plain = without.Calls();
    std::size_t next = 0;
    std::set<int> onFloor, inCell;
    for (const TPaintCall& c : calls) {
      if (next < plain.size() && SameCall(c, plain[next])) {
        ++next;
        continue;
      }
      ASSERT_TRUE(c.Kind == TCallKind::FillRect || c.Kind == TCallKind::PutPixel) << c;
      bool placed = false;
      for (int s : marked) {
        if (classic > 1 && c.Kind == TCallKind::FillRect && InClassicCell(state, s, c)) {
          inCell.insert(s);
          placed = true;
        } else if (OnFloorOrPosts(state, s, c.X, c.Y)) {
          onFloor.insert(s);
          placed = true;
        }
      }
      EXPECT_TRUE(placed) << c;
    }
    EXPECT_EQ(next, plain.size()) << "a call of the frame without marks is missing";
    EXPECT_EQ(onFloor, marked);
    if (classic > 1) {
      EXPECT_EQ(inCell, marked);
    }
  }
}

// --- The marks through the real game window ---

// The marked squares of one kind as the game window shows them, by name.
std::set<std::string> Shown(test::TSceneFormRig& rig, TSquareMark mark) {
  std::set<std::string> out;
  for (int s : Squares(rig.State().Marks, mark)) out.insert(SquareName(SquareOf(s)));
  return out;
}

// The squares whose piece differs between two boards of the scene.
std::set<std::string> Changed(const TSceneBoard& before, const TSceneBoard& after) {
  std::set<std::string> out;
  for (int s = 1; s <= 64; ++s)
    if (before.At(s) != after.At(s)) out.insert(SquareName(SquareOf(s)));
  return out;
}

// A Zelmar game opened in check, played on by clicks, taken back and replayed with the arrows: the marks
// are those of the position shown at every step; "None" takes them all away at the next tick.
TEST(SquareMarksTest, MarksFollowMovesTakeBacksAndReplaysInTheGameWindow) {
  using Set = std::set<std::string>;
  test::TSceneFormRig rig;
  rig.Options.Marks = kMarksAll;
  TChessBrd board;
  board.SetZelmarMode(true);
  board.NewGame();
  for (const char* move : {"e2e4", "e7e5", "d1h5", "b8c6", "h5f7"})
    ASSERT_TRUE(board.PlayMove(*ParseSquare(std::string(move, 2)), *ParseSquare(std::string(move + 2, 2))));
  rig.OpenedGame = RecordFromBoard(board);
  rig.Start();
  rig.RunTicks(1);
  // Black to move in check from the Zelmar on f7: the player has Black.
  ASSERT_EQ(rig.State().GameState, TGameState::HumanToMove);
  EXPECT_EQ(Shown(rig, TSquareMark::LastMove), (Set{"h5", "f7"}));
  EXPECT_EQ(Shown(rig, TSquareMark::Check), (Set{"e8"}));
  EXPECT_EQ(Shown(rig, TSquareMark::Target), Set{});
  // The king may take; the Zelmar on d8 may too, by its knight's jump; nothing else answers the check.
  rig.ClickSquare("e8");
  rig.RunTicks(1);
  EXPECT_EQ(Shown(rig, TSquareMark::Target), (Set{"f7"}));
  rig.ClickSquare("d8");
  rig.RunTicks(1);
  EXPECT_EQ(Shown(rig, TSquareMark::Target), (Set{"f7"}));
  // The Zelmar takes; the computer answers; its move is the last one shown.
  ASSERT_TRUE(board.PlayMove(Square::D8, Square::F7));
  TSceneBoard afterCapture;
  afterCapture.LoadPosition(board.Position());
  ASSERT_TRUE(rig.PlayMove("d8", "f7"));
  rig.RunTicks(1);
  const Set reply = Changed(afterCapture, rig.State().Board);
  ASSERT_EQ(reply.size(), 2u) << "a reply that moved one piece";
  EXPECT_EQ(Shown(rig, TSquareMark::LastMove), reply);
  // Back: the player's capture, then the check again; forward: the capture, then the reply.
  rig.PressKey(kKeyLeft);
  EXPECT_EQ(Shown(rig, TSquareMark::LastMove), (Set{"d8", "f7"}));
  EXPECT_EQ(Shown(rig, TSquareMark::Check), Set{});
  rig.PressKey(kKeyLeft);
  EXPECT_EQ(Shown(rig, TSquareMark::LastMove), (Set{"h5", "f7"}));
  EXPECT_EQ(Shown(rig, TSquareMark::Check), (Set{"e8"}));
  rig.PressKey(kKeyRight);
  EXPECT_EQ(Shown(rig, TSquareMark::LastMove), (Set{"d8", "f7"}));
  rig.PressKey(kKeyRight);
  EXPECT_EQ(Shown(rig, TSquareMark::LastMove), reply);
  // "Last Move" keeps the targets away; "None" every mark.
  rig.State().Options.Marks = kMarksLastMove;
  rig.RunTicks(1);
  EXPECT_EQ(Shown(rig, TSquareMark::LastMove), reply);
  rig.State().Options.Marks = kMarksNone;
  rig.RunTicks(1);
  EXPECT_TRUE(rig.State().Marks.Empty());
}

}  // namespace
}  // namespace zelmar::scene
