// level-bench: what the player feels at one level. Replays the fixed games through the real board, the
// worker and the hand-off, once as the computer played before it thought ahead and once with pondering
// and the early start on, with a player who thinks S seconds before each move. For each computer move
// it measures the wait from the player's move being certain to the computer's move arriving, and it
// checks that both runs gave the same moves and node counts. With --hints the run thinking ahead also asks
// for a hint at each of the player's turns, as the key H does, and measures its wait.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"
#include "engine/ComputerPlayer.h"
#include "engine/PowerSupply.h"
#include "engine/SearchLevel.h"
#include "tools/level-bench/LevelGames.h"

using namespace zelmar;
using namespace zelmar::levelbench;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kUsage =
    "level-bench [--level N] [--think S] [--glide S] [--moves M] [--replies R] [--games LIST] [--hints 0|1]\n"
    "  --level N     search depth %d..%d (default %d)\n"
    "  --think S     seconds the player thinks before each move (default 5)\n"
    "  --glide S     seconds the player's figure glides before the move is played (default 0.5)\n"
    "  --moves M     player moves per game at most (default 30)\n"
    "  --replies R   player replies pondered at once, 1 or 2 (default 2)\n"
    "  --games LIST  comma-separated game numbers 1..8 (default all)\n"
    "  --hints 0|1   with 1, a hint is asked at each of the player's turns while thinking ahead (default "
    "0)\n";
// A computer move that has not come after this long counts as hung.
constexpr auto kHangLimit = std::chrono::minutes(30);

struct TOptions {
  int Level = kHighestLevel;
  double Think = 5;
  double Glide = 0.5;
  int Moves = 30;
  int Replies = TChessThread::kMaxPonderReplies;
  std::vector<int> Games;
  bool Hints = false;
};

struct TComputerMove {
  int From, To;
  std::uint64_t Nodes;
  int Score;
  bool operator==(const TComputerMove& o) const {
    return From == o.From && To == o.To && Nodes == o.Nodes && Score == o.Score;
  }
};

struct TRun {
  std::vector<TComputerMove> Moves;  // every computer move, the first of a computer playing White too
  std::vector<double> Waits;         // seconds from the player's move being certain to the reply
  std::vector<double> Searches;      // seconds from the move played to the reply
  std::vector<double> HintWaits;     // seconds from a hint asked to its arrival
  int Answered = 0;                  // player moves the computer answered
  int Met = 0;                       // of them, a reply being pondered
  int MetOther = 0;                  // of them, the best other reply
  int Ahead = 0;                     // searches started ahead
  int TakenOver = 0;
  double AheadCpu = 0;
};

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// The main thread's loop: runs the worker's calls until the condition holds or the time is up.
bool RunUntil(TChessBrd& board, const std::function<bool()>& done, Clock::duration limit) {
  const auto end = Clock::now() + limit;
  while (!done()) {
    const auto now = Clock::now();
    if (now >= end) return false;
    board.WaitForWorkerCalls(
        std::min(std::chrono::milliseconds(5), std::chrono::ceil<std::chrono::milliseconds>(end - now)));
    board.RunPendingCalls();
  }
  return true;
}

Clock::duration Span(double seconds) {
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

// Plays one game. Without thinking ahead nothing runs while the player thinks or the figure glides, so
// that run skips both and adds the glide to the wait; with it, both take their real time.
TRun PlayGame(const TLevelGame& game, const TOptions& o, bool ahead) {
  TChessBrd board;
  TChessThread& worker = AttachComputerPlayer(board);
  worker.SetPondering(ahead);
  worker.SetEarlyStart(ahead);
  worker.SetPonderReplies(o.Replies);
  TRun run;
  int halfMoves = 0;
  bool over = false;
  Clock::time_point arrived;
  board.OnLegalMove = [&](TChessBrd&, Square a, Square b) {
    ++halfMoves;
    arrived = Clock::now();
    if (board.WhiteToMove() == game.PlayerWhite)  // the computer just moved
      run.Moves.push_back({Ord(a), Ord(b), 0, 0});
  };
  board.OnMate = board.OnStaleMate = [&](TChessBrd&, Square, Square) { over = true; };
  board.OnDraw = [&](TChessBrd&) { over = true; };
  board.SetSearchDepth(o.Level);
  board.SetZelmarMode(game.Zelmar);
  board.NewGame();
  const auto resting = [&] { return worker.Parked() && !worker.CallPending(); };
  const auto noteResult = [&] {
    if (run.Moves.empty()) return;
    const TWorkerCounts counts = worker.Counts();
    run.Moves.back().Nodes = counts.LastNodes;
    run.Moves.back().Score = counts.LastScore;
  };
  if (game.PlayerWhite) {
    board.SetComputerPlaysBlack(true);
  } else {
    board.SetComputerPlaysWhite(true);
    if (!RunUntil(
            board, [&] { return halfMoves == 1 && resting(); }, kHangLimit))
      std::exit(2);
    noteResult();
  }
  for (int turn = 0; turn < o.Moves && !over; ++turn) {
    Square from, to;
    if (!PlayerMove(game, turn, board, from, to)) break;
    if (ahead && o.Hints) {
      bool hinted = false;
      board.OnHint = [&](TChessBrd&, Square, Square, char) { hinted = true; };
      const auto asked = Clock::now();
      if (board.AskHint()) {
        if (!RunUntil(
                board, [&] { return hinted; }, kHangLimit)) {
          std::fprintf(stderr, "level-bench: no hint in game %s\n", game.Name);
          std::exit(2);
        }
        run.HintWaits.push_back(Seconds(Clock::now() - asked));
      }
    }
    if (ahead)
      RunUntil(
          board, [] { return false; }, Span(o.Think));
    const auto certain = Clock::now();
    if (ahead) {
      board.AnticipateMove(from, to);
      RunUntil(
          board, [] { return false; }, Span(o.Glide));
    }
    const auto played = Clock::now();
    const int before = halfMoves;
    if (!board.MakeMove(from, to)) break;
    if (!RunUntil(
            board, [&] { return (over || halfMoves == before + 2) && resting(); }, kHangLimit)) {
      std::fprintf(stderr, "level-bench: no reply in game %s\n", game.Name);
      std::exit(2);
    }
    if (halfMoves != before + 2) break;  // the player's move ended the game
    noteResult();
    ++run.Answered;
    run.Searches.push_back(Seconds(arrived - played));
    run.Waits.push_back(Seconds(arrived - certain) + (ahead ? 0 : o.Glide));
  }
  const TWorkerCounts counts = worker.Counts();
  run.Met = counts.PredictionsMet;
  run.MetOther = counts.AlternativesMet;
  run.Ahead = counts.Ahead;
  run.TakenOver = counts.TakenOver;
  run.AheadCpu = worker.AheadCpuSeconds();
  return run;
}

// The value below which the given share of the sorted values lie (nearest rank).
double Quantile(std::vector<double> v, double share) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  std::size_t k = static_cast<std::size_t>(share * static_cast<double>(v.size()) + 0.999999);
  k = std::clamp<std::size_t>(k, 1, v.size());
  return v[k - 1];
}

void PrintRow(const char* name, const std::vector<double>& v) {
  std::printf("%-28s %8.3f %8.3f %8.3f\n", name, Quantile(v, 0.5), Quantile(v, 0.9),
              v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
}

bool ParseArgs(int argc, char** argv, TOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) return false;
    const char* v = argv[++i];
    char* end = nullptr;
    if (a == "--level") {
      o.Level = static_cast<int>(std::strtol(v, &end, 10));
      if (*end || o.Level < kLowestLevel || o.Level > kHighestLevel) return false;
    } else if (a == "--think" || a == "--glide") {
      const double s = std::strtod(v, &end);
      if (*end || s < 0 || s > 600) return false;
      (a == "--think" ? o.Think : o.Glide) = s;
    } else if (a == "--moves") {
      o.Moves = static_cast<int>(std::strtol(v, &end, 10));
      if (*end || o.Moves < 1) return false;
    } else if (a == "--replies") {
      o.Replies = static_cast<int>(std::strtol(v, &end, 10));
      if (*end || o.Replies < 1 || o.Replies > TChessThread::kMaxPonderReplies) return false;
    } else if (a == "--hints") {
      const std::string flag = v;
      if (flag != "0" && flag != "1") return false;
      o.Hints = flag == "1";
    } else if (a == "--games") {
      for (std::string list = v; !list.empty();) {
        const std::size_t comma = list.find(',');
        const std::string item = list.substr(0, comma);
        const long n = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end || n < 1 || n > static_cast<long>(LevelGames().size())) return false;
        o.Games.push_back(static_cast<int>(n));
        list = comma == std::string::npos ? "" : list.substr(comma + 1);
      }
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions o;
  if (!ParseArgs(argc, argv, o)) {
    std::fprintf(stderr, kUsage, kLowestLevel, kHighestLevel, kHighestLevel);
    return 64;
  }
  if (o.Games.empty())
    for (std::size_t g = 1; g <= LevelGames().size(); ++g) o.Games.push_back(static_cast<int>(g));
  std::printf("level %d, the player thinks %.2f s and the figure glides %.2f s; %d %s pondered; %zu games\n",
              o.Level, o.Think, o.Glide, o.Replies, o.Replies == 1 ? "reply" : "replies", o.Games.size());
  const std::filesystem::path power = PowerSupplyFolder();
  std::printf("power supply %s: %s\n", power.c_str(),
              OnBattery(power) ? "on battery, no search starts ahead" : "mains");
  TRun off, on;
  int compared = 0, differing = 0;
  for (const int g : o.Games) {
    const TLevelGame& game = LevelGames()[static_cast<std::size_t>(g - 1)];
    const TRun a = PlayGame(game, o, false);
    const TRun b = PlayGame(game, o, true);
    const std::size_t n = std::min(a.Moves.size(), b.Moves.size());
    int differ = static_cast<int>(std::max(a.Moves.size(), b.Moves.size()) - n);
    for (std::size_t i = 0; i < n; ++i) differ += a.Moves[i] == b.Moves[i] ? 0 : 1;
    compared += static_cast<int>(n);
    differing += differ;
    std::printf("game %d (%s): %zu computer moves, %d met of %d, %s\n", g, game.Name, n, b.Met, b.Answered,
                differ == 0 ? "identical" : "DIFFERENT");
    std::fflush(stdout);
    for (const TRun* r : {&a, &b}) {
      TRun& sum = r == &a ? off : on;
      sum.Waits.insert(sum.Waits.end(), r->Waits.begin(), r->Waits.end());
      sum.Searches.insert(sum.Searches.end(), r->Searches.begin(), r->Searches.end());
      sum.HintWaits.insert(sum.HintWaits.end(), r->HintWaits.begin(), r->HintWaits.end());
      sum.Answered += r->Answered;
      sum.Met += r->Met;
      sum.MetOther += r->MetOther;
      sum.Ahead += r->Ahead;
      sum.TakenOver += r->TakenOver;
      sum.AheadCpu += r->AheadCpu;
    }
  }
  std::printf("\n%-28s %8s %8s %8s\n", "seconds", "median", "p90", "worst");
  PrintRow("plain search", off.Searches);
  PrintRow("wait, thinking ahead off", off.Waits);
  PrintRow("wait, thinking ahead on", on.Waits);
  if (o.Hints) PrintRow("hint", on.HintWaits);
  const double share = on.Answered ? 100.0 * on.Met / on.Answered : 0;
  std::printf(
      "predicted replies: %d of %d (%.0f%%, %d of them the other reply); searches started ahead: %d, "
      "taken over: %d; CPU of searches ahead: %.1f s\n",
      on.Met, on.Answered, share, on.MetOther, on.Ahead, on.TakenOver, on.AheadCpu);
  if (differing == 0) {
    std::printf("%d moves compared, all identical\n", compared);
    return 0;
  }
  std::printf("%d moves compared, %d differ\n", compared, differing);
  return 1;
}
