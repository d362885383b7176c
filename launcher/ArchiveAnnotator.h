// A finished game's archive entry judged by the computer on a thread of its own at the lowest priority, and
// put back in place of the entry through the archive's journalled replacement, so that a kill at any moment
// leaves the old entry or the judged one. One job at a time; cancelling stops it within one search node and
// joins its thread.
#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "engine/notation/GameAnnotation.h"
#include "launcher/GameStore.h"

namespace zelmar {

// An entry the annotator wrote: where it lies now, and its text.
struct TAnnotatedEntry {
  TArchiveSpot Spot;
  std::string Entry;
};

class TArchiveAnnotator {
 public:
  TArchiveAnnotator() = default;
  // Cancels a running job and joins its thread.
  ~TArchiveAnnotator();
  TArchiveAnnotator(const TArchiveAnnotator&) = delete;
  TArchiveAnnotator& operator=(const TArchiveAnnotator&) = delete;

  // Starts judging `entry`, the archive entry of the games folder `folder` written at `spot`, cancelling a
  // job still running first. The judged entry replaces it only while it is still the archive's last entry
  // and unchanged; an entry that is not one game, or one judged already, is left alone.
  void Start(const std::filesystem::path& folder, const TArchiveSpot& spot, std::string entry,
             int level = kDefaultAnnotationLevel);
  // Stops a running job and returns once its thread has ended. Nothing is written after it returns; a
  // replacement already under way is finished (the archive stays whole) and TakeWritten tells of it.
  void Cancel();
  // Returns once the job has ended of itself (or at once without one), and joins its thread.
  void Wait();
  // Whether a job's thread has been started and not yet joined.
  bool Started() const { return thread_.joinable(); }
  // Whether the job has ended (or none was started); from any thread.
  bool Done() const;
  // The entry the last job wrote, once; nothing when it wrote none.
  std::optional<TAnnotatedEntry> TakeWritten();
  // The reason the last job could not write its entry, once; empty when none.
  std::string TakeError();

  // For tests: called on the job's thread before it judges anything; it must return once `stop` is
  // requested.
  void SetGate(std::function<void(std::stop_token stop)> gate) { gate_ = std::move(gate); }

 private:
  void Run(std::stop_token stop, std::filesystem::path folder, TArchiveSpot spot, std::string entry,
           int level);

  std::function<void(std::stop_token)> gate_;  // set on the main thread while no job runs
  std::jthread thread_;                        // the job; started and joined on the main thread

  // Guarded by mutex_: what the job reports, and the judge it stops through.
  mutable std::mutex mutex_;
  bool done_ = true;
  TGameAnnotator* annotator_ = nullptr;
  std::optional<TAnnotatedEntry> written_;
  std::string error_;
};

}  // namespace zelmar
