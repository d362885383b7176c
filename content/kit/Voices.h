// Instrument voices for the clips and tunes: each returns one mono note.
#pragma once
#include <cstdint>
#include <vector>

namespace zelmar::content {

// Frequency of a MIDI note number.
float MidiHz(float note);
// A plucked string (Karplus–Strong) of the given length in seconds; `bright` 0..1.
std::vector<float> Pluck(int rate, float hz, float seconds, float bright, uint32_t seed);
// A bell or chime: inharmonic partials with their own decays.
std::vector<float> Bell(int rate, float hz, float seconds, float hardness);
// A soft sustained pad (detuned harmonics, slow attack and release).
std::vector<float> Pad(int rate, float hz, float seconds);
// A breathy wooden flute for melodies.
std::vector<float> Flute(int rate, float hz, float seconds, uint32_t seed);
// A filtered noise burst with a resonant body: knocks, strikes and clicks.
std::vector<float> Knock(int rate, float seconds, const std::vector<float>& modes, float decay,
                         uint32_t seed);

}  // namespace zelmar::content
