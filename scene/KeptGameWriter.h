// Writes the current game's file on a thread of its own, so that its flushes to the disk (several
// milliseconds, tens at worst) never hold up a frame. The game window posts each new text; a text posted
// while an older one waits replaces it, so the file always ends at the newest. The thread owns the writes;
// the window only posts, waits for them to be done, and takes the failures.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "launcher/GameStore.h"

namespace zelmar::scene {

class TKeptGameWriter {
 public:
  // Writes through a store of the same folder as `store`.
  explicit TKeptGameWriter(const TGameStore& store);
  // Writes what was posted, then ends the thread.
  ~TKeptGameWriter();
  TKeptGameWriter(const TKeptGameWriter&) = delete;
  TKeptGameWriter& operator=(const TKeptGameWriter&) = delete;

  // The current game's new text, written as soon as the thread is free.
  void Post(std::string text);
  // Returns once every posted text has been written (or has failed).
  void Finish();
  // The reason the last failed write gave, once; nothing when none failed since the last call.
  std::optional<std::string> TakeFailure();

 private:
  void Run();

  TGameStore store_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_.
  std::optional<std::string> pending_;
  bool writing_ = false;
  bool stop_ = false;
  std::optional<std::string> failure_;
  std::thread thread_;  // last: starts once everything it uses is in place
};

}  // namespace zelmar::scene
