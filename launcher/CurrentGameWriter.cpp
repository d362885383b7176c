#include "launcher/CurrentGameWriter.h"

#include <utility>

namespace zelmar {

TCurrentGameWriter::TCurrentGameWriter(TGameStore& store) : store_(store), thread_([this] { Body(); }) {}

TCurrentGameWriter::~TCurrentGameWriter() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void TCurrentGameWriter::Submit(std::string text) {
  {
    std::lock_guard lock(mutex_);
    pending_ = std::move(text);
    ++submitted_;
  }
  changed_.notify_all();
}

bool TCurrentGameWriter::Flush(std::string* error) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return done_ == submitted_; });
  if (!lastError_.empty() && error) *error = lastError_;
  return lastError_.empty();
}

std::string TCurrentGameWriter::TakeError() {
  std::lock_guard lock(mutex_);
  return std::exchange(unreported_, {});
}

std::uint64_t TCurrentGameWriter::Submitted() const {
  std::lock_guard lock(mutex_);
  return submitted_;
}

std::uint64_t TCurrentGameWriter::Written() const {
  std::lock_guard lock(mutex_);
  return written_;
}

// Takes the newest waiting text, writes it outside the lock, records how it went; on a stop request it
// still writes what waits, so nothing handed over is lost at the end of the program.
void TCurrentGameWriter::Body() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_.has_value() || stop_; });
    if (!pending_) return;
    std::string text = std::move(*pending_);
    pending_.reset();
    const std::uint64_t number = submitted_;
    lock.unlock();
    std::string error;
    const bool ok = store_.WriteCurrent(text, &error);
    lock.lock();
    done_ = number;
    if (ok) {
      ++written_;
      lastError_.clear();
    } else {
      lastError_ = unreported_ = error;
    }
    changed_.notify_all();
  }
}

}  // namespace zelmar
