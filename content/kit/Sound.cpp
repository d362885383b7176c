#include "content/kit/Sound.h"

#include <algorithm>
#include <cmath>

namespace zelmar::content {

void Stereo::Mix(const std::vector<float>& sound, long at, float gain, float pan, bool wrap) {
  const float gl = gain * std::sqrt(0.5f * (1 - pan)), gr = gain * std::sqrt(0.5f * (1 + pan));
  const long n = static_cast<long>(Frames());
  for (size_t i = 0; i < sound.size(); ++i) {
    long k = at + static_cast<long>(i);
    if (wrap) k = ((k % n) + n) % n;
    if (k < 0 || k >= n) continue;
    Left[k] += sound[i] * gl;
    Right[k] += sound[i] * gr;
  }
}

void Stereo::FadeOut(float seconds) {
  const size_t n = std::min(Frames(), static_cast<size_t>(seconds * Rate));
  for (size_t i = 0; i < n; ++i) {
    const float k = static_cast<float>(i) / n;
    const float g = k * k;
    Left[Frames() - 1 - i] *= g;
    Right[Frames() - 1 - i] *= g;
  }
}

void Stereo::Normalise(float peak) {
  float m = 1e-9f;
  for (size_t i = 0; i < Frames(); ++i) m = std::max(m, std::max(std::fabs(Left[i]), std::fabs(Right[i])));
  const float k = peak / m;
  for (size_t i = 0; i < Frames(); ++i) {
    Left[i] *= k;
    Right[i] *= k;
  }
}

namespace {

struct Comb {
  std::vector<float> Buf;
  size_t Pos = 0;
  float Store = 0;
  float Process(float x, float feedback, float damp) {
    const float y = Buf[Pos];
    Store = y * (1 - damp) + Store * damp;
    Buf[Pos] = x + Store * feedback;
    Pos = (Pos + 1) % Buf.size();
    return y;
  }
};

struct AllPass {
  std::vector<float> Buf;
  size_t Pos = 0;
  float Process(float x) {
    const float b = Buf[Pos];
    const float y = -x + b;
    Buf[Pos] = x + b * 0.5f;
    Pos = (Pos + 1) % Buf.size();
    return y;
  }
};

// One channel of the reverb; `spread` detunes the right channel's delays.
struct Channel {
  std::vector<Comb> Combs;
  std::vector<AllPass> Passes;
  Channel(int rate, int spread) {
    for (int len : {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617})
      Combs.push_back({std::vector<float>(static_cast<size_t>((len + spread) * rate / 44100), 0.f)});
    for (int len : {556, 441, 341, 225})
      Passes.push_back({std::vector<float>(static_cast<size_t>((len + spread) * rate / 44100), 0.f)});
  }
  float Process(float x, float feedback, float damp) {
    float y = 0;
    for (Comb& c : Combs) y += c.Process(x * 0.015f, feedback, damp);
    for (AllPass& a : Passes) y = a.Process(y);
    return y;
  }
};

}  // namespace

void Reverb(Stereo& s, float roomSize, float damping, float wet, bool loop) {
  Channel l(s.Rate, 0), r(s.Rate, 23);
  const float feedback = 0.7f + 0.28f * roomSize;
  const size_t n = s.Frames();
  std::vector<float> outL(n), outR(n);
  // With a loop, a first pass fills the delay lines with the end of the piece.
  for (int pass = loop ? 0 : 1; pass < 2; ++pass)
    for (size_t i = 0; i < n; ++i) {
      const float in = s.Left[i] + s.Right[i];
      outL[i] = l.Process(in, feedback, damping);
      outR[i] = r.Process(in, feedback, damping);
    }
  for (size_t i = 0; i < n; ++i) {
    s.Left[i] = s.Left[i] * (1 - wet * 0.5f) + outL[i] * wet;
    s.Right[i] = s.Right[i] * (1 - wet * 0.5f) + outR[i] * wet;
  }
}

Bytes WaveBytes(const Stereo& s) {
  Bytes out;
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  const uint32_t dataSize = static_cast<uint32_t>(s.Frames() * 4);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  put(36 + dataSize, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put(16, 4);
  put(1, 2);
  put(2, 2);
  put(static_cast<uint32_t>(s.Rate), 4);
  put(static_cast<uint32_t>(s.Rate * 4), 4);
  put(4, 2);
  put(16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  put(dataSize, 4);
  for (size_t i = 0; i < s.Frames(); ++i)
    for (float v : {s.Left[i], s.Right[i]}) {
      const long q = std::lround(std::clamp(v, -1.f, 1.f) * 32767.f);
      put(static_cast<uint32_t>(static_cast<int16_t>(q)) & 0xffffu, 2);
    }
  return out;
}

}  // namespace zelmar::content
