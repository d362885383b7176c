// Stereo sample buffers for the clips and tunes: mixing (optionally wrapping round a loop), reverb and WAVE
// output.
#pragma once
#include <string>
#include <vector>

#include "content/kit/Records.h"

namespace zelmar::content {

struct Stereo {
  int rate = 44100;
  std::vector<float> left, right;

  Stereo(int sampleRate, size_t frames) : rate(sampleRate), left(frames), right(frames) {}
  size_t frames() const { return left.size(); }
  // Adds a mono sound at a frame position with a pan (-1 left … +1 right); with `wrap` the sound continues
  // from the start of the buffer when it runs past the end (for seamless loops).
  void mix(const std::vector<float>& sound, long at, float gain, float pan, bool wrap = false);
  // Fades the last `seconds` out to silence (a clip's reverb tail must not be cut off hard).
  void fadeOut(float seconds);
  // Scales the whole buffer so its peak is `peak`.
  void normalise(float peak);
};

// A plate-like stereo reverb (parallel combs and series all-passes). With `loop` the tail that runs past the
// end rings on into the start, so a looped buffer keeps its reverb across the join.
void reverb(Stereo& s, float roomSize, float damping, float wet, bool loop);

// 16-bit PCM RIFF WAVE bytes of the buffer.
Bytes waveBytes(const Stereo& s);

}  // namespace zelmar::content
