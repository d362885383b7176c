// The UCI front of the engine program: one command line at a time from the reader thread, info
// lines and the best move from the search thread, all through one lock.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "engine/protocol/GoParameters.h"
#include "engine/protocol/LineOutput.h"
#include "engine/protocol/ProtocolGame.h"
#include "engine/protocol/SearchSupervisor.h"

namespace zelmar {

class TUciFront {
 public:
  explicit TUciFront(TLineSink out);
  ~TUciFront();

  // Handles one command line; false once the GUI has said quit.
  bool Handle(std::string_view line);
  // Ends any search and waits for its threads.
  void Shutdown();

 private:
  void Identify();
  void SetOption(std::string_view args, std::unique_lock<std::mutex>& lock);
  void SetPosition(std::string_view args);
  void Go(std::string_view args, std::unique_lock<std::mutex>& lock);
  TSearchLimits Limits(TGoParameters& go) const;
  TSearchSupervisor::TIterationFn ThinkingOutput() const;
  void EndHold(bool ponderHit);
  void Finish(const TSearchOutcome& outcome);
  void SendBestMove(const TSearchOutcome& outcome);
  void Info(const std::string& text);
  // Lets a search that is still running end (a stop may have been sent just before) and waits.
  void WaitIdle(std::unique_lock<std::mutex>& lock);

  TLineSink Out;
  // Guarded by Mutex: everything below, read and written by the reader and the search thread.
  std::mutex Mutex;
  std::condition_variable Idle;
  TProtocolGame Game;
  bool ZelmarVariant = false;
  bool PonderOption = false;
  int Level = 0;
  bool Running = false;                 // the search thread has not reported yet
  bool Hold = false;                    // infinite or ponder: no best move before stop or ponderhit
  std::optional<TSearchOutcome> Held;   // the answer of a held search that has ended
  std::optional<TTimePlan> PonderPlan;  // the clock a ponder search starts at ponderhit
  TSearchMove FirstLegal;               // answer of a search stopped before its first iteration
  TSearchSupervisor Supervisor;
};

}  // namespace zelmar
