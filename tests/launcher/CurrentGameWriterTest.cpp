// The current game's writer thread: the newest text always ends in the file, a flush waits for it, a failed
// write is reported once and the next good one clears it, and the end of the writer loses nothing.
#include "launcher/CurrentGameWriter.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "launcher/TempDir.h"

namespace zelmar {
namespace {

using testing::TempDir;

std::string ReadCurrentText(const TGameStore& store) {
  std::string text, error;
  EXPECT_EQ(store.ReadCurrent(text, &error), TReadStatus::Read) << error;
  return text;
}

// A burst of texts of varied sizes from the main thread: after each flush the file holds the last one
// handed over, never an older one, and no more writes happen than texts handed over.
TEST(CurrentGameWriter, TheNewestTextWinsAndFlushWaitsForIt) {
  TempDir dir;
  TGameStore store(dir.Path() / "games");
  std::string error;
  ASSERT_TRUE(store.Prepare(&error)) << error;
  std::mt19937 random(29);
  TCurrentGameWriter writer(store);
  std::uint64_t handed = 0;
  for (int round = 0; round < 20; ++round) {
    std::string last;
    const int burst = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < burst; ++i) {
      last = "[Event \"round " + std::to_string(round) + " text " + std::to_string(i) + "\"]\n" +
             std::string(random() % 4000, 'x') + "\n";
      writer.Submit(last);
      ++handed;
    }
    ASSERT_TRUE(writer.Flush(&error)) << error;
    ASSERT_EQ(ReadCurrentText(store), last) << "round " << round;
  }
  EXPECT_EQ(writer.Submitted(), handed);
  EXPECT_LE(writer.Written(), handed);
  EXPECT_GE(writer.Written(), 20u);
  EXPECT_EQ(writer.TakeError(), "");
}

// A folder that has gone away makes the write fail: the flush says so with the file's name, the reason is
// taken once, and a write after the folder is back succeeds and clears the failure.
TEST(CurrentGameWriter, AFailureIsReportedOnceAndClearedByTheNextWrite) {
  TempDir dir;
  TGameStore store(dir.Path() / "games");
  std::string error;
  ASSERT_TRUE(store.Prepare(&error)) << error;
  TCurrentGameWriter writer(store);
  std::filesystem::remove_all(store.Folder());
  writer.Submit("lost\n");
  EXPECT_FALSE(writer.Flush(&error));
  EXPECT_NE(error.find(kCurrentGameFileName), std::string::npos) << error;
  EXPECT_NE(writer.TakeError(), "");
  EXPECT_EQ(writer.TakeError(), "");
  ASSERT_TRUE(store.Prepare(&error)) << error;
  writer.Submit("kept\n");
  error.clear();
  EXPECT_TRUE(writer.Flush(&error)) << error;
  EXPECT_EQ(ReadCurrentText(store), "kept\n");
}

// The writer's end writes what still waits: a text handed over just before it goes is in the file.
TEST(CurrentGameWriter, TheEndWritesWhatWaits) {
  TempDir dir;
  TGameStore store(dir.Path() / "games");
  std::string error;
  ASSERT_TRUE(store.Prepare(&error)) << error;
  {
    TCurrentGameWriter writer(store);
    for (int i = 0; i < 50; ++i) writer.Submit("text " + std::to_string(i) + "\n");
  }
  EXPECT_EQ(ReadCurrentText(store), "text 49\n");
}

}  // namespace
}  // namespace zelmar
