// A file input decoding compressed music to 16-bit PCM for the stream output, with looping.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "audio/platform/MediaDecoder.h"

namespace zelmar::audio {

enum TOutputChannels { cnMaxAvailable, cnMono, cnStereo };

class TMediaSource {
 public:
  TMediaSource() = default;
  virtual ~TMediaSource() = default;
  TMediaSource(const TMediaSource&) = delete;
  TMediaSource& operator=(const TMediaSource&) = delete;

  // Setting a new file name closes the file being read.
  std::string FileName() const;
  void SetFileName(std::string name);
  // Go back to StartSample at the end of the data, inside the same read.
  bool Loop() const;
  void SetLoop(bool value);
  // First sample frame played, and the frame after the last (-1 = to the end of the file).
  int64_t StartSample() const;
  void SetStartSample(int64_t frame);
  int64_t EndSample() const;
  void SetEndSample(int64_t frame);
  // Decode in floating point and round to 16 bits ourselves.
  bool HighPrecision() const;
  void SetHighPrecision(bool value);
  TOutputChannels OutputChannels() const;
  void SetOutputChannels(TOutputChannels value);

  // Opens the file and reads its format, then closes it; false on any failure. After a true
  // result Channels(), SampleRate() and BitsPerSample() describe the file.
  bool Valid();

  // Opens the file for reading from StartSample; false on any failure.
  bool Open();
  void Close();
  bool IsOpen() const;
  int Channels() const;
  int SampleRate() const;
  int BitsPerSample() const;

  // Delivers up to `frames` interleaved frames. Fewer come only at the end of the data without
  // Loop (or when the file fails); with Loop the data continues from StartSample without a gap.
  long Read(int16_t* out, long frames);

 protected:
  // The decoder for this kind of file.
  virtual std::unique_ptr<MediaDecoder> CreateDecoder() const = 0;

 private:
  int WantedChannels() const;
  bool OpenLocked(std::unique_ptr<MediaDecoder>& decoder);
  bool RewindLocked();
  long ReadRangeLocked(int16_t* out, long frames);

  // Guards every field: the stream output reads from its own thread.
  mutable std::mutex lock_;
  std::string fileName_;
  bool loop_ = false;
  int64_t startSample_ = 0;
  int64_t endSample_ = -1;
  bool highPrecision_ = true;
  TOutputChannels outputChannels_ = cnMaxAvailable;
  PcmFormat format_;
  std::unique_ptr<MediaDecoder> decoder_;
  int64_t position_ = 0;  // frame of the file read next
};

}  // namespace zelmar::audio
