// A quick look at the start of a file: does it hold MP3 frames? The decoder alone is too
// trusting: it finds stray frame-sync patterns in any binary file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zelmar::audio {

// Bytes of the file start the probe needs (after an ID3v2 tag, which it skips).
constexpr size_t kMpegProbeBytes = 64 * 1024;

// True when, somewhere in `head` (the file after any ID3v2 tag, `fileSize` bytes long), four
// well-formed MPEG Layer III frames of one version, rate and channel count follow each other
// (fewer when the file ends exactly after the last one).
bool LooksLikeMpegAudio(std::span<const uint8_t> head, uint64_t fileSize);

// Reads the start of a file and probes it; false when it cannot be read.
bool FileLooksLikeMpegAudio(const std::string& path);

}  // namespace zelmar::audio
