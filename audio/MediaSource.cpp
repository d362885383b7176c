#include "audio/MediaSource.h"

#include <algorithm>
#include <vector>

namespace zelmar::audio {

using Guard = std::lock_guard<std::mutex>;

std::string TMediaSource::FileName() const {
  Guard g(lock_);
  return fileName_;
}
void TMediaSource::SetFileName(std::string name) {
  Guard g(lock_);
  fileName_ = std::move(name);
  decoder_.reset();
}
bool TMediaSource::Loop() const {
  Guard g(lock_);
  return loop_;
}
void TMediaSource::SetLoop(bool value) {
  Guard g(lock_);
  loop_ = value;
}
int64_t TMediaSource::StartSample() const {
  Guard g(lock_);
  return startSample_;
}
void TMediaSource::SetStartSample(int64_t frame) {
  Guard g(lock_);
  startSample_ = std::max<int64_t>(frame, 0);
}
int64_t TMediaSource::EndSample() const {
  Guard g(lock_);
  return endSample_;
}
void TMediaSource::SetEndSample(int64_t frame) {
  Guard g(lock_);
  endSample_ = frame < 0 ? -1 : frame;
}
bool TMediaSource::HighPrecision() const {
  Guard g(lock_);
  return highPrecision_;
}
void TMediaSource::SetHighPrecision(bool value) {
  Guard g(lock_);
  highPrecision_ = value;
}
TOutputChannels TMediaSource::OutputChannels() const {
  Guard g(lock_);
  return outputChannels_;
}
void TMediaSource::SetOutputChannels(TOutputChannels value) {
  Guard g(lock_);
  outputChannels_ = value;
}
bool TMediaSource::IsOpen() const {
  Guard g(lock_);
  return decoder_ != nullptr;
}
int TMediaSource::Channels() const {
  Guard g(lock_);
  return format_.Channels;
}
int TMediaSource::SampleRate() const {
  Guard g(lock_);
  return format_.SampleRate;
}
int TMediaSource::BitsPerSample() const {
  Guard g(lock_);
  return format_.BitsPerSample;
}

// The channel count asked of the decoder: 0 keeps the file's own.
int TMediaSource::WantedChannels() const {
  return outputChannels_ == cnMono ? 1 : outputChannels_ == cnStereo ? 2 : 0;
}

// Opens a fresh decoder on the file and moves it to StartSample.
bool TMediaSource::OpenLocked(std::unique_ptr<MediaDecoder>& decoder) {
  decoder = CreateDecoder();
  if (fileName_.empty() || !decoder->Open(fileName_, WantedChannels(), highPrecision_)) {
    decoder.reset();
    return false;
  }
  format_ = decoder->Format();
  position_ = 0;
  if (startSample_ > 0 && !decoder->Seek(startSample_)) {
    decoder.reset();
    return false;
  }
  position_ = startSample_;
  return true;
}

// Probes the file with a decoder of its own, leaving any open reading untouched.
bool TMediaSource::Valid() {
  Guard g(lock_);
  std::unique_ptr<MediaDecoder> probe;
  return OpenLocked(probe);
}

// Starts reading afresh; a file already open is reopened from StartSample.
bool TMediaSource::Open() {
  Guard g(lock_);
  return OpenLocked(decoder_);
}

void TMediaSource::Close() {
  Guard g(lock_);
  decoder_.reset();
}

// Back to StartSample; a decoder that cannot seek is replaced by a new one on the same file.
bool TMediaSource::RewindLocked() {
  if (decoder_ && decoder_->Seek(startSample_)) {
    position_ = startSample_;
    return true;
  }
  return OpenLocked(decoder_);
}

// Reads inside the StartSample..EndSample range; 0 at its end.
long TMediaSource::ReadRangeLocked(int16_t* out, long frames) {
  if (endSample_ >= 0)
    frames = static_cast<long>(std::min<int64_t>(frames, std::max<int64_t>(endSample_ - position_, 0)));
  if (frames <= 0) return 0;
  const long n = decoder_->Read(out, frames);
  if (n > 0) position_ += n;
  return n;
}

// 1. read what the range still holds; 2. at its end rewind when looping; 3. stop when a whole
// pass since the last rewind gave nothing, so an empty range cannot loop forever.
long TMediaSource::Read(int16_t* out, long frames) {
  Guard g(lock_);
  if (!decoder_ || frames <= 0) return 0;
  const int channels = format_.Channels;
  long delivered = 0;
  long sinceRewind = 1;
  while (delivered < frames) {
    const long n = ReadRangeLocked(out + static_cast<size_t>(delivered) * channels, frames - delivered);
    if (n > 0) {
      delivered += n;
      sinceRewind += n;
      continue;
    }
    if (!loop_ || sinceRewind == 0 || !RewindLocked() || format_.Channels != channels) break;
    sinceRewind = 0;
  }
  return delivered;
}

}  // namespace zelmar::audio
