// A search started ahead of time on its own thread: the position the player is expected to leave (or
// has just chosen), searched from exactly the state the real search would start from, so that when the
// real search comes to that very position the one running or finished here is taken over as it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/search/ChessSearch.h"

namespace zelmar {

class TPonderSearch {
 public:
  // Called first on each search thread (to give it the owner's priority, for instance).
  using TThreadStart = std::function<void()>;

  explicit TPonderSearch(TThreadStart onThreadStart = {});
  // Stops a running search and joins its thread.
  ~TPonderSearch();
  TPonderSearch(const TPonderSearch&) = delete;
  TPonderSearch& operator=(const TPonderSearch&) = delete;

  // Searches `root` on a new thread, starting from what `carry` would start its next search from; a
  // search already here is stopped and discarded first. `tag` names the carried state for the owner
  // (it changes whenever `carry` searches), and `carry` must not search while this call copies it.
  void Start(const TChessSearch& carry, const TSearchRoot& root, std::uint64_t tag);
  // Like Start, for a second likely reply of the player at `playerRoot`: the thread first chooses it by
  // a search of `playerRoot` to `quickDepth` that leaves `expected` out, then searches the position
  // after it to playerRoot.Depth. Until the choice is made the search here covers nothing.
  void StartAlternative(const TChessSearch& carry, const TSearchRoot& playerRoot, TSearchMove expected,
                        int quickDepth, std::uint64_t tag);
  // Stops and discards the search here, if any; returns once its thread has ended.
  void Discard();
  // Whether the search here (running or finished, not stopped) is of exactly this root and tag.
  bool Covers(const TSearchRoot& root, std::uint64_t tag) const;
  // When the search here covers root and tag: waits for its end and copies its answer and carried state
  // into `into`, which then stands exactly as if it had run the search itself. False, with `into`
  // untouched, when it does not cover them, or when `abandon` is set or StopAdoption is called before
  // the search ends. The search here is gone afterwards either way, unless it did not cover them.
  bool Adopt(const TSearchRoot& root, std::uint64_t tag, TChessSearch& into,
             const std::atomic<bool>& abandon);
  // Stops the search here if an Adopt is waiting for it (from any thread); a search nobody waits for
  // goes on.
  void StopAdoption();
  // Whether a search thread is searching now; its system id (0 when none).
  bool Searching() const;
  int ThreadId() const { return threadId_.load(); }
  // Processor time of the search threads that have ended, and of the running one (for tools and tests).
  double CpuSeconds() const;

 private:
  void Body();
  void StopAndJoin();
  void Launch(const TChessSearch& carry, const TSearchRoot& root, std::uint64_t tag);
  bool ChooseAlternative(const TSearchRoot& playerRoot, TSearchRoot& after);
  bool CoversLocked(const TSearchRoot& root, std::uint64_t tag) const;  // needs mutex_

  TThreadStart onThreadStart_;
  // Serialises Start, Discard and the destructor, which join the thread; taken before mutex_.
  std::mutex control_;
  // Guards every field below; the search thread holds it only at its start and end.
  mutable std::mutex mutex_;
  std::condition_variable ended_;
  std::unique_ptr<TChessSearch> search_;  // read by the thread while searching_
  // The search that chooses a second likely reply, made at the first StartAlternative; read by the
  // thread while choosing_.
  std::unique_ptr<TChessSearch> chooser_;
  TSearchRoot root_;  // while choosing_, the player's position the reply is chosen in
  TSearchMove expected_;
  int quickDepth_ = 0;
  bool choosing_ = false;  // the thread has not chosen the reply yet
  std::uint64_t tag_ = 0;
  bool valid_ = false;      // a search of root_ and tag_ was started and not stopped or taken over
  bool searching_ = false;  // the thread is inside RunSearch
  bool adopting_ = false;   // an Adopt waits for the end
  double endedCpu_ = 0;     // processor time of the threads joined so far
  std::atomic<int> threadId_{0};
  std::thread thread_;
};

}  // namespace zelmar
