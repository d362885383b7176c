#include "audio/platform/MpegProbe.h"

#include <fstream>
#include <vector>

namespace zelmar::audio {

namespace {

constexpr int kFramesInChain = 4;

struct FrameHeader {
  int Version = 0;  // 3 = MPEG 1, 2 = MPEG 2, 0 = MPEG 2.5
  int Layer = 0;    // 1, 2 or 3
  int RateIndex = 0;
  bool Mono = false;
  size_t Length = 0;  // bytes of the whole frame
};

// Bit rates in kbit/s by [MPEG 1 ? 0 : 1][layer - 1][index 1..14].
constexpr int kBitRates[2][3][15] = {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
                                      {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
                                      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
                                     {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
                                      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
                                      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};

constexpr int kSampleRates[4][3] = {
    {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

// Decodes a four-byte frame header; false for anything reserved, free-format or malformed.
bool ReadHeader(const uint8_t* p, FrameHeader& header) {
  if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
  header.Version = (p[1] >> 3) & 3;
  const int layerBits = (p[1] >> 1) & 3;
  const int bitRateIndex = p[2] >> 4;
  header.RateIndex = (p[2] >> 2) & 3;
  const int padding = (p[2] >> 1) & 1;
  header.Mono = (p[3] >> 6) == 3;
  if (header.Version == 1 || layerBits == 0 || bitRateIndex == 0 || bitRateIndex == 15 ||
      header.RateIndex == 3 || (p[3] & 3) == 2) {
    return false;
  }
  header.Layer = 4 - layerBits;
  const long bitRate = 1000L * kBitRates[header.Version == 3 ? 0 : 1][header.Layer - 1][bitRateIndex];
  const long rate = kSampleRates[header.Version][header.RateIndex];
  if (header.Layer == 1) {
    header.Length = static_cast<size_t>((12 * bitRate / rate + padding) * 4);
  } else {
    const long factor = (header.Layer == 3 && header.Version != 3) ? 72 : 144;
    header.Length = static_cast<size_t>(factor * bitRate / rate + padding);
  }
  return header.Length >= 4;
}

// Size of an ID3v2 tag at the start (0 when there is none).
size_t Id3v2Size(std::span<const uint8_t> head) {
  if (head.size() < 10 || head[0] != 'I' || head[1] != 'D' || head[2] != '3') return 0;
  size_t size = 0;
  for (int i = 6; i < 10; ++i) size = size << 7 | (head[i] & 0x7F);
  return 10 + size + ((head[5] & 0x10) ? 10 : 0);
}

// Follows Layer III frames from `at`; true after a few consistent ones or at the exact end of
// the file. Other layers are refused: runs of 0xFF bytes in binary data read as Layer I frames.
bool ChainFrom(std::span<const uint8_t> head, size_t at, uint64_t fileEnd) {
  FrameHeader first;
  for (int count = 0; count < kFramesInChain; ++count) {
    if (at == fileEnd && count > 0) return true;
    FrameHeader header;
    if (at + 4 > head.size() || !ReadHeader(head.data() + at, header) || header.Layer != 3) return false;
    if (count == 0) {
      first = header;
    } else if (header.Version != first.Version || header.RateIndex != first.RateIndex ||
               header.Mono != first.Mono) {
      return false;
    }
    at += header.Length;
  }
  return true;
}

}  // namespace

bool LooksLikeMpegAudio(std::span<const uint8_t> head, uint64_t fileSize) {
  for (size_t at = 0; at + 4 <= head.size(); ++at) {
    if (head[at] == 0xFF && ChainFrom(head, at, fileSize)) return true;
  }
  return false;
}

// Reads past an ID3v2 tag (which may hold pictures far larger than the probe) and probes the rest.
bool FileLooksLikeMpegAudio(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::vector<uint8_t> head(kMpegProbeBytes);
  file.read(reinterpret_cast<char*>(head.data()), 10);
  const size_t skip = Id3v2Size(std::span<const uint8_t>(head.data(), static_cast<size_t>(file.gcount())));
  file.clear();
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size <= 0 || static_cast<uint64_t>(size) <= skip) return false;
  file.seekg(static_cast<std::streamoff>(skip));
  file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(file.gcount()));
  return LooksLikeMpegAudio(head, static_cast<uint64_t>(size) - skip);
}

}  // namespace zelmar::audio
