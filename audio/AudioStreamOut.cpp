#include "audio/AudioStreamOut.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "audio/AudioError.h"

namespace zelmar::audio {

namespace {

constexpr int kChecksWithoutSpace = 16;

}  // namespace

TAudioStreamOut::~TAudioStreamOut() {
  Stop(false);
}

std::string TAudioStreamOut::LastError() const {
  std::lock_guard<std::mutex> guard(lock_);
  return lastError_;
}

int TAudioStreamOut::PollingInterval() const {
  std::lock_guard<std::mutex> guard(lock_);
  return pollingInterval_;
}

// Under the lock the playback thread reads it with, so a change applies from its next wait.
void TAudioStreamOut::SetPollingInterval(int ms) {
  std::lock_guard<std::mutex> guard(lock_);
  pollingInterval_ = ms < 1 ? 1 : ms;
}

// Refuses a Run without input, while playing, or for a device that does not exist.
void TAudioStreamOut::CheckReady() {
  if (!input_) throw EAudioError("Input is not assigned");
  if (status_.load() != tosIdle) throw EAudioError("Component is Busy");
  if (!preset_ && (deviceNumber_ < 0 || deviceNumber_ >= AudioOutput::DeviceCount())) {
    throw EAudioError("Invalid device number");
  }
}

// The output to play on: the one given for tests, else the device's (shared with the effects).
std::shared_ptr<AudioOutput> TAudioStreamOut::OpenOutput() {
  std::shared_ptr<AudioOutput> output = preset_ ? preset_ : AudioOutput::Open(deviceNumber_);
  if (!output) throw EAudioError("Failed to create DirectSound device");
  return output;
}

// 1. checks; 2. the input; 3. the output and its ring in the input's format; 4. the thread.
void TAudioStreamOut::Run() {
  CheckReady();
  if (thread_.joinable()) thread_.join();  // a thread stopped asynchronously or ended by itself
  output_.reset();
  playing_ = input_;
  if (!playing_->Open()) throw EAudioError("Failed to open the input");
  try {
    output_ = OpenOutput();
  } catch (const EAudioError&) {
    playing_->Close();
    throw;
  }
  PcmFormat format{playing_->Channels(), playing_->SampleRate(), playing_->BitsPerSample()};
  uint32_t code = 0;
  buffer_ = StreamBuffer::Create(output_, format, framesInBuffer_, code);
  if (!buffer_) {
    playing_->Close();
    output_.reset();
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", code);
    throw EAudioError(std::string("Failed to create DirectSound buffer ") + hex);
  }
  {
    std::lock_guard<std::mutex> guard(lock_);
    stopRequested_ = false;
    lastError_.clear();
  }
  written_ = 0;
  played_ = 0;
  inputEnded_ = false;
  status_ = tosPlaying;
  threadRunning_ = true;
  try {
    thread_ = std::thread([this] { Execute(); });
  } catch (const std::system_error&) {
    status_ = tosIdle;
    threadRunning_ = false;
    buffer_.reset();
    output_.reset();
    playing_->Close();
    throw EAudioError("Failed to start the playback thread");
  }
}

// Marks the output stopped and wakes the thread; the synchronous form joins it and lets the
// device go on this thread.
void TAudioStreamOut::Stop(bool async) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stopRequested_ = true;
    if (thread_.joinable()) status_ = tosIdle;
  }
  wake_.notify_all();
  if (async) return;
  if (thread_.joinable()) thread_.join();
  output_.reset();
}

// The lock keeps the ring from going away under us when the thread is just ending.
void TAudioStreamOut::Pause() {
  std::lock_guard<std::mutex> guard(lock_);
  TOutputStatus playing = tosPlaying;
  if (buffer_ && status_.compare_exchange_strong(playing, tosPaused)) buffer_->Stop();
}

// Restarts a paused ring where it stopped.
void TAudioStreamOut::Resume() {
  std::lock_guard<std::mutex> guard(lock_);
  TOutputStatus paused = tosPaused;
  if (buffer_ && status_.compare_exchange_strong(paused, tosPlaying)) buffer_->Play();
}

// Writes input into part of the ring; after the input's end the rest is silence.
void TAudioStreamOut::Fill(uint32_t offset, uint32_t count) {
  StreamBuffer::Region region = buffer_->Lock(offset, count);
  const int channels = buffer_->Format().Channels;
  for (std::span<int16_t> part : {region.First, region.Second}) {
    const long frames = static_cast<long>(part.size() / channels);
    long got = inputEnded_ ? 0 : playing_->Read(part.data(), frames);
    if (got < frames) inputEnded_ = true;
    got = std::max(got, 0L);
    written_ += static_cast<uint64_t>(got);
    std::fill(part.begin() + got * channels, part.end(), int16_t{0});
  }
  // Every frame from the play cursor round to just before it is written now: the output may play one
  // whole ring past the frames played so far, and no further until the next refill.
  buffer_->Unlock(played_ + buffer_->Frames());
}

// Sleeps one polling interval; false when a stop was asked for.
bool TAudioStreamOut::WaitPoll() {
  std::unique_lock<std::mutex> guard(lock_);
  return !wake_.wait_for(guard, std::chrono::milliseconds(pollingInterval_),
                         [this] { return stopRequested_; });
}

// Ends the playback: the ring stops and leaves the mix, the input closes.
void TAudioStreamOut::Finish(const std::string& error) {
  playing_->Close();
  std::lock_guard<std::mutex> guard(lock_);
  buffer_->Stop();
  buffer_.reset();
  lastError_ = error;
  if (!stopRequested_) status_ = tosIdle;
  threadRunning_ = false;
}

// The playback thread: 1. fill the whole ring and start; 2. each interval find how far the
// cursor moved and refill that part; 3. end when stopped, when the played frames pass the end of
// the input, or after too many checks in a row without free space.
void TAudioStreamOut::Execute() {
  const uint32_t size = buffer_->Frames();
  Fill(0, size);
  buffer_->SetPlayCursor(0);
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (status_.load() == tosPlaying) buffer_->Play();
  }
  uint32_t last = 0;
  int checksWithoutSpace = 0;
  std::string error;
  while (WaitPoll()) {
    if (status_.load() == tosPaused) continue;
    const uint32_t cursor = buffer_->PlayCursor();
    const uint32_t moved = (cursor + size - last) % size;
    if (moved == 0) {
      if (++checksWithoutSpace >= kChecksWithoutSpace) {
        error = "Audio output error";
        break;
      }
      continue;
    }
    checksWithoutSpace = 0;
    played_ += moved;
    if (inputEnded_ && played_ >= written_) break;
    Fill(last, moved);
    last = cursor;
  }
  Finish(error);
}

}  // namespace zelmar::audio
