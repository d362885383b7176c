#include "audio/platform/SoundBuffer.h"

namespace zelmar::audio {

// 8-bit PCM is unsigned, wider PCM is signed little-endian; the top 16 bits are kept.
bool ConvertToPcm16(const PcmFormat& format, std::span<const uint8_t> pcm, std::vector<int16_t>& out) {
  const int bytes = format.BitsPerSample / 8;
  if (format.BitsPerSample % 8 != 0 || bytes < 1 || bytes > 4) return false;
  const size_t count = pcm.size() / bytes / format.Channels * format.Channels;
  out.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* p = pcm.data() + i * bytes;
    if (bytes == 1) {
      out[i] = static_cast<int16_t>((p[0] - 128) * 256);
    } else {
      out[i] = static_cast<int16_t>(p[bytes - 1] << 8 | p[bytes - 2]);
    }
  }
  return true;
}

// Joins the mix stopped, at position 0, full volume, centred.
SoundBuffer::SoundBuffer(std::shared_ptr<AudioOutput> output, std::shared_ptr<PcmData> data)
    : output_(std::move(output)), voice_(std::make_unique<PcmVoice>(std::move(data))) {
  output_->Mixer().Attach(voice_.get());
}

// Leaves the mix; the audio thread no longer touches the voice afterwards.
SoundBuffer::~SoundBuffer() {
  output_->Mixer().Detach(voice_.get());
}

// Checks the format and converts the samples once, so mixing never converts.
std::unique_ptr<SoundBuffer> SoundBuffer::Create(std::shared_ptr<AudioOutput> output, const PcmFormat& format,
                                                 std::span<const uint8_t> pcm) {
  if (!output || format.Channels < 1 || format.Channels > 2) return nullptr;
  if (format.SampleRate < kFrequencyMin || format.SampleRate > kFrequencyMax) return nullptr;
  auto data = std::make_shared<PcmData>();
  data->Channels = format.Channels;
  data->SampleRate = format.SampleRate;
  if (!ConvertToPcm16(format, pcm, data->Samples)) return nullptr;
  return std::unique_ptr<SoundBuffer>(new SoundBuffer(std::move(output), std::move(data)));
}

// Shares the samples: a copy costs only its own voice.
std::unique_ptr<SoundBuffer> SoundBuffer::Duplicate() const {
  return std::unique_ptr<SoundBuffer>(new SoundBuffer(output_, voice_->Data()));
}

void SoundBuffer::Play(bool looping) {
  voice_->Play(looping);
}

void SoundBuffer::Stop() {
  voice_->Stop();
}

// Plays the clip at another rate (and pitch); 0 returns to its own.
bool SoundBuffer::SetFrequency(int hz) {
  if (hz != kFrequencyOriginal && (hz < kFrequencyMin || hz > kFrequencyMax)) return false;
  frequency_ = hz;
  voice_->SetFrequency(hz);
  return true;
}

// Attenuates both channels.
bool SoundBuffer::SetVolume(int volume) {
  if (volume < kVolumeMin || volume > kVolumeMax) return false;
  volume_ = volume;
  voice_->SetGains(GainsFor(volume_, pan_));
  return true;
}

// Attenuates the channel away from the pan side.
bool SoundBuffer::SetPan(int pan) {
  if (pan < kPanLeft || pan > kPanRight) return false;
  pan_ = pan;
  voice_->SetGains(GainsFor(volume_, pan_));
  return true;
}

}  // namespace zelmar::audio
