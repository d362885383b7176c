// A board with the real computer player and a main-thread loop for the worker tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"
#include "engine/ComputerPlayer.h"

namespace zelmar {

namespace worker_test {

// A private folder laid out as the kernel's power-supply class, removed at the end; empty, it is a
// machine without a battery.
class FakePowerSupply {
 public:
  FakePowerSupply() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelmar-power-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no temporary folder for " << pattern;
    folder_ = pattern;
  }
  ~FakePowerSupply() {
    std::error_code ignored;  // a leftover in the temporary folder harms nothing
    std::filesystem::remove_all(folder_, ignored);
  }
  FakePowerSupply(const FakePowerSupply&) = delete;
  FakePowerSupply& operator=(const FakePowerSupply&) = delete;

  // Adds a supply with these attribute files and contents (written as given, no line break added).
  void Add(const std::string& name, std::initializer_list<std::pair<const char*, std::string>> files) {
    const std::filesystem::path supply = folder_ / name;
    std::filesystem::create_directories(supply);
    for (const auto& [file, text] : files) {
      std::ofstream out(supply / file, std::ios::binary);
      out << text;
      if (!out) ADD_FAILURE() << "cannot write " << (supply / file);
    }
  }
  void Remove(const std::string& name) { std::filesystem::remove_all(folder_ / name); }
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

struct WorkerBoard {
  // The worker reads a fake power supply of its own, mains until a test adds a discharging battery.
  WorkerBoard() : worker(AttachComputerPlayer(board)) { worker.SetPowerSupplyFolder(power.Folder()); }

  // Runs the worker's calls until the condition holds or the time is up; answers the condition.
  bool RunUntil(const std::function<bool()>& done,
                std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= end) return false;
      board.WaitForWorkerCalls(
          std::min(std::chrono::milliseconds(5), std::chrono::ceil<std::chrono::milliseconds>(end - now)));
      board.RunPendingCalls();
    }
    return true;
  }
  // Runs the worker's calls for a while.
  void RunFor(std::chrono::milliseconds span) {
    RunUntil([] { return false; }, span);
  }
  // Whether the worker rests: parked with no call of its own waiting. It then does nothing at all
  // until the board releases it, however long the main loop runs.
  bool Resting() const { return worker.Parked() && !worker.CallPending(); }
  // Waits, without running it, until the worker has posted a synchronous call; answers whether it did.
  bool WaitUntilPosted(std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!worker.CallPending()) {
      if (std::chrono::steady_clock::now() >= end) return false;
      board.WaitForWorkerCalls(std::chrono::milliseconds(5));
    }
    return true;
  }

  FakePowerSupply power;
  TChessBrd board;
  TChessThread& worker;
};

// Board square by name, e.g. "e2".
inline Square Sq(const char* name) {
  return static_cast<Square>((8 - (name[1] - '0')) * 8 + (name[0] - 'a') + 1);
}

}  // namespace worker_test

}  // namespace zelmar
