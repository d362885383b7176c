// games: whole self-played games through the board, its worker and the hand-off, written as PGN, with what
// each game holds (castling, en passant, promotions, its end) and its final placement for outside judges.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"
#include "engine/ComputerPlayer.h"
#include "engine/notation/GameRecord.h"
#include "engine/notation/Pgn.h"
#include "tools/zelmar-engine/BoardFromFen.h"
#include "tools/zelmar-engine/Commands.h"
#include "tools/zelmar-engine/SearchArgs.h"

namespace zelmar {

namespace {

constexpr const char* kUsage =
    "games [--zelmar] --count N [--first-seed S] [--depth D] [--opening MAX] --out FILE";
// Random half-moves before the computer takes over: at least this many, at most the --opening value.
constexpr int kOpeningMin = 2;
constexpr int kDefaultOpeningMax = 10;
// A game still running after this many half-moves is written unfinished.
constexpr int kMaxPlies = 500;
// With no move played for this long the game counts as hung.
constexpr auto kStallLimit = std::chrono::minutes(2);
// One promotion in this many becomes a piece other than the queen.
constexpr unsigned kUnderPromotionOdds = 3;

// What one game held.
struct TGameFeatures {
  int ShortCastles = 0, LongCastles = 0, EnPassants = 0, Promotions = 0;
  bool Over = false;
  int RefusedBeforeEnd = 0;
  std::string FinalPosition;
};

void PlayRandomMoves(TChessBrd& board, std::mt19937& rng, int count) {
  for (int n = 0; n < count; ++n) {
    std::vector<std::pair<Square, Square>> legal;
    for (int from = 1; from <= 64; ++from)
      for (int to = 1; to <= 64; ++to)
        if (board.IsLegalMove(SquareOf(from), SquareOf(to))) legal.emplace_back(SquareOf(from), SquareOf(to));
    if (legal.empty()) return;
    const auto [from, to] = legal[rng() % legal.size()];
    board.MakeMove(from, to);
  }
}

const char* EndWord(TGameEnd end) {
  switch (end) {
    case TGameEnd::Mate:
      return "mate";
    case TGameEnd::Stalemate:
      return "stalemate";
    case TGameEnd::NoMatingMaterial:
      return "no-mating-material";
    case TGameEnd::ThreefoldRepetition:
      return "threefold-repetition";
    case TGameEnd::None:
      break;
  }
  return "unfinished";
}

// Plays one game and returns its record, or nothing with the reason when the board refused a computer move,
// the game stalled, or the notation reused move by move differs from the notation worked out whole.
std::optional<TGameRecord> PlayOneGame(bool zelmar, int depth, int openingMax, unsigned seed,
                                       TGameFeatures& features, std::string& why) {
  std::mt19937 rng(seed);
  TChessBrd board;
  board.OnCastle = [&features](TChessBrd&, Square, Square to) {
    ++(FileOf(to) == 7 ? features.ShortCastles : features.LongCastles);
  };
  board.OnLegalMove = [&features](TChessBrd& b, Square from, Square to) {
    // The en-passant square is still the one the move was played in.
    if ((b.PieceAt(to) | 0x20) == 'p' && to == b.EnPassant() && FileOf(from) != FileOf(to))
      ++features.EnPassants;
  };
  board.OnPromotion = [&features, &rng](TChessBrd&, Square, Square, char& piece) {
    ++features.Promotions;
    piece = rng() % kUnderPromotionOdds == 0 ? "nbr"[rng() % 3] : 'q';
  };
  // The end of the game turns the computer off, as the game does, so that it never searches past the end.
  TChessThread* workerSeen = nullptr;
  const auto gameOver = [&features, &workerSeen](TChessBrd& b) {
    features.Over = true;
    // The worker may still offer a stale move of the finished game, which the board refuses by design.
    if (workerSeen != nullptr) features.RefusedBeforeEnd = workerSeen->MovesRefused();
    b.SetComputerPlaysWhite(false);
    b.SetComputerPlaysBlack(false);
  };
  board.OnMate = [gameOver](TChessBrd& b, Square, Square) { gameOver(b); };
  board.OnDraw = gameOver;
  TChessThread& worker = AttachComputerPlayer(board);
  workerSeen = &worker;
  board.SetZelmarMode(zelmar);
  board.SetSearchDepth(depth);
  board.NewGame();
  PlayRandomMoves(
      board, rng,
      kOpeningMin + static_cast<int>(rng() % static_cast<unsigned>(openingMax - kOpeningMin + 1)));
  TGameRecord record = RecordFromBoard(board);
  if (!features.Over) {
    board.SetComputerPlaysBlack(true);
    board.SetComputerPlaysWhite(true);
  }
  auto lastProgress = std::chrono::steady_clock::now();
  std::size_t seen = record.Moves.size();
  while (!features.Over && record.Moves.size() < kMaxPlies) {
    board.WaitForWorkerCalls(std::chrono::milliseconds(100));
    board.RunPendingCalls();
    if (worker.MovesRefused() > 0 && !features.Over) break;
    // The record is brought up to date after every move, as the game does, reusing the earlier notation.
    record = RecordFromBoard(board, &record);
    if (record.Moves.size() != seen) {
      seen = record.Moves.size();
      lastProgress = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - lastProgress > kStallLimit) {
      break;
    }
  }
  board.StopThinking();
  features.FinalPosition = board.GetPosition();
  const int refused = features.Over ? features.RefusedBeforeEnd : worker.MovesRefused();
  if (refused > 0) why = "the board refused a move of the computer";
  if (!features.Over && record.Moves.size() < kMaxPlies) why = "no move for too long";
  record = RecordFromBoard(board, &record);
  const TGameRecord whole = RecordFromBoard(board);
  for (std::size_t k = 0; k < whole.Moves.size() && why.empty(); ++k) {
    if (whole.Moves.size() != record.Moves.size() || whole.Moves[k].San != record.Moves[k].San)
      why = "move " + std::to_string(k / 2 + 1) + ": reused notation " + record.Moves[k].San + ", whole " +
            whole.Moves[k].San;
  }
  if (why.empty() && whole.End != record.End) why = "the end differs";
  if (!why.empty()) return std::nullopt;
  return record;
}

}  // namespace

// Exit code 0 when every game was played through and written; 1 otherwise.
int RunGames(CommandArgs args) {
  bool zelmar = false;
  int count = 0, depth = 1, openingMax = kDefaultOpeningMax;
  unsigned firstSeed = 1;
  std::string out;
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string_view arg = args[k];
    const bool hasValue = k + 1 < args.size();
    if (arg == "--zelmar") {
      zelmar = true;
    } else if (arg == "--count" && hasValue) {
      count = std::atoi(std::string(args[++k]).c_str());
    } else if (arg == "--first-seed" && hasValue) {
      firstSeed = static_cast<unsigned>(std::atol(std::string(args[++k]).c_str()));
    } else if (arg == "--depth" && hasValue) {
      depth = std::atoi(std::string(args[++k]).c_str());
    } else if (arg == "--opening" && hasValue) {
      openingMax = std::atoi(std::string(args[++k]).c_str());
    } else if (arg == "--out" && hasValue) {
      out = args[++k];
    } else {
      return RefuseUsage("games", "unknown argument '" + std::string(arg) + "'", kUsage);
    }
  }
  if (count < 1 || depth < 1 || depth > 8 || openingMax < kOpeningMin || out.empty())
    return RefuseUsage("games", "bad arguments", kUsage);
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  int status = 0;
  for (int n = 0; n < count; ++n) {
    const unsigned seed = firstSeed + static_cast<unsigned>(n);
    TGameFeatures features;
    std::string why;
    std::optional<TGameRecord> record = PlayOneGame(zelmar, depth, openingMax, seed, features, why);
    if (!record) {
      std::printf("game %d seed %u: FAILED: %s\n", n + 1, seed, why.c_str());
      status = 1;
      continue;
    }
    SetTag(*record, "Event", "zelmar-engine games");
    SetTag(*record, "Site", "-");
    SetTag(*record, "Date", "2026.01.01");
    SetTag(*record, "Round", std::to_string(n + 1));
    SetTag(*record, "White", "Zelmar Chess level " + std::to_string(depth));
    SetTag(*record, "Black", "Zelmar Chess level " + std::to_string(depth));
    file << WritePgn(*record);
    std::printf(
        "game %d seed %u: %s %s plies %zu short-castles %d long-castles %d en-passant %d promotions %d "
        "placement %s\n",
        n + 1, seed, record->Result.c_str(), EndWord(record->End), record->Moves.size(),
        features.ShortCastles, features.LongCastles, features.EnPassants, features.Promotions,
        FenPlacement(features.FinalPosition).c_str());
  }
  file.close();
  if (!file) {
    std::fprintf(stderr, "zelmar-engine games: cannot write %s\n", out.c_str());
    return 1;
  }
  return status;
}

}  // namespace zelmar
