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
  } else if (command == "stop" || command == "ponderhit") {
    EndHold(command == "ponderhit");
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
  TGoParameters go = ParseGo(args);
  for (const std::string& note : go.Notes) Info(note);
  // A position without legal moves has no best move.
  const std::vector<TSearchMove> legal = Game.LegalMoves();
  if (legal.empty()) {
    Info("no legal move in this position");
    Out("bestmove 0000");
    return;
  }
  FirstLegal = legal.front();
  TSearchLimits limits = Limits(go);
  PonderPlan = limits.Time;
  if (go.Infinite) limits.Time.reset();
  Hold = go.Infinite || go.Ponder;
  Running = true;
  Held.reset();
  // Off it goes; info lines come from the search thread.
  Supervisor.Start(Game.SearchRoot(1), limits, ThinkingOutput(),
                   [this](const TSearchOutcome& o) { Finish(o); });
}

// A fixed depth (go depth, or the Level option) keeps the clock only as a guard against losing on
// time; otherwise the clock plans the move, and with neither the search runs until stop.
TSearchLimits TUciFront::Limits(TGoParameters& go) const {
  if (!go.Depth && Level > 0) go.Depth = Level;
  TSearchLimits limits;
  limits.Depth = DepthOrDeepest(go.Depth.value_or(0));
  const TClock& clock = go.Clocks[Game.WhiteToMove() ? 0 : 1];
  if (go.MoveTime)
    limits.Time = PlanFixed(TMillis{*go.MoveTime});
  else if (go.HaveClock)
    limits.Time = go.Depth ? PlanSafetyOnly(clock) : PlanMove(clock);
  else if (!go.Depth)
    go.Infinite = true;
  limits.Ponder = go.Ponder;
  return limits;
}

// The info line of a completed iteration: depth, score, nodes, speed, time and line.
TSearchSupervisor::TIterationFn TUciFront::ThinkingOutput() const {
  TLineSink out = Out;
  return [out](const TIterationResult& r, TMillis elapsed) {
    const long long ms = std::max<long long>(elapsed.count(), 1);
    out("info depth " + std::to_string(r.Depth) + " score " + ScoreText(r.Score) + " nodes " +
        std::to_string(r.Nodes) + " nps " +
        std::to_string(r.Nodes * 1000 / static_cast<unsigned long long>(ms)) + " time " +
        std::to_string(elapsed.count()) + " pv " + LineText(r));
  };
}

// stop and ponderhit: a held answer goes out now; a running search stops, or after ponderhit runs on
// under the clock the go gave it.
void TUciFront::EndHold(bool ponderHit) {
  Hold = false;
  if (Running) {
    if (ponderHit)
      Supervisor.PonderHit(PonderPlan);
    else
      Supervisor.RequestStop();
  } else if (Held) {
    SendBestMove(*Held);
    Held.reset();
  }
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
