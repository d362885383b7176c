// The CECP front: commands, the game's state between them, thinking, pondering and moves.
#include "engine/protocol/CecpFront.h"

#include <cmath>

#include "engine/protocol/CommandText.h"
#include "engine/protocol/ThinkingText.h"
#include "engine/search/SearchRootText.h"

namespace zelmar {

namespace {

// Mate in N moves is told as 100000 + N, being mated in N as -100000 - N.
constexpr int CecpMateBase = 100000;
// Thinking time when the GUI has given neither a clock nor a depth.
constexpr TMillis DefaultMoveTime{5000};
constexpr long long MaxClockCentiseconds = 1000LL * 3600 * 100;
constexpr double MaxSeconds = 1000.0 * 3600;

int CecpScore(int score) {
  const int plies = MatePlies(score);
  if (plies > 0) return CecpMateBase + (plies + 1) / 2;
  if (plies < 0) return -CecpMateBase - (-plies + 1) / 2;
  return score;
}

// Base time of the level command: minutes, or minutes:seconds.
std::optional<TMillis> ReadBaseTime(std::string_view text) {
  const auto colon = text.find(':');
  const auto minutes = ReadInteger(text.substr(0, colon), 0, 100000);
  if (!minutes) return std::nullopt;
  long long seconds = 0;
  if (colon != std::string_view::npos) {
    const auto s = ReadInteger(text.substr(colon + 1), 0, 59);
    if (!s) return std::nullopt;
    seconds = *s;
  }
  return TMillis{(*minutes * 60 + seconds) * 1000};
}

}  // namespace

TCecpFront::TCecpFront(TLineSink out) : Out(std::move(out)) {}

TCecpFront::~TCecpFront() {
  Shutdown();
}

bool TCecpFront::Handle(std::string_view line) {
  std::unique_lock lock(Mutex);
  std::string_view args;
  const std::string_view command = FirstWord(line, args);
  if (command.empty()) return true;
  if (command == "quit") return false;
  Dispatch(command, args, lock);
  return true;
}

void TCecpFront::Shutdown() {
  {
    std::lock_guard lock(Mutex);
    Discard = true;
    for (TSearchSupervisor& s : Supervisors) s.RequestStop();
  }
  for (TSearchSupervisor& s : Supervisors) s.Join();
}

void TCecpFront::Error(std::string_view kind, std::string_view command) {
  Out("Error (" + std::string(kind) + "): " + std::string(command));
}

// One command line's parts for its handler; the lock is held and released only while waiting for a search.
struct TCecpFront::TCommand {
  std::string_view Name;
  std::string_view Args;
  std::unique_lock<std::mutex>& Lock;
  // The command as received, for error replies.
  std::string Whole() const {
    return Args.empty() ? std::string(Name) : std::string(Name) + " " + std::string(Args);
  }
};

// The handler of each command; commands that share one tell themselves apart by name.
const TCecpFront::THandler* TCecpFront::FindHandler(std::string_view name) {
  static constexpr THandler kIgnore = [](TCecpFront&, const TCommand&) {};
  static constexpr std::pair<std::string_view, THandler> kHandlers[] = {
      {"protover", [](TCecpFront& f, const TCommand&) { f.SendFeatures(); }},
      {"usermove", [](TCecpFront& f, const TCommand& c) { f.UserMove(c.Args, c.Lock); }},
      {"ping", [](TCecpFront& f, const TCommand& c) { f.Ping(c); }},
      {"?",
       [](TCecpFront& f, const TCommand&) {
         if (f.Activity == TActivity::Thinking) f.Supervisors[f.ActiveSlot].RequestStop();
       }},
      {"new", [](TCecpFront& f, const TCommand& c) { f.New(c); }},
      {"variant",
       [](TCecpFront& f, const TCommand& c) {
         f.Halt(c.Lock);
         if (c.Args == "normal" || c.Args == "zelmar")
           f.SetVariant(c.Args);
         else
           f.Error("unknown variant", c.Whole());
       }},
      {"force",
       [](TCecpFront& f, const TCommand& c) {
         f.Halt(c.Lock);
         f.Force = true;
       }},
      {"go",
       [](TCecpFront& f, const TCommand& c) {
         f.Halt(c.Lock);
         f.Force = false;
         f.EngineWhite = f.Game.WhiteToMove();
         f.StartThinking();
       }},
      {"setboard",
       [](TCecpFront& f, const TCommand& c) {
         f.Halt(c.Lock);
         std::string error;
         if (!f.Game.SetFen(c.Args, error)) f.Error("bad FEN: " + error, c.Whole());
       }},
      {"undo", [](TCecpFront& f, const TCommand& c) { f.TakeBack(c, 1); }},
      {"remove", [](TCecpFront& f, const TCommand& c) { f.TakeBack(c, 2); }},
      {"sd",
       [](TCecpFront& f, const TCommand& c) {
         const auto depth = ReadInteger(c.Args, 1, MaxSearchDepth);
         if (!depth) return f.Error("depth must be 1 to " + std::to_string(MaxSearchDepth), c.Whole());
         f.DepthLimit = static_cast<int>(*depth);
       }},
      {"st",
       [](TCecpFront& f, const TCommand& c) {
         const auto seconds = ReadDecimal(c.Args, MaxSeconds);
         if (!seconds || *seconds <= 0) return f.Error("bad time", c.Whole());
         f.FixedTime = TMillis{static_cast<long long>(std::llround(*seconds * 1000))};
       }},
      {"level", [](TCecpFront& f, const TCommand& c) { f.TimeControl(c); }},
      {"time", [](TCecpFront& f, const TCommand& c) { f.Clock(c); }},
      {"otim", [](TCecpFront& f, const TCommand& c) { f.Clock(c); }},
      {"hard", [](TCecpFront& f, const TCommand&) { f.Ponder = true; }},
      {"easy",
       [](TCecpFront& f, const TCommand& c) {
         if (f.Activity == TActivity::Pondering) f.Halt(c.Lock);
         f.Ponder = false;
       }},
      {"post", [](TCecpFront& f, const TCommand&) { f.Post = true; }},
      {"nopost", [](TCecpFront& f, const TCommand&) { f.Post = false; }},
      {"result",
       [](TCecpFront& f, const TCommand& c) {
         f.Halt(c.Lock);
         f.Force = true;
       }},
      // Known, and nothing to do here.
      {"xboard", kIgnore},
      {"accepted", kIgnore},
      {"rejected", kIgnore},
      {"random", kIgnore},
      {"computer", kIgnore},
      {"name", kIgnore},
      {"rating", kIgnore},
      {"ics", kIgnore},
      {"draw", kIgnore},
      {"hint", kIgnore},
      {"bk", kIgnore},
      {"white", kIgnore},
      {"black", kIgnore},
      {"memory", kIgnore},
      {"cores", kIgnore},
      {"egtpath", kIgnore},
      {"nps", kIgnore},
      {".", kIgnore},
      {"option", kIgnore},
  };
  for (const auto& [command, handler] : kHandlers)
    if (command == name) return &handler;
  return nullptr;
}

// One command with its arguments: its handler, else a move in coordinate form, else an error.
void TCecpFront::Dispatch(std::string_view command, std::string_view args,
                          std::unique_lock<std::mutex>& lock) {
  const TCommand c{command, args, lock};
  if (const THandler* handler = FindHandler(command))
    (*handler)(*this, c);
  else if (LooksLikeMove(command) && args.empty())
    UserMove(command, lock);
  else
    Error("unknown command", c.Whole());
}

// Answered at once, pondering included; while the engine thinks on its move, after the move.
void TCecpFront::Ping(const TCommand& c) {
  if (!ReadInteger(c.Args, -2147483647LL, 2147483647LL)) return Error("bad number", c.Whole());
  PendingPongs.push_back("pong " + std::string(c.Args));
  if (Activity != TActivity::Thinking) SendPendingPongs();
}

void TCecpFront::New(const TCommand& c) {
  Halt(c.Lock);
  Game.SetZelmarMode(false);
  Game.NewGame();
  Force = false;
  EngineWhite = false;
  DepthLimit = 0;
  EngineClock.reset();
}

// undo takes back one move, remove two (the engine's and the player's).
void TCecpFront::TakeBack(const TCommand& c, int count) {
  Halt(c.Lock);
  if (Game.MovesPlayed() < count) return Error("command not legal now", c.Whole());
  for (int i = 0; i < count; ++i) Game.Undo();
}

// level MPS BASE INC: moves per control (0 for the whole game), base time, increment in seconds.
void TCecpFront::TimeControl(const TCommand& c) {
  std::string_view rest;
  const auto mps = ReadInteger(FirstWord(c.Args, rest), 0, 10000);
  std::string_view incText;
  const auto base = ReadBaseTime(FirstWord(rest, incText));
  const auto inc = ReadDecimal(incText, MaxSeconds);
  if (!mps || !base || !inc) return Error("bad time control", c.Whole());
  MovesPerControl = static_cast<int>(*mps);
  Increment = TMillis{static_cast<long long>(std::llround(*inc * 1000))};
  FixedTime = TMillis{0};
}

// time and otim in centiseconds; only the engine's own clock is kept.
void TCecpFront::Clock(const TCommand& c) {
  const auto cs = ReadInteger(c.Args, -MaxClockCentiseconds, MaxClockCentiseconds);
  if (!cs) return Error("bad time", c.Whole());
  if (c.Name == "time") EngineClock = TMillis{std::max(0LL, *cs) * 10};
}

void TCecpFront::SendPendingPongs() {
  for (const std::string& pong : PendingPongs) Out(pong);
  PendingPongs.clear();
}

void TCecpFront::SendFeatures() {
  Out("feature myname=\"Zelmar Chess\" ping=1 setboard=1 usermove=1 playother=0 san=0 time=1 draw=0 "
      "sigint=0 sigterm=0 reuse=1 analyze=0 colors=0 name=0 pause=0 nps=0 debug=0 memory=0 smp=0 "
      "exclude=0 variants=\"normal,zelmar\"");
  Out("feature done=1");
}

// Standard chess, or the Zelmar variant, which the GUI learns from the setup and piece commands so
// that it checks every move itself: the queen letters stand for the Zelmar, a queen plus a knight.
void TCecpFront::SetVariant(std::string_view name) {
  Game.SetZelmarMode(name == "zelmar");
  Game.NewGame();
  if (name != "zelmar") return;
  Out("setup (PNBRQKpnbrqk) 8x8+0_fairy " + std::string(StartFen));
  Out("piece Q& QN");
}

void TCecpFront::UserMove(std::string_view text, std::unique_lock<std::mutex>& lock) {
  std::string error;
  TSearchMove move;
  // 1. The reply the ponder search expected: its search becomes the real one.
  const bool hit = Game.FindMove(text, move, error) && move == ExpectedMove &&
                   (Activity == TActivity::Pondering || PonderOutcome);
  if (hit && !Force) {
    Game.Play(move);
    ExpectedMove = {};
    if (PonderOutcome) {
      const TSearchOutcome outcome = *PonderOutcome;
      PonderOutcome.reset();
      PlayAnswer(outcome);
      return;
    }
    Activity = TActivity::Thinking;
    Supervisors[ActiveSlot].PonderHit(PlanThisMove());
    return;
  }
  // 2. Anything else: end a ponder (or an unexpected) search first.
  Halt(lock);
  if (!Game.PlayText(text, error)) {
    Out("Illegal move (" + error + "): " + std::string(text));
    return;
  }
  if (!Force && Game.WhiteToMove() == EngineWhite) StartThinking();
}

std::optional<TTimePlan> TCecpFront::PlanThisMove() const {
  if (FixedTime.count() > 0) return PlanFixed(FixedTime);
  if (EngineClock) {
    TClock clock;
    clock.Remaining = *EngineClock;
    clock.Increment = Increment;
    if (MovesPerControl > 0) clock.MovesToGo = MovesPerControl - (Game.MovesPlayed() / 2) % MovesPerControl;
    return DepthLimit ? PlanSafetyOnly(clock) : PlanMove(clock);
  }
  if (DepthLimit) return std::nullopt;
  return PlanFixed(DefaultMoveTime);
}

TSearchLimits TCecpFront::Limits() const {
  TSearchLimits limits;
  limits.Depth = DepthOrDeepest(DepthLimit);
  limits.Time = PlanThisMove();
  return limits;
}

// The thinking line of a completed iteration: depth, score, time in centiseconds, nodes, line.
TSearchSupervisor::TIterationFn TCecpFront::ThinkingOutput() const {
  if (!Post) return {};
  TLineSink out = Out;
  return [out](const TIterationResult& r, TMillis elapsed) {
    out(std::to_string(r.Depth) + " " + std::to_string(CecpScore(r.Score)) + " " +
        std::to_string(elapsed.count() / 10) + " " + std::to_string(r.Nodes) + " " + LineText(r));
  };
}

void TCecpFront::StartThinking() {
  if (ClaimEnd()) return;
  Activity = TActivity::Thinking;
  Discard = false;
  PonderOutcome.reset();
  const unsigned serial = ++SearchSerial;
  Supervisors[ActiveSlot].Start(Game.SearchRoot(1), Limits(), ThinkingOutput(),
                                [this, serial](const TSearchOutcome& o) { Finish(serial, o); });
}

// Searches the position after the reply the engine's line expects, on the other supervisor.
void TCecpFront::StartPondering(const TIterationResult& line) {
  std::string error;
  TSearchMove reply;
  if (line.LineLength < 2 || !Game.FindMove(MoveToText(line.Line[1]), reply, error)) return;
  Game.Play(reply);
  const TSearchRoot root = Game.SearchRoot(1);
  Game.Undo();
  ExpectedMove = reply;
  PonderOutcome.reset();
  Activity = TActivity::Pondering;
  Discard = false;
  ActiveSlot ^= 1;
  TSearchLimits limits;
  limits.Depth = DepthOrDeepest(DepthLimit);
  limits.Ponder = true;
  const unsigned serial = ++SearchSerial;
  Supervisors[ActiveSlot].Start(root, limits, ThinkingOutput(),
                                [this, serial](const TSearchOutcome& o) { Finish(serial, o); });
}

// The end of a search, on its own thread: play its answer, keep a ponder answer, or drop it.
void TCecpFront::Finish(unsigned serial, const TSearchOutcome& outcome) {
  std::lock_guard lock(Mutex);
  if (serial != SearchSerial) return;  // a search already replaced; its answer is not wanted
  const TActivity was = Activity;
  Activity = TActivity::Idle;
  if (Discard || was == TActivity::Idle) {
    Discard = false;
  } else if (was == TActivity::Pondering) {
    PonderOutcome = outcome;
  } else {
    PlayAnswer(outcome);
  }
  Settled.notify_all();
}

TIterationResult TCecpFront::FallbackAnswer() const {
  TIterationResult r;
  const std::vector<TSearchMove> moves = Game.LegalMoves();
  if (!moves.empty()) {
    r.Line[0] = moves.front();
    r.LineLength = 1;
  }
  return r;
}

void TCecpFront::PlayAnswer(const TSearchOutcome& outcome) {
  // 1. The last completed iteration's move; a search stopped before its first one plays the
  //    first legal move.
  TIterationResult r = outcome.Result.Depth > 0 ? outcome.Result : FallbackAnswer();
  std::string error;
  TSearchMove checked;
  if (r.LineLength > 0 && !Game.FindMove(MoveToText(r.Line[0]), checked, error)) r = FallbackAnswer();
  if (r.LineLength > 0) {
    Game.Play(r.Line[0]);
    Out("move " + MoveToText(r.Line[0]));
  }
  // 2. Pings that came while thinking.
  SendPendingPongs();
  // 3. A mate or stalemate the move gave; else ponder on the expected reply.
  if (ClaimEnd()) return;
  if (Ponder && !Force) StartPondering(r);
}

// Tells the GUI the result when the side to move has no legal move.
bool TCecpFront::ClaimEnd() {
  switch (Game.End()) {
    case TGameEnd::WhiteMates:
      Out("1-0 {White mates}");
      return true;
    case TGameEnd::BlackMates:
      Out("0-1 {Black mates}");
      return true;
    case TGameEnd::Stalemate:
      Out("1/2-1/2 {Stalemate}");
      return true;
    case TGameEnd::None:
      break;
  }
  return false;
}

void TCecpFront::Halt(std::unique_lock<std::mutex>& lock) {
  PonderOutcome.reset();
  ExpectedMove = {};
  if (Activity == TActivity::Idle) return;
  Discard = true;
  Supervisors[ActiveSlot].RequestStop();
  Settled.wait(lock, [this] { return Activity == TActivity::Idle; });
  Discard = false;
  SendPendingPongs();
}

}  // namespace zelmar
