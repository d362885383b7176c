// zelmar-audio: plays an MP3 file (looping, through the music output) or a WAV file (through
// the effect clips) on the sound device until Enter is pressed.
//
//   zelmar-audio [--device N] [--volume V] [--pan P] [--loop] FILE
//
// --device picks the output (0 = default, see the list printed at start); --volume and --pan
// (hundredths of a decibel) and --loop apply to WAV files.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/AudioError.h"
#include "audio/AudioStreamOut.h"
#include "audio/Mp3Source.h"
#include "audio/SoundSystem.h"
#include "audio/WaveList.h"

using namespace zelmar::audio;

namespace {

struct Options {
  int Device = 0;
  int Volume = 0;
  int Pan = 0;
  bool Loop = false;
  std::string File;
};

// Reads the command line; false (after a usage message) when it makes no sense.
bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--device" && hasValue) {
      options.Device = std::atoi(argv[++i]);
    } else if (arg == "--volume" && hasValue) {
      options.Volume = std::atoi(argv[++i]);
    } else if (arg == "--pan" && hasValue) {
      options.Pan = std::atoi(argv[++i]);
    } else if (arg == "--loop") {
      options.Loop = true;
    } else if (!arg.empty() && arg[0] != '-' && options.File.empty()) {
      options.File = arg;
    } else {
      options.File.clear();
      break;
    }
  }
  if (options.File.empty()) {
    std::fprintf(stderr,
                 "usage: zelmar-audio [--device N] [--volume V] [--pan P] [--loop] FILE.mp3|FILE.wav\n");
    return false;
  }
  return true;
}

bool EndsWith(const std::string& text, const char* tail) {
  const size_t n = std::strlen(tail);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != tail[i]) return false;
  }
  return true;
}

void WaitForEnter() {
  std::printf("Playing; press Enter to stop.\n");
  std::string line;
  std::getline(std::cin, line);
}

// Streams the tune through the music output, looping, until Enter.
int PlayMp3(const Options& options) {
  TMp3Source source;
  source.SetFileName(options.File);
  if (!source.Valid()) {
    std::fprintf(stderr, "zelmar-audio: %s is not a readable MP3 file\n", options.File.c_str());
    return 1;
  }
  std::printf("%s: %d channel(s), %d Hz\n", options.File.c_str(), source.Channels(), source.SampleRate());
  source.SetLoop(true);
  TAudioStreamOut out;
  out.SetInput(&source);
  out.SetDeviceNumber(options.Device);
  out.Run();
  WaitForEnter();
  out.Stop(false);
  if (!out.LastError().empty()) std::fprintf(stderr, "zelmar-audio: %s\n", out.LastError().c_str());
  return 0;
}

// Plays the file as an effect clip (once, or looping with --loop) until Enter.
int PlayWav(const Options& options) {
  std::ifstream file(options.File, std::ios::binary);
  std::vector<uint8_t> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file.good() && !file.eof()) {
    std::fprintf(stderr, "zelmar-audio: cannot read %s\n", options.File.c_str());
    return 1;
  }
  TSoundSystem system;
  system.Loaded();
  TWaveList list(&system);
  TWaveItem& item = list.Add("clip", image);
  item.SetLooped(options.Loop);
  item.SetVolume(options.Volume);
  item.SetPan(options.Pan);
  std::printf("Output: %s\n", system.Output()->Describe().c_str());
  item.Play(false);
  WaitForEnter();
  item.Stop();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return 2;
  std::printf("Sound devices: %d (0 = default)\n", AudioOutput::DeviceCount());
  try {
    if (EndsWith(options.File, ".wav")) return PlayWav(options);
    auto output = AudioOutput::Open(options.Device);  // held so the music shares it, for the report
    if (output) std::printf("Output: %s\n", output->Describe().c_str());
    return PlayMp3(options);
  } catch (const EAudioError& e) {
    std::fprintf(stderr, "zelmar-audio: %s\n", e.what());
    return 1;
  }
}
