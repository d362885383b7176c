#include "content/gen/Composer.h"

#include <algorithm>
#include <cmath>

#include "content/kit/Noise.h"
#include "content/kit/Voices.h"

namespace zelmar::content {
namespace {

constexpr int kRate = 44100;

// The scale tone nearest to a pitch, moved by `steps` scale degrees.
int ScaleStep(const std::vector<int>& scale, int pitch, int steps) {
  auto inScale = [&](int p) {
    return std::find(scale.begin(), scale.end(), ((p % 12) + 12) % 12) != scale.end();
  };
  while (!inScale(pitch)) --pitch;
  const int dir = steps > 0 ? 1 : -1;
  for (int k = 0; k < std::abs(steps); ++k) {
    pitch += dir;
    while (!inScale(pitch)) pitch += dir;
  }
  return pitch;
}

// The chord tone nearest to a pitch.
int NearestChordTone(const std::vector<int>& chord, int pitch) {
  int best = pitch, dist = 99;
  for (int c : chord)
    for (int oct = -2; oct <= 3; ++oct) {
      const int p = c % 12 + 12 * (pitch / 12 + oct - 1);
      if (std::abs(p - pitch) < dist) {
        dist = std::abs(p - pitch);
        best = p;
      }
    }
  return best;
}

// Rhythms of one bar in beats (durations summing to the bar), chosen per bar.
std::vector<std::vector<float>> Rhythms(int beats) {
  if (beats == 3) return {{1, 1, 1}, {2, 1}, {1.5f, 0.5f, 1}, {1, 0.5f, 0.5f, 1}, {3}, {0.5f, 0.5f, 1, 1}};
  return {{1, 1, 2}, {2, 1, 1}, {1.5f, 0.5f, 2}, {1, 0.5f, 0.5f, 1, 1}, {4}, {2, 2}, {1, 1, 1, 1}};
}

}  // namespace

Stereo ComposeTune(const Tuneplan& plan) {
  const float beat = 60.f / plan.Bpm;
  const float bar = beat * plan.BeatsPerBar;
  const size_t total = static_cast<size_t>(std::lround(bar * plan.Bars * kRate));
  Stereo s(kRate, total);
  Random rnd(plan.Seed);
  auto at = [&](float seconds) { return static_cast<long>(std::lround(seconds * kRate)); };
  // 1. Melody phrases of 8 bars: A, A' (varied), B, A. Phrase A is kept to be repeated.
  const int phraseBars = 8;
  // Each bar holds its notes as (duration in beats, pitch).
  std::vector<std::vector<std::pair<float, int>>> barsA;
  const auto rh = Rhythms(plan.BeatsPerBar);
  auto makePhrase = [&](int firstBar, int startPitch) {
    std::vector<std::vector<std::pair<float, int>>> out;
    int pitch = startPitch;
    for (int b = 0; b < phraseBars; ++b) {
      const auto& chord = plan.Chords[(firstBar + b) % plan.Chords.size()];
      const auto& pattern = rh[rnd.Next() % rh.size()];
      std::vector<std::pair<float, int>> notes;
      for (size_t k = 0; k < pattern.size(); ++k) {
        const int step = static_cast<int>(rnd.Next() % 5) - 2;
        pitch = ScaleStep(plan.Scale, pitch, step == 0 ? 1 : step);
        if (k == 0) pitch = NearestChordTone(chord, pitch);
        pitch = std::clamp(pitch, 64, 86);
        // Each phrase breathes: its last bar ends on a long chord tone.
        if (b == phraseBars - 1) {
          notes.push_back({static_cast<float>(plan.BeatsPerBar), NearestChordTone(chord, pitch)});
          break;
        }
        notes.push_back({pattern[k], pitch});
      }
      out.push_back(notes);
    }
    return out;
  };
  barsA = makePhrase(0, 74);
  // A' answers A: the same first half, a new second half.
  auto barsA2 = barsA;
  const auto answer = makePhrase(0, 76);
  for (int b = 4; b < phraseBars; ++b) barsA2[b] = answer[b];
  const auto barsB = makePhrase(16 % static_cast<int>(plan.Chords.size()), 79);
  std::vector<std::vector<std::pair<float, int>>> melody;
  using Phrase = std::vector<std::vector<std::pair<float, int>>>;
  const std::vector<const Phrase*> form = {&barsA, &barsA2, &barsB, &barsA};
  for (const Phrase* phrase : form)
    for (const auto& b : *phrase) melody.push_back(b);
  // 2. Every bar: bass, harp arpeggio, pad and melody.
  for (int b = 0; b < plan.Bars; ++b) {
    const auto& chord = plan.Chords[b % plan.Chords.size()];
    const float t0 = b * bar;
    // Bass: the root on the first beat, its fifth half-way.
    s.Mix(Pluck(kRate, MidiHz(chord[0] - 12), bar * 1.2f, 0.35f, plan.Seed + b), at(t0), 0.5f, -0.1f, true);
    if (plan.BeatsPerBar == 4)
      s.Mix(Pluck(kRate, MidiHz(chord[0] - 5), bar * 0.7f, 0.3f, plan.Seed + 7 * b), at(t0 + 2 * beat), 0.3f,
            -0.1f, true);
    // Harp: an arpeggio rising and falling through the chord.
    std::vector<int> tones;
    for (int oct = 0; oct < 2; ++oct)
      for (size_t k = 0; k < chord.size(); ++k) tones.push_back(chord[k] + 12 * oct);
    const int steps = plan.BeatsPerBar * plan.Subdivisions;
    for (int k = 0; k < steps; ++k) {
      const int cycle = 2 * static_cast<int>(tones.size()) - 2;
      const int idx = k % cycle < static_cast<int>(tones.size()) ? k % cycle : cycle - k % cycle;
      const float pan = -0.5f + idx / static_cast<float>(tones.size());
      s.Mix(Pluck(kRate, MidiHz(tones[idx]), beat * 3.f, 0.55f, plan.Seed * 31 + b * 97 + k),
            at(t0 + k * beat / plan.Subdivisions), 0.16f, pan, true);
    }
    // Pad: the chord held through the bar, overlapping the next a little.
    for (size_t k = 0; k < chord.size(); ++k)
      s.Mix(Pad(kRate, MidiHz(chord[k]), bar + 0.6f), at(t0 - 0.1f), 0.10f,
            k == 1   ? -0.6f
            : k == 2 ? 0.6f
                     : 0.f,
            true);
    // Melody.
    float t = t0;
    for (const auto& [beats, pitch] : melody[b % melody.size()]) {
      const float dur = beats * beat;
      if (plan.FluteMelody)
        s.Mix(Flute(kRate, MidiHz(pitch), dur * 0.95f, plan.Seed + b), at(t), 0.22f, 0.15f, true);
      else
        s.Mix(Pluck(kRate, MidiHz(pitch), dur + 1.2f, 0.7f, plan.Seed + 13 * b), at(t), 0.36f, 0.15f, true);
      t += dur;
    }
  }
  // 3. A little room round it all, wrapping round the loop.
  Reverb(s, 0.75f, 0.45f, 0.32f, true);
  s.Normalise(0.8f);
  return s;
}

}  // namespace zelmar::content
