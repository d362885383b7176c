#include "launcher/GameStore.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launcher/TempDir.h"

namespace zelmar {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A PGN-shaped archive entry of about `size` bytes, named by `id`, ending with its blank line.
std::string Entry(const std::string& id, std::size_t size = 0) {
  std::string text = "[Event \"" + id + "\"]\n[Result \"*\"]\n\n1. e4 e5";
  for (int move = 2; text.size() + 8 < size; ++move)
    text += (move % 10 == 0 ? "\n" : " ") + std::to_string(move) + ". Nf3 Nc6";
  return text + " *\n\n";
}

// The names in a folder other than `keep`.
std::vector<std::string> OtherFiles(const std::filesystem::path& folder, const std::string& keep) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename() != keep) names.push_back(entry.path().filename().string());
  return names;
}

// Runs `body` in a child process and gives its exit status (the child's own checks decide it).
template <typename Body>
int InChild(Body body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, 0), child);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GameStore, CurrentGameIsReplacedWholeAndAnUnreadableOneIsMovedAsideNeverDeleted) {
  TempDir dir;
  TGameStore store(dir.File("data") / "zelmar-chess");
  std::string error;

  // 1. Prepare makes the folder and its parents private; a missing current game is Absent.
  ASSERT_TRUE(store.Prepare(&error)) << error;
  for (const auto& folder : {dir.File("data"), store.Folder()}) {
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
  }
  std::string text;
  EXPECT_EQ(store.ReadCurrent(text), TReadStatus::Absent);

  // 2. Each write replaces the whole file, private to its owner, and leaves nothing else behind.
  ASSERT_TRUE(store.WriteCurrent(Entry("first", 3000), &error)) << error;
  ASSERT_TRUE(store.WriteCurrent(Entry("second"), &error)) << error;
  ASSERT_EQ(store.ReadCurrent(text, &error), TReadStatus::Read) << error;
  EXPECT_EQ(text, Entry("second"));
  struct stat info {};
  ASSERT_EQ(::stat(store.CurrentPath().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_TRUE(OtherFiles(store.Folder(), kCurrentGameFileName).empty());

  // 3. Temporary files left by a writer that is gone are cleared; a running writer's and others stay.
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string prefix = std::string(kCurrentGameFileName) + ".tmp.";
  const std::string leftover = prefix + std::to_string(gone) + ".a1B2c3";
  const std::string running = prefix + std::to_string(::getpid()) + ".x9Y8z7";
  const std::string unrelated = prefix + "notes";
  for (const auto& name : {leftover, running, unrelated}) WriteFile(store.Folder() / name, "[Event");
  ASSERT_TRUE(store.Prepare(&error)) << error;
  EXPECT_FALSE(std::filesystem::exists(store.Folder() / leftover));
  EXPECT_TRUE(std::filesystem::exists(store.Folder() / running));
  EXPECT_TRUE(std::filesystem::exists(store.Folder() / unrelated));
  ASSERT_EQ(store.ReadCurrent(text), TReadStatus::Read);
  EXPECT_EQ(text, Entry("second"));
  std::filesystem::remove(store.Folder() / running);
  std::filesystem::remove(store.Folder() / unrelated);

  // 4. Moved aside twice (as fast as it goes, so mostly in the same second): two files, nothing lost.
  const auto firstAside = store.MoveCurrentAside(&error);
  ASSERT_TRUE(firstAside) << error;
  EXPECT_EQ(store.ReadCurrent(text), TReadStatus::Absent);
  ASSERT_TRUE(store.WriteCurrent("broken", &error)) << error;
  const auto secondAside = store.MoveCurrentAside(&error);
  ASSERT_TRUE(secondAside) << error;
  EXPECT_NE(*firstAside, *secondAside);
  EXPECT_EQ(firstAside->parent_path(), store.Folder());
  EXPECT_EQ(ReadFile(*firstAside), Entry("second"));
  EXPECT_EQ(ReadFile(*secondAside), "broken");
  EXPECT_FALSE(store.MoveCurrentAside(&error));
  EXPECT_NE(error.find(store.CurrentPath().string()), std::string::npos) << error;
  EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
  EXPECT_TRUE(store.RemoveCurrent(&error)) << error;

  // 5. What stands in the file's place and cannot be a game: refused with the file and the reason, and
  //    no temporary file stays.
  std::filesystem::create_directory(store.CurrentPath());
  EXPECT_EQ(store.ReadCurrent(text, &error), TReadStatus::Failed);
  EXPECT_NE(error.find(store.CurrentPath().string()), std::string::npos) << error;
  EXPECT_FALSE(store.WriteCurrent("game", &error));
  EXPECT_NE(error.find(store.CurrentPath().string()), std::string::npos) << error;
  EXPECT_NE(error.find(std::strerror(EISDIR)), std::string::npos) << error;
  EXPECT_EQ(OtherFiles(store.Folder(), kCurrentGameFileName).size(), 2u);  // the two moved aside
  WriteFile(dir.File("file-not-folder"), "x");
  EXPECT_FALSE(TGameStore(dir.File("file-not-folder") / "x").Prepare(&error));
  EXPECT_NE(error.find(dir.File("file-not-folder").string()), std::string::npos) << error;
}

TEST(GameStore, ArchiveAddsEntriesAndReplacesOnlyItsUnchangedLastOne) {
  TempDir dir;
  TGameStore store(dir.Path());
  std::string error;
  std::string text;
  EXPECT_EQ(store.ReadArchive(text), TReadStatus::Absent);

  // 1. Entries follow each other, each ended by a blank line (one without gets it).
  const auto one = store.AddToArchive(Entry("one", 500), &error);
  const auto two = store.AddToArchive(Entry("two", 700), &error);
  std::string three = Entry("three");
  three.pop_back();
  const auto spotThree = store.AddToArchive(three, &error);
  ASSERT_TRUE(one && two && spotThree) << error;
  ASSERT_EQ(store.ReadArchive(text, &error), TReadStatus::Read) << error;
  EXPECT_EQ(text, Entry("one", 500) + Entry("two", 700) + Entry("three"));
  EXPECT_EQ(spotThree->Offset + spotThree->Size, text.size());
  EXPECT_TRUE(store.ArchiveHolds(*one) && store.ArchiveHolds(*two) && store.ArchiveHolds(*spotThree));

  // 2. The last entry is replaced in place, by a longer or a shorter one; no journal stays behind.
  auto spot = store.ReplaceInArchive(*spotThree, Entry("three again", 2000), &error);
  ASSERT_TRUE(spot) << error;
  EXPECT_EQ(spot->Offset, spotThree->Offset);
  EXPECT_FALSE(store.ArchiveHolds(*spotThree));
  spot = store.ReplaceInArchive(*spot, Entry("three at last"), &error);
  ASSERT_TRUE(spot) << error;
  ASSERT_EQ(store.ReadArchive(text), TReadStatus::Read);
  EXPECT_EQ(text, Entry("one", 500) + Entry("two", 700) + Entry("three at last"));
  EXPECT_EQ(OtherFiles(dir.Path(), kArchiveFileName).size(), 0u);

  // 3. An entry that is no longer last, a last one changed by hand, or a spot that fits nothing: the new
  //    entry is appended and every earlier one stays; the replacement of the last entry only leaves the
  //    archive alone then, without an error.
  error = "before";
  EXPECT_FALSE(store.ReplaceLastInArchive(*two, Entry("two judged"), &error));
  EXPECT_EQ(error, "");
  std::string unchanged;
  ASSERT_EQ(store.ReadArchive(unchanged), TReadStatus::Read);
  EXPECT_EQ(unchanged, text);
  const auto appended = store.ReplaceInArchive(*two, Entry("two again"), &error);
  ASSERT_TRUE(appended) << error;
  EXPECT_EQ(appended->Offset, text.size());
  EXPECT_TRUE(store.ArchiveHolds(*two));
  {
    std::fstream edit(store.ArchivePath(), std::ios::in | std::ios::out | std::ios::binary);
    edit.seekp(static_cast<std::streamoff>(appended->Offset + 2));
    edit.put('X');
  }
  const auto afterEdit = store.ReplaceInArchive(*appended, Entry("four"), &error);
  const auto afterNonsense = store.ReplaceInArchive({1u << 30, 10, 0}, Entry("five"), &error);
  ASSERT_TRUE(afterEdit && afterNonsense) << error;
  std::string edited = Entry("two again");
  edited[2] = 'X';
  ASSERT_EQ(store.ReadArchive(text), TReadStatus::Read);
  EXPECT_EQ(text, Entry("one", 500) + Entry("two", 700) + Entry("three at last") + edited + Entry("four") +
                      Entry("five"));

  // 4. A torn end (a crash in the middle of a write) is closed off, so the next entry starts on a fresh
  //    line after a blank one and is never swallowed by the torn one.
  const std::string torn = "[Event \"torn\"]\n\n1. e4 e5 2. N";
  std::ofstream(store.ArchivePath(), std::ios::app | std::ios::binary) << torn;
  const auto afterTorn = store.AddToArchive(Entry("six"), &error);
  ASSERT_TRUE(afterTorn) << error;
  std::ofstream(store.ArchivePath(), std::ios::app | std::ios::binary) << "[Event \"half\"]\n";
  ASSERT_TRUE(store.ReplaceInArchive(*afterTorn, Entry("seven"), &error)) << error;
  ASSERT_EQ(store.ReadArchive(text), TReadStatus::Read);
  EXPECT_EQ(text, Entry("one", 500) + Entry("two", 700) + Entry("three at last") + edited + Entry("four") +
                      Entry("five") + torn + "\n\n" + Entry("six") + "[Event \"half\"]\n\n" + Entry("seven"));

  // 5. A spot kept as text comes back whole; anything else is refused.
  const TArchiveSpot big{(1ull << 40) + 7, 3125, 4294967295u};
  EXPECT_EQ(SpotText(big), "1099511627783 3125 4294967295");
  EXPECT_EQ(ParseSpot(SpotText(big)), big);
  for (const char* bad : {"", "1 2", "1 2 3 4", " 1 2 3", "1  2 3", "1 2 3 ", "-1 2 3", "1 2 4294967296",
                          "1 2 x", "+1 2 3", "1,2,3"})
    EXPECT_FALSE(ParseSpot(bad)) << bad;

  // 6. Whatever stands in the archive's place is refused with the file and the reason.
  TGameStore blocked(dir.File("blocked"));
  std::filesystem::create_directories(blocked.ArchivePath());
  EXPECT_FALSE(blocked.AddToArchive(Entry("x"), &error));
  EXPECT_NE(error.find(blocked.ArchivePath().string()), std::string::npos) << error;
  EXPECT_EQ(blocked.ReadArchive(text, &error), TReadStatus::Failed);
}

TEST(GameStore, FailedWritesKeepEveryEarlierGameAndAnInterruptedReplacementIsFinished) {
  TempDir dir;
  TGameStore store(dir.Path());
  std::string error;
  ASSERT_TRUE(store.WriteCurrent(Entry("kept")));
  const auto first = store.AddToArchive(Entry("first", 6000), &error);
  const auto last = store.AddToArchive(Entry("last", 6000), &error);
  ASSERT_TRUE(first && last) << error;
  const std::string before = ReadFile(store.ArchivePath());

  // 1. Files may not grow past a limit: every write fails with the reason, and nothing is lost or torn.
  const std::uint64_t limit = before.size() + 1000;
  const int failures = InChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit cap{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &cap) != 0) return 100;
    int result = 0;
    std::string reason;
    if (store.WriteCurrent(Entry("too long", limit + 100), &reason) ||
        reason.find(std::strerror(EFBIG)) == std::string::npos)
      result |= 1;
    if (store.AddToArchive(Entry("too long", 2000), &reason) ||
        reason.find(store.ArchivePath().string()) == std::string::npos)
      result |= 2;
    // The replacement's journal fits under the limit, its entry at the archive's end does not: it stops
    // after cutting off the old entry, as a crash there would.
    if (store.ReplaceInArchive(*last, Entry("last again", before.size() - last->Offset + 1500), &reason))
      result |= 4;
    return result;
  });
  EXPECT_EQ(failures, 0);
  std::string text;
  ASSERT_EQ(store.ReadCurrent(text), TReadStatus::Read);
  EXPECT_EQ(text, Entry("kept"));
  EXPECT_TRUE(OtherFiles(dir.Path(), kCurrentGameFileName).size() == 2)
      << "only the archive and the replacement's journal";

  // 2. The next opening of the archive finishes the replacement, and the journal goes.
  ASSERT_EQ(store.ReadArchive(text, &error), TReadStatus::Read) << error;
  const std::string replaced = Entry("last again", before.size() - last->Offset + 1500);
  EXPECT_EQ(text, Entry("first", 6000) + replaced);
  EXPECT_EQ(OtherFiles(dir.Path(), kCurrentGameFileName).size(), 1u);
}

// Whether process `pid` holds (or, with `waiting`, waits for) a whole-file lock, as the kernel's lock
// table shows.
bool HasLock(pid_t pid, bool waiting) {
  std::ifstream locks("/proc/locks");
  for (std::string line; std::getline(locks, line);) {
    std::istringstream fields(line);
    std::string number, kind;
    fields >> number >> kind;
    const bool waits = kind == "->";
    if (waits) fields >> kind;
    std::string advisory, mode, owner;
    fields >> advisory >> mode >> owner;
    if (waits == waiting && kind == "FLOCK" && owner == std::to_string(pid)) return true;
  }
  return false;
}

TEST(GameStore, TwoGamesNeverInterleaveTheirArchiveEntries) {
  TempDir dir;
  TGameStore store(dir.Path());
  ASSERT_TRUE(store.AddToArchive(Entry("zero")));
  // The first game holds the archive's lock; the second's addition waits for it (seen in the kernel's
  // lock table) and comes after the first game's entry.
  const int fd = ::open(store.ArchivePath().c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  if (!HasLock(::getpid(), false)) {
    ::close(fd);
    GTEST_SKIP() << "the kernel's lock table does not show this process's locks";
  }
  const pid_t second = ::fork();
  if (second == 0) {
    // The first game's descriptor, shared by the fork, would keep its lock alive.
    ::close(fd);
    ::_exit(store.AddToArchive(Entry("second", 5000)) ? 0 : 1);
  }
  int status = 0;
  while (!HasLock(second, true)) {
    ASSERT_NE(::waitpid(second, &status, WNOHANG), second) << "the second game wrote past the lock";
    ::sched_yield();
  }
  const std::string first = Entry("first", 5000);
  ASSERT_EQ(::write(fd, first.data(), first.size()), static_cast<ssize_t>(first.size()));
  ASSERT_EQ(::close(fd), 0);
  ASSERT_EQ(::waitpid(second, &status, 0), second);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadFile(store.ArchivePath()), Entry("zero") + first + Entry("second", 5000));
}

// One step of a writer: the current game replaced, or an entry added to or replaced in the archive.
struct WriteStep {
  enum { Current, Add, Replace } Kind;
  std::string Text;
};

// What the folder holds after the first `done` steps: the current game (if any) and the archive's text.
struct Outcome {
  std::optional<std::string> Current;
  std::string Archive;
};

// Applies `steps` to `start` as the store should; a replacement always finds its entry last.
Outcome AfterSteps(const std::string& startArchive, const std::vector<WriteStep>& steps, std::size_t done) {
  Outcome outcome;
  std::vector<std::string> entries;
  bool touched = false;
  for (std::size_t i = 0; i < done; ++i) {
    const WriteStep& step = steps[i];
    if (step.Kind == WriteStep::Current) {
      outcome.Current = step.Text;
      continue;
    }
    if (step.Kind == WriteStep::Replace && !entries.empty()) entries.pop_back();
    entries.push_back(step.Text);
    touched = true;
  }
  outcome.Archive = startArchive;
  // The first addition closes off a torn end.
  if (touched && !startArchive.empty() && !startArchive.ends_with("\n\n"))
    outcome.Archive += startArchive.ends_with("\n") ? "\n" : "\n\n";
  for (const std::string& entry : entries) outcome.Archive += entry;
  return outcome;
}

TEST(GameStore, AKillAtAnyMomentLeavesTheOldOrTheNewFilesNeverBrokenOnes) {
  constexpr int kRounds = 50;
  constexpr std::size_t kSteps = 16;
  constexpr std::uint64_t kMaxSpin = 3'000'000;  // busy iterations before the kill, to land anywhere
  for (int round = 0; round < kRounds; ++round) {
    const unsigned seed = 29000u + static_cast<unsigned>(round);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    TempDir dir;
    TGameStore store(dir.Path());

    // 1. The archive starts empty, whole, or with a torn end; the steps are drawn from the seed.
    const std::string starts[] = {"", Entry("old", 4000), Entry("old", 4000).substr(0, 1234)};
    const std::string start = starts[random() % 3];
    if (!start.empty()) WriteFile(store.ArchivePath(), start);
    std::vector<WriteStep> steps;
    for (std::size_t i = 0; i < kSteps; ++i) {
      const auto kind = static_cast<decltype(WriteStep::Current)>(random() % 3);
      steps.push_back({kind, Entry("round " + std::to_string(round) + " step " + std::to_string(i),
                                   200 + random() % 12000)});
    }

    // 2. A child runs the steps, telling each one done through a pipe; it is killed after a drawn
    //    number of them and a drawn spin.
    int progress[2];
    ASSERT_EQ(::pipe(progress), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      ::close(progress[0]);
      std::optional<TArchiveSpot> last;
      for (const WriteStep& step : steps) {
        bool ok = true;
        if (step.Kind == WriteStep::Current) {
          ok = store.WriteCurrent(step.Text);
        } else {
          last = step.Kind == WriteStep::Replace && last ? store.ReplaceInArchive(*last, step.Text)
                                                         : store.AddToArchive(step.Text);
          ok = last.has_value();
        }
        const char done = 1;
        if (!ok || ::write(progress[1], &done, 1) != 1) ::_exit(1);
      }
      ::_exit(0);
    }
    ::close(progress[1]);
    const std::size_t killAfter = random() % (kSteps / 2);
    std::size_t reported = 0;
    char byte = 0;
    while (reported < killAfter && ::read(progress[0], &byte, 1) == 1) ++reported;
    for (std::uint64_t left = random() % kMaxSpin; left > 0; --left) asm volatile("" ::: "memory");
    ::kill(writer, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    ASSERT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << "a step failed in the writer";
    while (::read(progress[0], &byte, 1) == 1) ++reported;
    ::close(progress[0]);

    // 3. The steps reported done, and perhaps the one under way, are all that can be found: the current
    //    game whole, the archive's earlier entries whole, at most a torn tail of the entry under way.
    const std::size_t stepsDone = reported;
    std::vector<Outcome> possible = {AfterSteps(start, steps, stepsDone)};
    if (stepsDone < kSteps) possible.push_back(AfterSteps(start, steps, stepsDone + 1));
    std::string current;
    const TReadStatus read = store.ReadCurrent(current);
    ASSERT_NE(read, TReadStatus::Failed);
    bool currentFits = false;
    for (const Outcome& outcome : possible)
      currentFits |= read == TReadStatus::Read ? outcome.Current == current : !outcome.Current;
    EXPECT_TRUE(currentFits) << "current game of " << current.size() << " bytes after " << stepsDone;

    // An entry added now finishes or closes off whatever the kill left, and comes last.
    std::string error;
    ASSERT_TRUE(store.AddToArchive(Entry("after"), &error)) << error;
    std::string archive;
    ASSERT_EQ(store.ReadArchive(archive), TReadStatus::Read);
    ASSERT_TRUE(archive.ends_with(Entry("after")));
    archive.resize(archive.size() - Entry("after").size());
    bool archiveFits = false;
    for (const Outcome& outcome : possible) {
      std::string closed = outcome.Archive;
      if (!closed.empty() && !closed.ends_with("\n\n")) closed += closed.ends_with("\n") ? "\n" : "\n\n";
      archiveFits |= archive == closed;
    }
    // A torn tail of an addition under way: the entries before it whole, then a beginning of the entry.
    if (!archiveFits && stepsDone < kSteps && steps[stepsDone].Kind == WriteStep::Add) {
      const std::string whole = possible[0].Archive;
      std::string tail = archive.substr(std::min(whole.size(), archive.size()));
      while (!tail.empty() && tail.back() == '\n') tail.pop_back();
      const std::string expected = AfterSteps(start, steps, stepsDone + 1).Archive;
      archiveFits = archive.starts_with(whole) && expected.substr(whole.size()).starts_with(tail);
    }
    EXPECT_TRUE(archiveFits) << "archive of " << archive.size() << " bytes after " << stepsDone;

    // 4. Temporary files of the killed writer are cleared at the next start; nothing else is left.
    ASSERT_TRUE(store.Prepare(&error)) << error;
    for (const std::string& name : OtherFiles(dir.Path(), kArchiveFileName))
      EXPECT_EQ(name, kCurrentGameFileName);
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace zelmar
