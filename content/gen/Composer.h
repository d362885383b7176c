// Composes and synthesises the two looping tunes: melody, harp arpeggios, bass and pad over a chord cycle.
#pragma once
#include <cstdint>
#include <vector>

#include "content/kit/Sound.h"

namespace zelmar::content {

struct Tuneplan {
  float Bpm;
  int BeatsPerBar;
  int Subdivisions;                      // arpeggio notes per beat
  std::vector<std::vector<int>> Chords;  // one chord (MIDI notes, root first) per bar; the cycle repeats
  std::vector<int> Scale;                // pitch classes of the mode, for the melody
  int Bars;                              // length of the tune in bars
  bool FluteMelody;                      // flute (true) or lute (false) melody
  uint32_t Seed;
};

// The tune as a seamless loop: every note and the reverb tail wrap round from the end into the start.
Stereo ComposeTune(const Tuneplan& plan);

}  // namespace zelmar::content
