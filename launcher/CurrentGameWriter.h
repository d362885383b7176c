// Writes the current game on a thread of its own. Replacing the file safely means flushing it to disk, which
// takes milliseconds on a real disk (more than a frame at times); the game hands the text over and goes on.
// The newest text wins: a text handed over while an older one still waits replaces it, so the file always
// ends as the last text handed over, and a kill at any moment leaves an older or the newest whole file.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "launcher/GameStore.h"

namespace zelmar {

class TCurrentGameWriter {
 public:
  // Writes through `store`, which must outlive the writer and whose current-game file only this writer
  // writes while it lives.
  explicit TCurrentGameWriter(TGameStore& store);
  // Writes what is still waiting, then ends the thread.
  ~TCurrentGameWriter();
  TCurrentGameWriter(const TCurrentGameWriter&) = delete;
  TCurrentGameWriter& operator=(const TCurrentGameWriter&) = delete;

  // Hands over the newest text of the current game and returns at once.
  void Submit(std::string text);
  // Waits until every text handed over so far is written; false, with the reason, when the last write
  // failed. Called before the archive is touched and when the program ends.
  bool Flush(std::string* error = nullptr);
  // The reason of a failed write not reported yet, cleared by the call; empty when none failed.
  std::string TakeError();
  // Texts handed over, and texts written (a replaced waiting text is never written), for tests and tools.
  std::uint64_t Submitted() const;
  std::uint64_t Written() const;

 private:
  void Body();

  TGameStore& store_;
  // Guarded by mutex_: everything below up to thread_. The thread takes pending_, writes it without the
  // lock, then records the outcome; Flush waits on changed_ until done_ reaches the last submission.
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<std::string> pending_;
  std::uint64_t submitted_ = 0;  // number of the last text handed over
  std::uint64_t done_ = 0;       // number of the last text taken and written (or failed)
  std::uint64_t written_ = 0;    // texts written successfully
  std::string lastError_;        // reason of the last failed write, until the next success
  std::string unreported_;       // reason of a failure not yet taken by TakeError
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace zelmar
