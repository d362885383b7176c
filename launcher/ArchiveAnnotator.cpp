#include "launcher/ArchiveAnnotator.h"

#include <pthread.h>
#include <sched.h>

#include <utility>
#include <vector>

#include "engine/ThreadPriority.h"
#include "engine/notation/Pgn.h"

namespace zelmar {

namespace {

// Puts the calling thread at the lowest priority there is: the idle scheduling class, which runs it only on
// a processor nothing else wants, and the nicest value besides.
void RunAtIdlePriority() {
  SetThreadNice(CurrentThreadId(), ProcessNice(), tpIdle);
  sched_param param{};
  // A system without the idle class leaves the thread nice only, which is still the lowest it offers.
  static_cast<void>(::pthread_setschedparam(::pthread_self(), SCHED_IDLE, &param));
}

}  // namespace

TArchiveAnnotator::~TArchiveAnnotator() {
  Cancel();
}

void TArchiveAnnotator::Start(const std::filesystem::path& folder, const TArchiveSpot& spot,
                              std::string entry, int level) {
  Cancel();
  {
    std::lock_guard lock(mutex_);
    done_ = false;
    written_.reset();
    error_.clear();
  }
  thread_ = std::jthread([this, folder, spot, entry = std::move(entry), level](std::stop_token stop) mutable {
    Run(std::move(stop), std::move(folder), spot, std::move(entry), level);
  });
}

void TArchiveAnnotator::Cancel() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

void TArchiveAnnotator::Wait() {
  if (thread_.joinable()) thread_.join();
}

bool TArchiveAnnotator::Done() const {
  std::lock_guard lock(mutex_);
  return done_;
}

std::optional<TAnnotatedEntry> TArchiveAnnotator::TakeWritten() {
  std::lock_guard lock(mutex_);
  return std::exchange(written_, std::nullopt);
}

std::string TArchiveAnnotator::TakeError() {
  std::lock_guard lock(mutex_);
  return std::exchange(error_, std::string());
}

// The job: judge the entry's game, then, unless stopped, replace the entry with the judged one.
void TArchiveAnnotator::Run(std::stop_token stop, std::filesystem::path folder, TArchiveSpot spot,
                            std::string entry, int level) {
  RunAtIdlePriority();
  const auto finish = [this] {
    std::lock_guard lock(mutex_);
    done_ = true;
  };
  if (gate_) gate_(stop);
  const std::vector<TPgnGame> games = ReadPgn(entry);
  if (stop.stop_requested() || games.size() != 1 || !games.front().Game ||
      FindTag(*games.front().Game, kAnnotatedTag) != nullptr) {
    finish();
    return;
  }
  const TGameRecord& game = *games.front().Game;
  TGameAnnotator annotator(level);
  std::optional<TGameJudgement> judgement;
  {
    // A stop request reaches the search at once, from the thread that makes it.
    const std::stop_callback onStop(stop, [&annotator] { annotator.Stop(); });
    judgement = annotator.Judge(game);
  }
  if (!judgement) {
    finish();
    return;
  }
  const std::string text = WritePgn(Annotated(game, *judgement));
  {
    // After a stop request no replacement begins; one under way ends before the thread does.
    std::lock_guard lock(mutex_);
    if (!stop.stop_requested()) {
      std::string error;
      if (const auto at = TGameStore(folder).ReplaceLastInArchive(spot, text, &error)) {
        written_ = TAnnotatedEntry{*at, text};
      } else {
        error_ = std::move(error);
      }
    }
    done_ = true;
  }
}

}  // namespace zelmar
