// A board with the real computer player and a main-thread loop for the worker tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"
#include "engine/ComputerPlayer.h"

namespace zelmar {

namespace worker_test {

struct WorkerBoard {
  WorkerBoard() : worker(AttachComputerPlayer(board)) {}

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

  TChessBrd board;
  TChessThread& worker;
};

// Board square by name, e.g. "e2".
inline Square Sq(const char* name) {
  return static_cast<Square>((8 - (name[1] - '0')) * 8 + (name[0] - 'a') + 1);
}

}  // namespace worker_test

}  // namespace zelmar
