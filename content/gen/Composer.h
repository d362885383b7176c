// Composes and synthesises the two looping tunes: melody, harp arpeggios, bass and pad over a chord cycle.
#pragma once
#include <cstdint>
#include <vector>

#include "content/kit/Sound.h"

namespace zelmar::content {

struct Tuneplan {
  float bpm;
  int beatsPerBar;
  int subdivisions;                      // arpeggio notes per beat
  std::vector<std::vector<int>> chords;  // one chord (MIDI notes, root first) per bar; the cycle repeats
  std::vector<int> scale;                // pitch classes of the mode, for the melody
  int bars;                              // length of the tune in bars
  bool fluteMelody;                      // flute (true) or lute (false) melody
  uint32_t seed;
};

// The tune as a seamless loop: every note and the reverb tail wrap round from the end into the start.
Stereo composeTune(const Tuneplan& plan);

}  // namespace zelmar::content
