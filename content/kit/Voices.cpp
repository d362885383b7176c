#include "content/kit/Voices.h"

#include <algorithm>
#include <cmath>

#include "content/kit/Noise.h"

namespace zelmar::content {
namespace {

constexpr float kTau = 6.2831853f;

size_t Frames(int rate, float seconds) {
  return static_cast<size_t>(std::max(0.f, seconds) * rate);
}

// Short fades at both ends so no note starts or stops with a click.
void Edges(std::vector<float>& s, int rate, float attack, float release) {
  const size_t a = std::min(s.size(), static_cast<size_t>(attack * rate) + 1);
  const size_t r = std::min(s.size(), static_cast<size_t>(release * rate) + 1);
  for (size_t i = 0; i < a; ++i) s[i] *= static_cast<float>(i) / a;
  for (size_t i = 0; i < r; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / r;
}

}  // namespace

float MidiHz(float note) {
  return 440.f * std::pow(2.f, (note - 69.f) / 12.f);
}

std::vector<float> Pluck(int rate, float hz, float seconds, float bright, uint32_t seed) {
  std::vector<float> out(Frames(rate, seconds));
  const float period = rate / hz;
  // The loop reads two neighbouring samples of a line of n, a delay of n − ½; the all-pass supplies the
  // remaining fraction (kept between 0.1 and 1.1 samples, where its delay is close to its design value).
  const size_t n = std::max<size_t>(2, static_cast<size_t>(period + 0.5f - 0.1f));
  const float frac = period + 0.5f - n;
  const float ap = (1 - frac) / (1 + frac);
  std::vector<float> line(n);
  Random rnd(seed);
  float prev = 0;
  for (size_t i = 0; i < n; ++i) {
    const float v = rnd.Range(-1, 1);
    prev = prev + (v - prev) * (0.3f + 0.7f * bright);  // softer pluck: low-passed excitation
    line[i] = prev;
  }
  const float loss = 0.996f - 0.004f * (1 - bright);
  float apState = 0, last = 0;
  size_t pos = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const float a = line[pos], b = line[(pos + 1) % n];
    float y = loss * (0.5f * (a + b));
    const float z = ap * (y - apState) + last;
    apState = z;
    last = y;
    y = z;
    line[pos] = y;
    pos = (pos + 1) % n;
    out[i] = a;
  }
  Edges(out, rate, 0.002f, 0.05f);
  return out;
}

std::vector<float> Bell(int rate, float hz, float seconds, float hardness) {
  static const float kRatios[] = {0.5f, 1.f, 1.19f, 1.56f, 2.f, 2.51f, 2.66f, 3.01f, 4.1f};
  static const float kAmps[] = {0.35f, 1.f, 0.5f, 0.35f, 0.45f, 0.25f, 0.18f, 0.15f, 0.08f};
  std::vector<float> out(Frames(rate, seconds));
  for (int p = 0; p < 9; ++p) {
    const float f = hz * kRatios[p];
    if (f > rate * 0.45f) continue;
    const float decay = (2.2f / (1.f + p * 0.6f)) * seconds / 2.f;
    const float amp = kAmps[p] * (p > 3 ? hardness : 1.f);
    for (size_t i = 0; i < out.size(); ++i) {
      const float t = static_cast<float>(i) / rate;
      out[i] += amp * std::exp(-t / decay) * std::sin(kTau * f * t + p);
    }
  }
  Edges(out, rate, 0.001f, 0.08f);
  return out;
}

std::vector<float> Pad(int rate, float hz, float seconds) {
  std::vector<float> out(Frames(rate, seconds));
  const float detune[] = {-0.004f, 0.f, 0.005f};
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / rate;
    float v = 0;
    for (float d : detune)
      for (int h = 1; h <= 5; ++h) v += std::sin(kTau * hz * (1 + d) * h * t + h * 1.3f + d * 300) / (h * h);
    // Slow swell and a gentle breathing of the tone.
    const float env = std::min(1.f, t / 0.8f) * std::min(1.f, (seconds - t) / 0.9f);
    out[i] = v * env * (0.85f + 0.15f * std::sin(kTau * 0.3f * t)) * 0.35f;
  }
  return out;
}

std::vector<float> Flute(int rate, float hz, float seconds, uint32_t seed) {
  std::vector<float> out(Frames(rate, seconds));
  Random rnd(seed);
  float breath = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / rate;
    const float vib = 1 + 0.006f * std::sin(kTau * 5.2f * t) * std::min(1.f, t / 0.4f);
    const float ph = kTau * hz * vib * t;
    breath = breath * 0.9f + rnd.Range(-1, 1) * 0.1f;
    const float env = std::min(1.f, t / 0.06f) * std::min(1.f, (seconds - t) / 0.12f);
    out[i] =
        (std::sin(ph) + 0.22f * std::sin(2 * ph) + 0.08f * std::sin(3 * ph) + breath * 0.25f) * env * 0.5f;
  }
  Edges(out, rate, 0.01f, 0.02f);
  return out;
}

std::vector<float> Knock(int rate, float seconds, const std::vector<float>& modes, float decay,
                         uint32_t seed) {
  std::vector<float> out(Frames(rate, seconds));
  Random rnd(seed);
  float lp = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / rate;
    lp += (rnd.Range(-1, 1) - lp) * 0.35f;
    float v = lp * std::exp(-t / 0.004f) * 0.8f;
    for (size_t m = 0; m < modes.size(); ++m)
      v += std::sin(kTau * modes[m] * t) * std::exp(-t / (decay / (1 + m * 0.7f))) / (1 + m * 0.5f);
    out[i] = v;
  }
  Edges(out, rate, 0.0005f, 0.03f);
  return out;
}

}  // namespace zelmar::content
