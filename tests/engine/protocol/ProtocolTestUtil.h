// A protocol front driven line by line, with its output collected and waited for with a deadline
// that only a hang runs out.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol/LineOutput.h"
#include "engine/protocol/ProtocolGame.h"
#include "engine/search/ChessSearch.h"
#include "engine/search/SearchRootText.h"

namespace zelmar::testing {

inline constexpr std::chrono::seconds HangDeadline{120};

// The lines a front writes, from any thread.
class TOutputLog {
 public:
  TLineSink Sink() {
    return [this](const std::string& line) {
      std::lock_guard lock(Mutex);
      Lines.push_back(line);
      Changed.notify_all();
    };
  }
  // Waits for the next line (after those already taken) that starts with the prefix; "" on a hang.
  std::string Next(std::string_view prefix) {
    std::unique_lock lock(Mutex);
    std::string found;
    const bool ok = Changed.wait_for(lock, HangDeadline, [&] {
      for (; Taken < Lines.size(); ++Taken) {
        if (Lines[Taken].starts_with(prefix)) {
          found = Lines[Taken++];
          return true;
        }
      }
      return false;
    });
    return ok ? found : std::string();
  }
  // Every line so far, and the count of those that start with the prefix.
  std::vector<std::string> All() {
    std::lock_guard lock(Mutex);
    return Lines;
  }
  int Count(std::string_view prefix) {
    int n = 0;
    for (const std::string& l : All()) n += l.starts_with(prefix);
    return n;
  }

 private:
  std::mutex Mutex;
  std::condition_variable Changed;
  std::vector<std::string> Lines;
  std::size_t Taken = 0;
};

// What a fresh search object answers for the position at the depth: move text and node count.
struct TFreshAnswer {
  std::string Move;
  std::uint64_t Nodes = 0;
};

inline TFreshAnswer FreshSearch(const TSearchRoot& position, int depth, bool zelmar) {
  auto search = std::make_unique<TChessSearch>();
  search->SetZelmarMode(zelmar);
  TSearchRoot root = position;
  root.Depth = depth;
  root.ZelmarMode = zelmar;
  search->RunSearch(root);
  return {MoveToText(search->BestMove()), search->Nodes()};
}

// The word after a key in a line ("nodes 123" -> "123").
inline std::string WordAfter(const std::string& line, std::string_view key) {
  const std::string k = " " + std::string(key) + " ";
  const auto at = line.find(k);
  if (at == std::string::npos) return {};
  const auto start = at + k.size();
  return line.substr(start, line.find(' ', start) - start);
}

}  // namespace zelmar::testing
