// The CECP (xboard protocol 2) front of the engine program: one command line at a time from the
// reader thread, moves and thinking lines from the search thread, all through one lock.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol/LineOutput.h"
#include "engine/protocol/ProtocolGame.h"
#include "engine/protocol/SearchSupervisor.h"

namespace zelmar {

class TCecpFront {
 public:
  explicit TCecpFront(TLineSink out);
  ~TCecpFront();

  // Handles one command line; false once the GUI has said quit.
  bool Handle(std::string_view line);
  // Ends any search and waits for its threads (call without holding anything the search needs).
  void Shutdown();

 private:
  // What the search threads are doing.
  enum class TActivity { Idle, Thinking, Pondering };

  struct TCommand;
  using THandler = void (*)(TCecpFront&, const TCommand&);

  static const THandler* FindHandler(std::string_view name);
  void Dispatch(std::string_view command, std::string_view args, std::unique_lock<std::mutex>& lock);
  void Ping(const TCommand& c);
  void New(const TCommand& c);
  void TakeBack(const TCommand& c, int count);
  void TimeControl(const TCommand& c);
  void Clock(const TCommand& c);
  void SendPendingPongs();
  void SendFeatures();
  void SetVariant(std::string_view name);
  void UserMove(std::string_view text, std::unique_lock<std::mutex>& lock);
  void StartThinking();
  void StartPondering(const TIterationResult& line);
  void Finish(unsigned serial, const TSearchOutcome& outcome);
  void PlayAnswer(const TSearchOutcome& outcome);
  // Stops any search, throws its answer away and waits until it has ended.
  void Halt(std::unique_lock<std::mutex>& lock);
  bool ClaimEnd();
  void Error(std::string_view kind, std::string_view command);
  std::optional<TTimePlan> PlanThisMove() const;
  TSearchLimits Limits() const;
  TIterationResult FallbackAnswer() const;
  TSearchSupervisor::TIterationFn ThinkingOutput() const;

  TLineSink Out;
  // Guarded by Mutex: everything below, read and written by the reader and the search threads.
  std::mutex Mutex;
  std::condition_variable Settled;
  TProtocolGame Game;
  bool Force = false;
  bool EngineWhite = false;
  bool Post = false;
  bool Ponder = false;
  int DepthLimit = 0;                  // sd; 0 for none
  TMillis FixedTime{0};                // st; 0 for none
  int MovesPerControl = 0;             // level: moves per control, 0 for the whole game
  TMillis Increment{0};                // level
  std::optional<TMillis> EngineClock;  // time
  TActivity Activity = TActivity::Idle;
  bool Discard = false;                         // the running search's answer is not wanted
  int ActiveSlot = 0;                           // which supervisor runs the current search
  unsigned SearchSerial = 0;                    // the current search; an older one's report is ignored
  TSearchMove ExpectedMove;                     // pondering: the reply searched on
  std::optional<TSearchOutcome> PonderOutcome;  // a ponder search that ended before the reply came
  std::vector<std::string> PendingPongs;        // pings that came while thinking on a move
  // Two supervisors: a search that ends starts the ponder search on the other one.
  TSearchSupervisor Supervisors[2];
};

}  // namespace zelmar
