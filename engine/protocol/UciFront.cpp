// The UCI front: options, positions, searches under a clock or to a depth, and their answers.
#include "engine/protocol/UciFront.h"

#include <algorithm>
#include <cctype>

#include "engine/SearchLevel.h"
#include "engine/protocol/CommandText.h"
#include "engine/protocol/ThinkingText.h"
#include "engine/search/SearchRootText.h"

namespace zelmar {

namespace {

constexpr long long MaxClockMillis = 1000LL * 3600 * 1000;

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// The score part of an info line: centipawns, or mate in moves (negative when mated).
std::string ScoreText(int score) {
  const int plies = MatePlies(score);
  if (plies > 0) return "mate " + std::to_string((plies + 1) / 2);
  if (plies < 0) return "mate -" + std::to_string((-plies + 1) / 2);
  return "cp " + std::to_string(score);
}

}  // namespace

TUciFront::TUciFront(TLineSink out) : Out(std::move(out)) {}

TUciFront::~TUciFront() {
  Shutdown();
}

void TUciFront::Shutdown() {
  {
    std::lock_guard lock(Mutex);
    Hold = false;
    Supervisor.RequestStop();
  }
  Supervisor.Join();
}

void TUciFront::Info(const std::string& text) {
  Out("info string " + text);
}

void TUciFront::WaitIdle(std::unique_lock<std::mutex>& lock) {
  if (Running) {
    Hold = false;
    Supervisor.RequestStop();
    Idle.wait(lock, [this] { return !Running; });
  }
  Held.reset();
}

bool TUciFront::Handle(std::string_view line) {
  std::unique_lock lock(Mutex);
  std::string_view args;
  const std::string_view command = FirstWord(line, args);
  if (command.empty()) return true;
  if (command == "quit") return false;
  if (command == "uci") {
    Identify();
  } else if (command == "isready") {
    Out("readyok");
  } else if (command == "setoption") {
    SetOption(args, lock);
  } else if (command == "ucinewgame") {
    WaitIdle(lock);
    Game.SetZelmarMode(ZelmarVariant);
    Game.NewGame();
  } else if (command == "position") {
    SetPosition(args);
  } else if (command == "go") {
    Go(args, lock);
  } else if (command == "stop") {
    Hold = false;
    if (Running) {
      Supervisor.RequestStop();
    } else if (Held) {
      SendBestMove(*Held);
      Held.reset();
    }
  } else if (command == "ponderhit") {
    Hold = false;
    if (Running) {
      Supervisor.PonderHit(PonderPlan);
    } else if (Held) {
      SendBestMove(*Held);
      Held.reset();
    }
  } else if (command == "debug" || command == "register") {
    // Nothing to do.
  } else {
    Info("unknown command: " + std::string(Trim(line)));
  }
  return true;
}

void TUciFront::Identify() {
  Out("id name Zelmar Chess");
  Out("id author the Zelmar Chess developers");
  Out("option name UCI_Variant type combo default chess var chess var zelmar");
  Out("option name Ponder type check default false");
  Out("option name Level type spin default 0 min 0 max " + std::to_string(kHighestLevel));
  Out("uciok");
}

// setoption name NAME [value VALUE]; names are read without regard to case.
void TUciFront::SetOption(std::string_view args, std::unique_lock<std::mutex>& lock) {
  const std::string text(args);
  const std::string lower = Lower(text);
  const auto valueAt = lower.find(" value ");
  if (!lower.starts_with("name ")) return Info("setoption needs: name NAME value VALUE");
  const std::string name =
      std::string(Trim(lower.substr(5, valueAt == std::string::npos ? std::string::npos : valueAt - 5)));
  const std::string value =
      valueAt == std::string::npos ? std::string() : Lower(Trim(std::string_view(text).substr(valueAt + 7)));
  WaitIdle(lock);
  if (name == "uci_variant") {
    if (value != "chess" && value != "zelmar") return Info("unknown variant: " + value);
    ZelmarVariant = value == "zelmar";
    Game.SetZelmarMode(ZelmarVariant);
    Game.NewGame();
  } else if (name == "ponder") {
    if (value != "true" && value != "false") return Info("Ponder takes true or false, not: " + value);
    PonderOption = value == "true";
  } else if (name == "level") {
    const auto level = ReadInteger(value, 0, kHighestLevel);
    if (!level) return Info("Level takes 0 to " + std::to_string(kHighestLevel) + ", not: " + value);
    Level = static_cast<int>(*level);
  } else {
    Info("unknown option: " + name);
  }
}

// position startpos|fen FEN [moves M...]: set up on a copy, kept only when every part is sound.
void TUciFront::SetPosition(std::string_view args) {
  TProtocolGame next;
  next.SetZelmarMode(ZelmarVariant);
  std::string_view rest;
  const std::string_view kind = FirstWord(args, rest);
  std::string_view moves;
  const auto movesAt = rest.find("moves");
  std::string_view fen = rest;
  if (movesAt != std::string_view::npos) {
    fen = Trim(rest.substr(0, movesAt));
    moves = Trim(rest.substr(movesAt + 5));
  }
  std::string error;
  if (kind == "startpos") {
    if (!fen.empty()) return Info("position refused: unexpected text after startpos: " + std::string(fen));
    next.NewGame();
  } else if (kind == "fen") {
    if (!next.SetFen(fen, error))
      return Info("position refused: bad FEN (" + error + "): " + std::string(fen));
  } else {
    return Info("position refused: expected startpos or fen");
  }
  while (!moves.empty()) {
    std::string_view after;
    const std::string_view move = FirstWord(moves, after);
    if (!next.PlayText(move, error))
      return Info("position refused: illegal move " + std::string(move) + " (" + error + ")");
    moves = after;
  }
  Game = std::move(next);
}

void TUciFront::Go(std::string_view args, std::unique_lock<std::mutex>& lock) {
  // A search stopped just before (a ponder miss) reports first; one never stopped is stopped now.
  WaitIdle(lock);
  // 1. The parameters.
  TClock clocks[2];  // White, Black
  bool haveClock = false, infinite = false, ponder = false;
  std::optional<long long> depth, moveTime;
  while (!args.empty()) {
    std::string_view rest;
    const std::string_view word = FirstWord(args, rest);
    args = rest;
    const auto number = [&](long long low, long long high) -> std::optional<long long> {
      std::string_view after;
      const std::string_view text = FirstWord(args, after);
      args = after;
      const auto value = ReadInteger(text, low, high);
      if (!value) Info("go: bad value for " + std::string(word) + ": " + std::string(text));
      return value;
    };
    if (word == "infinite") {
      infinite = true;
    } else if (word == "ponder") {
      ponder = true;
    } else if (word == "wtime" || word == "btime") {
      if (const auto v = number(-MaxClockMillis, MaxClockMillis)) {
        clocks[word == "wtime" ? 0 : 1].Remaining = TMillis{std::max(0LL, *v)};
        haveClock = true;
      }
    } else if (word == "winc" || word == "binc") {
      if (const auto v = number(0, MaxClockMillis)) clocks[word == "winc" ? 0 : 1].Increment = TMillis{*v};
    } else if (word == "movestogo") {
      if (const auto v = number(1, 10000)) clocks[0].MovesToGo = clocks[1].MovesToGo = static_cast<int>(*v);
    } else if (word == "depth") {
      depth = number(1, MaxSearchDepth);
    } else if (word == "movetime") {
      moveTime = number(1, MaxClockMillis);
    } else if (word == "nodes" || word == "mate") {
      number(0, MaxClockMillis);
      Info("go: " + std::string(word) + " is not supported and was left out");
    } else if (word == "searchmoves") {
      while (!args.empty() && LooksLikeMove(FirstWord(args, rest))) args = rest;
      Info("go: searchmoves is not supported and was left out");
    } else {
      Info("go: unknown parameter left out: " + std::string(word));
    }
  }
  // 2. A position without legal moves has no best move.
  const std::vector<TSearchMove> legal = Game.LegalMoves();
  if (legal.empty()) {
    Info("no legal move in this position");
    Out("bestmove 0000");
    return;
  }
  FirstLegal = legal.front();
  // 3. The limits: a fixed depth (go depth, or the Level option) keeps the clock only as a guard
  //    against losing on time; otherwise the clock plans the move.
  TSearchLimits limits;
  if (!depth && Level > 0) depth = Level;
  limits.Depth = depth ? static_cast<int>(*depth) : MaxSearchDepth;
  const TClock& clock = clocks[Game.WhiteToMove() ? 0 : 1];
  if (moveTime)
    limits.Time = PlanFixed(TMillis{*moveTime});
  else if (haveClock)
    limits.Time = depth ? PlanSafetyOnly(clock) : PlanMove(clock);
  else if (!depth)
    infinite = true;
  limits.Ponder = ponder;
  PonderPlan = limits.Time;
  if (infinite) limits.Time.reset();
  Hold = infinite || ponder;
  Running = true;
  Held.reset();
  // 4. Off it goes; info lines come from the search thread.
  TLineSink out = Out;
  Supervisor.Start(
      Game.SearchRoot(1), limits,
      [out](const TIterationResult& r, TMillis elapsed) {
        const long long ms = std::max<long long>(elapsed.count(), 1);
        out("info depth " + std::to_string(r.Depth) + " score " + ScoreText(r.Score) + " nodes " +
            std::to_string(r.Nodes) + " nps " +
            std::to_string(r.Nodes * 1000 / static_cast<unsigned long long>(ms)) + " time " +
            std::to_string(elapsed.count()) + " pv " + LineText(r));
      },
      [this](const TSearchOutcome& o) { Finish(o); });
}

void TUciFront::Finish(const TSearchOutcome& outcome) {
  std::lock_guard lock(Mutex);
  Running = false;
  if (Hold)
    Held = outcome;
  else
    SendBestMove(outcome);
  Idle.notify_all();
}

void TUciFront::SendBestMove(const TSearchOutcome& outcome) {
  const TIterationResult& r = outcome.Result;
  if (r.Depth == 0 || r.LineLength == 0) {
    Out("bestmove " + MoveToText(FirstLegal));
    return;
  }
  std::string line = "bestmove " + MoveToText(r.Line[0]);
  if (r.LineLength >= 2) line += " ponder " + MoveToText(r.Line[1]);
  Out(line);
}

}  // namespace zelmar
