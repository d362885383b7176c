// The music output: a playback thread streams PCM from an input into a ring on the output.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "audio/MediaSource.h"
#include "audio/platform/AudioOutput.h"
#include "audio/platform/StreamBuffer.h"

namespace zelmar::audio {

enum TOutputStatus { tosIdle, tosPlaying, tosPaused };

class TAudioStreamOut {
 public:
  TAudioStreamOut() = default;
  // Stops the playback thread and waits for it.
  ~TAudioStreamOut();
  TAudioStreamOut(const TAudioStreamOut&) = delete;
  TAudioStreamOut& operator=(const TAudioStreamOut&) = delete;

  // The setters belong to the owner's thread and may be used while the stream plays: the input,
  // device and ring size are taken by the next Run (the playing thread keeps what Run gave it), the
  // polling interval applies from the next check of the cursor.

  // The input is not owned; it must outlive any playback that reads it.
  TMediaSource* Input() const { return input_; }
  void SetInput(TMediaSource* input) { input_ = input; }
  // 0 = the system's default output, 1.. = a listed device.
  int DeviceNumber() const { return deviceNumber_; }
  void SetDeviceNumber(int value) { deviceNumber_ = value; }
  // Sample frames in the streaming ring.
  uint32_t FramesInBuffer() const { return framesInBuffer_; }
  void SetFramesInBuffer(uint32_t value) { framesInBuffer_ = value; }
  // Milliseconds between two checks of the play cursor.
  int PollingInterval() const;
  void SetPollingInterval(int ms);

  // Opens the input and the output and starts the playback thread. Raises EAudioError.
  void Run();
  // Stops playback; unless `async`, returns once the playback thread has ended.
  void Stop(bool async = false);
  // Holds and continues playback without losing the place.
  void Pause();
  void Resume();
  TOutputStatus Status() const { return status_.load(); }
  // The reason the thread ended by itself ("Audio output error"), empty otherwise.
  std::string LastError() const;
  // True while the playback thread runs.
  bool ThreadRunning() const { return threadRunning_.load(); }
  // Frames of input written into the ring and frames the output has played since the last Run,
  // for tests and tools that wait for the stream to move.
  uint64_t FramesWritten() const { return written_.load(); }
  uint64_t FramesPlayed() const { return played_.load(); }

  // Plays on this output instead of opening a device (tests pull the mix themselves).
  void UseOutput(std::shared_ptr<AudioOutput> output) { preset_ = std::move(output); }

 private:
  void CheckReady();
  std::shared_ptr<AudioOutput> OpenOutput();
  void Execute();
  void Fill(uint32_t offset, uint32_t count);
  bool WaitPoll();
  void Finish(const std::string& error);

  // Owner's thread only: the properties as set, read by Run.
  TMediaSource* input_ = nullptr;
  int deviceNumber_ = 0;
  uint32_t framesInBuffer_ = 65536;
  std::shared_ptr<AudioOutput> preset_;
  // The input Run opened, read by the playback thread; Run sets it only while no thread runs.
  TMediaSource* playing_ = nullptr;
  // Held by the owner's thread from Run until the playback thread has been joined, so that the
  // device is always opened and closed on that thread, never on the playback thread.
  std::shared_ptr<AudioOutput> output_;

  std::atomic<TOutputStatus> status_{tosIdle};
  std::atomic<bool> threadRunning_{false};
  std::unique_ptr<StreamBuffer> buffer_;  // touched by the playback thread while it runs
  std::thread thread_;
  mutable std::mutex lock_;  // guards the fields below
  std::condition_variable wake_;
  bool stopRequested_ = false;
  std::string lastError_;
  int pollingInterval_ = 200;
  // Written by the playback thread only: frames of input written into the ring and frames played
  // so far, and whether the input has ended.
  std::atomic<uint64_t> written_{0};
  std::atomic<uint64_t> played_{0};
  bool inputEnded_ = false;
};

}  // namespace zelmar::audio
