// pgn-bench: what keeping a game as PGN costs. A game of 200 moves is played move by move, and after each
// move its record is brought up to date (reusing the notation of the record before) and written whole, as the
// game does after every move: mean and worst microseconds, over the whole game and over its last moves. Then
// a file of 1,000 games is read: milliseconds in all and per game.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "engine/ChessBrd.h"
#include "engine/notation/GameRecord.h"
#include "engine/notation/Pgn.h"

using namespace zelmar;

namespace {

using TClock = std::chrono::steady_clock;

constexpr int kGamePlies = 400;      // 200 moves
constexpr int kLastPlies = 20;       // the end of the game, where the record is longest
constexpr int kFileGames = 1000;     // games in the file read
constexpr int kFileGamePlies = 120;  // half-moves of each of them, at most
constexpr unsigned kSeed = 29;

double Microseconds(TClock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

// A random legal line of `plies` half-moves that the rules do not end on the way (a move that would end the
// game is taken back and another tried), or shorter when no such move is left.
std::vector<std::pair<Square, Square>> RandomLine(bool zelmar, int plies, std::mt19937& rng) {
  TChessBrd board;
  board.SetZelmarMode(zelmar);
  board.NewGame();
  std::vector<std::pair<Square, Square>> line;
  while (static_cast<int>(line.size()) < plies) {
    std::vector<std::pair<Square, Square>> legal;
    for (int from = 1; from <= 64; ++from)
      for (int to = 1; to <= 64; ++to)
        if (board.IsLegalMove(SquareOf(from), SquareOf(to))) legal.emplace_back(SquareOf(from), SquareOf(to));
    std::shuffle(legal.begin(), legal.end(), rng);
    bool played = false;
    for (const auto& [from, to] : legal) {
      board.PlayMove(from, to);
      if (LineEnd(board) == TGameEnd::None) {
        line.emplace_back(from, to);
        played = true;
        break;
      }
      board.MoveBack();
    }
    if (!played) break;
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  const bool zelmar = argc > 1 && std::string(argv[1]) == "--zelmar";
  std::mt19937 rng(kSeed);
  // 1. The game written after every move.
  const std::vector<std::pair<Square, Square>> line = RandomLine(zelmar, kGamePlies, rng);
  TChessBrd board;
  board.SetZelmarMode(zelmar);
  board.NewGame();
  TGameRecord record = RecordFromBoard(board);
  SetTag(record, "Event", "Zelmar Chess game");
  SetTag(record, "White", "Player");
  SetTag(record, "Black", "Zelmar Chess level 5");
  record.LeadComment = "[%zelmar-search 0123456789abcdef 0123456789abcdef 0123456789abcdef]";
  std::vector<double> costs;
  std::size_t bytes = 0;
  for (const auto& [from, to] : line) {
    board.PlayMove(from, to);
    const TClock::time_point start = TClock::now();
    record = RecordFromBoard(board, &record);
    const std::string text = WritePgn(record);
    costs.push_back(Microseconds(TClock::now() - start));
    bytes = text.size();
  }
  if (costs.empty()) return 1;
  double sum = 0, worst = 0, lastSum = 0, lastWorst = 0;
  for (std::size_t k = 0; k < costs.size(); ++k) {
    sum += costs[k];
    worst = std::max(worst, costs[k]);
    if (k + kLastPlies >= costs.size()) {
      lastSum += costs[k];
      lastWorst = std::max(lastWorst, costs[k]);
    }
  }
  const std::size_t last = std::min<std::size_t>(kLastPlies, costs.size());
  std::printf("%s game of %zu half-moves (%zu bytes of PGN at the end)\n", zelmar ? "zelmar" : "standard",
              costs.size(), bytes);
  std::vector<double> sorted = costs;
  std::sort(sorted.begin(), sorted.end());
  const double p99 = sorted[sorted.size() * 99 / 100];
  std::printf(
      "record brought up to date and written after each move: mean %.1f us, 99th percentile %.1f us, "
      "worst %.1f us\n",
      sum / static_cast<double>(costs.size()), p99, worst);
  std::printf("over the last %zu half-moves: mean %.1f us, worst %.1f us\n", last,
              lastSum / static_cast<double>(last), lastWorst);
  // 2. A file of many games read.
  std::string file;
  for (int n = 0; n < kFileGames; ++n) {
    TChessBrd game;
    game.SetZelmarMode(zelmar);
    game.NewGame();
    for (const auto& [from, to] : RandomLine(zelmar, kFileGamePlies, rng)) game.PlayMove(from, to);
    file += WritePgn(RecordFromBoard(game));
  }
  const TClock::time_point start = TClock::now();
  const std::vector<TPgnGame> games = ReadPgn(file);
  const double ms = Microseconds(TClock::now() - start) / 1000.0;
  std::size_t read = 0;
  for (const TPgnGame& game : games) read += game.Game ? 1 : 0;
  std::printf("read %zu of %d games (%zu bytes) in %.1f ms, %.3f ms a game\n", read, kFileGames, file.size(),
              ms, ms / kFileGames);
  return read == static_cast<std::size_t>(kFileGames) ? 0 : 1;
}
