// play: the computer plays both sides of a whole game through the board, its worker and the hand-off.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"
#include "engine/ComputerPlayer.h"
#include "engine/SearchLevel.h"
#include "tools/zelmar-engine/Commands.h"
#include "tools/zelmar-engine/SearchArgs.h"

namespace zelmar {

namespace {

constexpr const char* kUsage = "play [--zelmar] --depth N [--max-moves M] [--opening SEED]";
// Random half-moves played before the computer takes over, when a seed is given.
constexpr int kOpeningMoves = 4;
// With no move played for this long the game counts as hung.
constexpr auto kStallLimit = std::chrono::minutes(5);

std::string Move(Square a, Square b) {
  return SquareName(a) + SquareName(b);
}

// What the game's events have told so far.
struct TGameLog {
  int HalfMoves = 0;
  bool Over = false;
  std::string Result = "unfinished";
};

// Prints every board event of the game and notes the moves and the end.
void Wire(TChessBrd& board, TGameLog& log) {
  board.OnLegalMove = [&log](TChessBrd& b, Square o, Square n) {
    ++log.HalfMoves;
    // The side to move has already flipped: White moved when Black is now to move.
    if (!b.WhiteToMove())
      std::printf("%d. %s\n", (log.HalfMoves + 1) / 2, Move(o, n).c_str());
    else
      std::printf("%d... %s\n", (log.HalfMoves + 1) / 2, Move(o, n).c_str());
  };
  board.OnCapture = [](TChessBrd&, Square, Square n, char piece) {
    std::printf("  capture %c on %s\n", piece, SquareName(n).c_str());
  };
  board.OnCastle = [](TChessBrd&, Square o, Square n) { std::printf("  castle %s\n", Move(o, n).c_str()); };
  board.OnPromotion = [](TChessBrd&, Square, Square n, char& piece) {
    std::printf("  promotion on %s to %c\n", SquareName(n).c_str(), piece);
  };
  board.OnCheck = [](TChessBrd&, Square, Square) { std::printf("  check\n"); };
  board.OnMate = [&log](TChessBrd& b, Square, Square) {
    log.Over = true;
    log.Result = b.WhiteToMove() ? "0-1 mate" : "1-0 mate";
    std::printf("  mate\n");
  };
  board.OnStaleMate = [&log](TChessBrd&, Square, Square) {
    log.Over = true;
    log.Result = "1/2 stalemate";
    std::printf("  stalemate\n");
  };
  board.OnNoMatingMaterial = [](TChessBrd&) { std::printf("  no mating material\n"); };
  board.OnThreefoldPosition = [](TChessBrd&) { std::printf("  threefold position\n"); };
  board.OnDraw = [&log](TChessBrd&) {
    log.Over = true;
    if (log.Result == "unfinished") log.Result = "1/2 draw";
    std::printf("  draw\n");
  };
}

// Plays a few random legal moves (the same ones for the same seed) so that games differ.
void PlayRandomOpening(TChessBrd& board, unsigned seed) {
  std::mt19937 rng(seed);
  for (int n = 0; n < kOpeningMoves; ++n) {
    std::vector<std::pair<Square, Square>> legal;
    for (int from = 1; from <= 64; ++from)
      for (int to = 1; to <= 64; ++to)
        if (board.IsLegalMove(static_cast<Square>(from), static_cast<Square>(to)))
          legal.emplace_back(static_cast<Square>(from), static_cast<Square>(to));
    if (legal.empty()) return;
    const auto [from, to] = legal[rng() % legal.size()];
    board.MakeMove(from, to);
  }
}

}  // namespace

// Exit code 0 for a finished (or move-limited) game; 1 when the board refused a move of the computer
// or the game stalled.
int RunPlay(CommandArgs args) {
  TSearchArgs a;
  std::string error;
  if (!ParseSearchArgs(args, "--zelmar --depth --max-moves --opening", kHighestLevel, a, error))
    return RefuseUsage("play", error, kUsage);
  TChessBrd board;
  TGameLog log;
  Wire(board, log);
  TChessThread& worker = AttachComputerPlayer(board);
  // 1. The game's new-game sequence, then the computer on both sides.
  board.SetZelmarMode(a.Zelmar);
  board.SetSearchDepth(a.Depth);
  board.NewGame();
  if (a.Opening) PlayRandomOpening(board, static_cast<unsigned>(a.Opening));
  board.SetComputerPlaysBlack(true);
  board.SetComputerPlaysWhite(true);
  std::printf("zelmar-engine play: %s, depth %d\n", a.Zelmar ? "Zelmar mode" : "standard chess", a.Depth);
  // 2. The main thread's loop: run the worker's calls until the game ends, the limit, or a stall.
  auto lastProgress = std::chrono::steady_clock::now();
  int seenMoves = 0;
  int result = 0;
  while (!log.Over && (a.MaxMoves == 0 || log.HalfMoves < a.MaxMoves)) {
    board.WaitForWorkerCalls(std::chrono::milliseconds(100));
    board.RunPendingCalls();
    if (worker.MovesRefused() > 0) {
      std::printf("refused move: the board did not accept the computer's move\n");
      result = 1;
      break;
    }
    if (log.HalfMoves != seenMoves) {
      seenMoves = log.HalfMoves;
      lastProgress = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - lastProgress > kStallLimit) {
      std::printf(
          "stalled: no move for %lld s\n",
          static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(kStallLimit).count()));
      result = 1;
      break;
    }
  }
  // 3. Park the worker before the board goes, and report.
  board.StopThinking();
  std::printf("result: %s after %d half-moves\n", log.Result.c_str(), log.HalfMoves);
  return result;
}

}  // namespace zelmar
