// Stereo sample buffers for the clips and tunes: mixing (optionally wrapping round a loop), reverb and WAVE
// output.
#pragma once
#include <string>
#include <vector>

#include "content/kit/Records.h"

namespace zelmar::content {

struct Stereo {
  int Rate = 44100;
  std::vector<float> Left, Right;

  Stereo(int sampleRate, size_t frames) : Rate(sampleRate), Left(frames), Right(frames) {}
  size_t Frames() const { return Left.size(); }
  // Adds a mono sound at a frame position with a pan (-1 left … +1 right); with `wrap` the sound continues
  // from the start of the buffer when it runs past the end (for seamless loops).
  void Mix(const std::vector<float>& sound, long at, float gain, float pan, bool wrap = false);
  // Fades the last `seconds` out to silence (a clip's reverb tail must not be cut off hard).
  void FadeOut(float seconds);
  // Scales the whole buffer so its peak is `peak`.
  void Normalise(float peak);
};

// A plate-like stereo reverb (parallel combs and series all-passes). With `loop` the tail that runs past the
// end rings on into the start, so a looped buffer keeps its reverb across the join.
void Reverb(Stereo& s, float roomSize, float damping, float wet, bool loop);

// 16-bit PCM RIFF WAVE bytes of the buffer.
Bytes WaveBytes(const Stereo& s);

}  // namespace zelmar::content
