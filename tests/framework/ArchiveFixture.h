// Shared helpers for the archive tests: sample records, archives built in memory, scratch files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/GfxDbBytes.h"
#include "tools/archive/GfxDbWriter.h"

namespace zelmar {

namespace archive_test {

// Bytes that compress somewhat but not trivially.
inline std::vector<std::uint8_t> SampleBytes(std::size_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t x = seed * 2654435761u + 1;
  for (std::size_t i = 0; i < size; ++i) {
    x = x * 1103515245u + 12345u;
    bytes[i] = static_cast<std::uint8_t>((i % 7 == 0) ? (x >> 16) : (i & 0x3F));
  }
  return bytes;
}

// Builds an archive of the given writer, failing the test when it cannot.
inline std::vector<std::uint8_t> BuildArchive(const TGfxDbWriter& writer) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(writer.Build(bytes, &error)) << error;
  return bytes;
}

// A scratch directory removed at the end of each test.
class ScratchDir : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Dir = std::filesystem::temp_directory_path() / ("zelmar-" + std::string(info->test_suite_name()) + "-" +
                                                    info->name() + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }

  // Writes bytes to a file in the scratch directory and returns its path.
  std::string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const auto path = Dir / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good());
    return path.string();
  }

  std::filesystem::path Dir;
};

// Offset of record `index`'s header, taken from the table of a writer-built archive.
inline std::int32_t RecordOffset(const std::vector<std::uint8_t>& archive, int index) {
  std::int64_t pos = GfxDbGetLE<std::int32_t>(archive.data() + 8);
  for (int i = 0;; ++i) {
    const auto length = GfxDbGetLE<std::int32_t>(archive.data() + pos);
    pos += 4 + length;
    if (i == index) return GfxDbGetLE<std::int32_t>(archive.data() + pos);
    pos += 4;
  }
}

}  // namespace archive_test

}  // namespace zelmar
