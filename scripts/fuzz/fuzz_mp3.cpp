// Fuzz target: the music input's MP3 decoder on arbitrary file bytes (handed over as an in-memory file).
// A file that opens has a sane format; reads deliver at most what was asked; the decoder goes back to the
// start for the tune's loop and reads again, as the music input does at the end of a tune.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio/platform/Mp3Decoder.h"

namespace {

// Decodes at most `limit` frames; traps on a read that delivers more than asked.
long ReadAll(zelmar::audio::Mp3Decoder& decoder, long limit) {
  constexpr long kChunk = 4096;
  std::vector<std::int16_t> pcm(static_cast<std::size_t>(kChunk) * 2);
  long total = 0;
  while (total < limit) {
    const long got = decoder.Read(pcm.data(), kChunk);
    if (got > kChunk || got < -1) __builtin_trap();
    if (got <= 0) break;
    total += got;
  }
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = ::memfd_create("tune.mp3", MFD_CLOEXEC);
  if (fd < 0) return 0;
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = ::write(fd, data + written, size - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  for (const int channels : {0, 2}) {
    zelmar::audio::Mp3Decoder decoder;
    if (!decoder.Open(path, channels, channels == 2)) continue;
    const zelmar::audio::PcmFormat& format = decoder.Format();
    if (format.Channels < 1 || format.Channels > 2 || format.SampleRate <= 0 || format.BitsPerSample != 16)
      __builtin_trap();
    if (channels == 2 && format.Channels != 2) __builtin_trap();
    constexpr long kLimit = 1 << 16;  // frames: enough to reach the loop without decoding a whole tune
    ReadAll(decoder, kLimit);
    if (decoder.Seek(0)) ReadAll(decoder, kLimit);
    decoder.Close();
  }
  ::close(fd);
  return 0;
}
