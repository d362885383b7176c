#include "scene/KeptGameWriter.h"

#include <utility>

namespace zelmar::scene {

TKeptGameWriter::TKeptGameWriter(const TGameStore& store)
    : store_(store.Folder()), thread_([this] { Run(); }) {}

TKeptGameWriter::~TKeptGameWriter() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void TKeptGameWriter::Post(std::string text) {
  {
    const std::lock_guard lock(mutex_);
    pending_ = std::move(text);
  }
  changed_.notify_all();
}

void TKeptGameWriter::Finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !pending_ && !writing_; });
}

std::optional<std::string> TKeptGameWriter::TakeFailure() {
  const std::lock_guard lock(mutex_);
  return std::exchange(failure_, std::nullopt);
}

// Takes the newest text and writes it outside the lock; at the end, writes what is left first.
void TKeptGameWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ || stop_; });
    if (!pending_) return;
    const std::string text = std::move(*pending_);
    pending_.reset();
    writing_ = true;
    lock.unlock();
    std::string error;
    const bool written = store_.WriteCurrent(text, &error);
    lock.lock();
    writing_ = false;
    if (!written) failure_ = error.empty() ? "the write failed" : error;
    changed_.notify_all();
  }
}

}  // namespace zelmar::scene
