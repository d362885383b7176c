// Synthesises the eight sound clips (16-bit stereo, 22 050 Hz) at their fixed lengths.
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "content/gen/GenMain.h"
#include "content/kit/Sound.h"
#include "content/kit/Voices.h"

using namespace zelmar;
using namespace zelmar::content;

namespace {

constexpr int kRate = 22050;

Stereo Clip(float seconds) {
  return Stereo(kRate, static_cast<size_t>(std::lround(seconds * kRate)));
}

// 1: a soft fanfare of horn-like chords.
Stereo Fanfare() {
  Stereo s = Clip(1.10f);
  const float notes[] = {60, 64, 67, 72};
  for (int i = 0; i < 4; ++i) {
    std::vector<float> v = Pad(kRate, MidiHz(notes[i]), 1.05f - i * 0.12f);
    for (size_t k = 0; k < v.size(); ++k) v[k] *= std::min(1.f, k / (0.03f * kRate)) * 2.2f;
    s.Mix(v, static_cast<long>(i * 0.12f * kRate), 0.5f, -0.3f + i * 0.2f);
  }
  Reverb(s, 0.5f, 0.4f, 0.25f, false);
  return s;
}

// 2: a menu click: a small wooden tick with a soft glassy tail.
Stereo Click() {
  Stereo s = Clip(0.70f);
  s.Mix(Knock(kRate, 0.12f, {1850, 3200}, 0.012f, 2), 0, 0.7f, 0);
  s.Mix(Bell(kRate, 1568, 0.5f, 0.3f), 0, 0.12f, 0.1f);
  Reverb(s, 0.3f, 0.5f, 0.2f, false);
  return s;
}

// 3: a wooden knock of a piece on the board.
Stereo WoodKnock() {
  Stereo s = Clip(0.54f);
  s.Mix(Knock(kRate, 0.4f, {190, 430, 910, 1480}, 0.035f, 3), 0, 0.9f, 0);
  s.Mix(Knock(kRate, 0.3f, {230, 520}, 0.025f, 4), static_cast<long>(0.028f * kRate), 0.35f, 0.1f);
  Reverb(s, 0.2f, 0.6f, 0.15f, false);
  return s;
}

// 4: a capture: a heavy strike and a long metallic ring.
Stereo Capture() {
  Stereo s = Clip(2.92f);
  s.Mix(Knock(kRate, 0.6f, {70, 140, 260}, 0.12f, 5), 0, 1.f, 0);
  s.Mix(Bell(kRate, 220, 2.8f, 0.8f), static_cast<long>(0.005f * kRate), 0.45f, -0.2f);
  s.Mix(Bell(kRate, 331, 2.5f, 0.6f), static_cast<long>(0.01f * kRate), 0.25f, 0.25f);
  Reverb(s, 0.7f, 0.35f, 0.3f, false);
  return s;
}

// 5: a promotion: a bright rising chime.
Stereo Promotion() {
  Stereo s = Clip(1.35f);
  const float notes[] = {72, 76, 79, 84, 88};
  for (int i = 0; i < 5; ++i)
    s.Mix(Bell(kRate, MidiHz(notes[i]), 1.3f - i * 0.1f, 0.4f), static_cast<long>(i * 0.08f * kRate), 0.35f,
          -0.5f + i * 0.25f);
  Reverb(s, 0.6f, 0.3f, 0.3f, false);
  return s;
}

// 6: a soft swell.
Stereo Swell() {
  Stereo s = Clip(1.57f);
  for (float n : {57.f, 64.f, 69.f, 72.f}) s.Mix(Pad(kRate, MidiHz(n), 1.55f), 0, 0.4f, (n - 64) / 16);
  Reverb(s, 0.6f, 0.4f, 0.3f, false);
  return s;
}

// 7: check: a warning bell struck twice.
Stereo CheckBell() {
  Stereo s = Clip(1.93f);
  s.Mix(Bell(kRate, 880, 1.9f, 0.9f), 0, 0.5f, -0.15f);
  s.Mix(Bell(kRate, 880, 1.6f, 0.9f), static_cast<long>(0.26f * kRate), 0.42f, 0.15f);
  Reverb(s, 0.5f, 0.3f, 0.25f, false);
  return s;
}

// 8: a low gong.
Stereo Gong() {
  Stereo s = Clip(2.62f);
  s.Mix(Bell(kRate, 98, 2.6f, 1.f), 0, 0.6f, -0.1f);
  s.Mix(Bell(kRate, 98.7f, 2.5f, 0.8f), 0, 0.4f, 0.1f);
  s.Mix(Knock(kRate, 0.3f, {60, 120}, 0.08f, 8), 0, 0.5f, 0);
  Reverb(s, 0.8f, 0.3f, 0.35f, false);
  return s;
}

}  // namespace

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const std::vector<std::function<Stereo()>> clips = {Fanfare,   Click, WoodKnock, Capture,
                                                      Promotion, Swell, CheckBell, Gong};
  for (size_t i = 0; i < clips.size(); ++i) {
    Stereo s = clips[i]();
    s.FadeOut(0.12f);
    s.Normalise(0.85f);
    const std::string path = args[1] + "/sound_" + std::to_string(i + 1) + ".wav";
    if (!WriteFile(path, WaveBytes(s))) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "clips", {"<output directory>"}, Generate);
}
