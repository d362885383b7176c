#include "content/kit/Sound.h"

#include <algorithm>
#include <cmath>

namespace zelmar::content {

void Stereo::mix(const std::vector<float>& sound, long at, float gain, float pan, bool wrap) {
  const float gl = gain * std::sqrt(0.5f * (1 - pan)), gr = gain * std::sqrt(0.5f * (1 + pan));
  const long n = static_cast<long>(frames());
  for (size_t i = 0; i < sound.size(); ++i) {
    long k = at + static_cast<long>(i);
    if (wrap) k = ((k % n) + n) % n;
    if (k < 0 || k >= n) continue;
    left[k] += sound[i] * gl;
    right[k] += sound[i] * gr;
  }
}

void Stereo::fadeOut(float seconds) {
  const size_t n = std::min(frames(), static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < n; ++i) {
    const float k = static_cast<float>(i) / n;
    const float g = k * k;
    left[frames() - 1 - i] *= g;
    right[frames() - 1 - i] *= g;
  }
}

void Stereo::normalise(float peak) {
  float m = 1e-9f;
  for (size_t i = 0; i < frames(); ++i) m = std::max(m, std::max(std::fabs(left[i]), std::fabs(right[i])));
  const float k = peak / m;
  for (size_t i = 0; i < frames(); ++i) {
    left[i] *= k;
    right[i] *= k;
  }
}

namespace {

struct Comb {
  std::vector<float> buf;
  size_t pos = 0;
  float store = 0;
  float process(float x, float feedback, float damp) {
    const float y = buf[pos];
    store = y * (1 - damp) + store * damp;
    buf[pos] = x + store * feedback;
    pos = (pos + 1) % buf.size();
    return y;
  }
};

struct AllPass {
  std::vector<float> buf;
  size_t pos = 0;
  float process(float x) {
    const float b = buf[pos];
    const float y = -x + b;
    buf[pos] = x + b * 0.5f;
    pos = (pos + 1) % buf.size();
    return y;
  }
};

// One channel of the reverb; `spread` detunes the right channel's delays.
struct Channel {
  std::vector<Comb> combs;
  std::vector<AllPass> passes;
  Channel(int rate, int spread) {
    for (int len : {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617})
      combs.push_back({std::vector<float>(static_cast<size_t>((len + spread) * rate / 44100), 0.f)});
    for (int len : {556, 441, 341, 225})
      passes.push_back({std::vector<float>(static_cast<size_t>((len + spread) * rate / 44100), 0.f)});
  }
  float process(float x, float feedback, float damp) {
    float y = 0;
    for (Comb& c : combs) y += c.process(x * 0.015f, feedback, damp);
    for (AllPass& a : passes) y = a.process(y);
    return y;
  }
};

}  // namespace

void reverb(Stereo& s, float roomSize, float damping, float wet, bool loop) {
  Channel l(s.rate, 0), r(s.rate, 23);
  const float feedback = 0.7f + 0.28f * roomSize;
  const size_t n = s.frames();
  std::vector<float> outL(n), outR(n);
  // With a loop, a first pass fills the delay lines with the end of the piece.
  for (int pass = loop ? 0 : 1; pass < 2; ++pass)
    for (size_t i = 0; i < n; ++i) {
      const float in = s.left[i] + s.right[i];
      outL[i] = l.process(in, feedback, damping);
      outR[i] = r.process(in, feedback, damping);
    }
  for (size_t i = 0; i < n; ++i) {
    s.left[i] = s.left[i] * (1 - wet * 0.5f) + outL[i] * wet;
    s.right[i] = s.right[i] * (1 - wet * 0.5f) + outR[i] * wet;
  }
}

Bytes waveBytes(const Stereo& s) {
  Bytes out;
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  const uint32_t dataSize = static_cast<uint32_t>(s.frames() * 4);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  put(36 + dataSize, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put(16, 4);
  put(1, 2);
  put(2, 2);
  put(static_cast<uint32_t>(s.rate), 4);
  put(static_cast<uint32_t>(s.rate * 4), 4);
  put(4, 2);
  put(16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  put(dataSize, 4);
  for (size_t i = 0; i < s.frames(); ++i)
    for (float v : {s.left[i], s.right[i]}) {
      const long q = std::lround(std::clamp(v, -1.f, 1.f) * 32767.f);
      put(static_cast<uint32_t>(static_cast<int16_t>(q)) & 0xffffu, 2);
    }
  return out;
}

}  // namespace zelmar::content
