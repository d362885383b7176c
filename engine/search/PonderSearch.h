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
  int ThreadId() const;
  // Processor time of the search threads that have ended, and of the running one (for tools and tests).
  double CpuSeconds() const;

 private:
  void Body();
  void StopAndJoin();
  void Launch(const TChessSearch& carry, const TSearchRoot& root, std::uint64_t tag);
  bool ChooseAlternative(const TSearchRoot& playerRoot, TSearchRoot& after);
  bool CoversLocked(const TSearchRoot& root, std::uint64_t tag) const;  // needs mutex_

  // The life of the search here.
  enum class TState {
    kEmpty,      // nothing: never started, or stopped, discarded or taken over
    kChoosing,   // the thread chooses the player's best other reply; covers nothing yet
    kSearching,  // the thread searches root_
    kAwaited,    // the thread searches root_ and an Adopt waits for its end
    kFinished,   // the search of root_ ended whole and waits to be taken over
    kStopping,   // the thread was told to stop; what it finds is thrown away
  };
  // Whether the search thread is running in this state.
  static bool Running(TState state);

  // Owned by the thread that constructs this object; read by the search threads only.
  TThreadStart onThreadStart_;
  // Serialises Start, Discard and the destructor, which join the thread; taken before mutex_.
  std::mutex control_;
  // Guards every field below; the search thread holds it only at its start, its choice and its end.
  mutable std::mutex mutex_;
  std::condition_variable ended_;
  TState state_ = TState::kEmpty;
  std::unique_ptr<TChessSearch> search_;  // read by the thread while it runs, by Adopt once finished
  // The search that chooses a second likely reply, made at the first StartAlternative; read by the
  // thread while kChoosing.
  std::unique_ptr<TChessSearch> chooser_;
  TSearchRoot root_;  // while kChoosing, the player's position the reply is chosen in
  TSearchMove expected_;
  int quickDepth_ = 0;
  std::uint64_t tag_ = 0;
  double endedCpu_ = 0;  // processor time of the threads ended so far
  int threadId_ = 0;     // the running thread's system id, 0 when none
  std::thread thread_;
};

}  // namespace zelmar
