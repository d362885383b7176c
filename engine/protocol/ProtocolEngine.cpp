// The protocol loop: this thread only reads; searches run on their own threads and write through
// the same locked, flushed sink.
#include "engine/protocol/ProtocolEngine.h"

#include <istream>
#include <mutex>
#include <ostream>
#include <string>

#include "engine/protocol/CecpFront.h"
#include "engine/protocol/CommandText.h"
#include "engine/protocol/UciFront.h"

namespace zelmar {

namespace {

// Feeds the rest of the input to one front until it says quit or the input ends.
template <class TFront>
int Serve(std::istream& in, TFront& front, std::string_view first) {
  if (!first.empty() && !front.Handle(first)) {
    front.Shutdown();
    return 0;
  }
  for (std::string line; std::getline(in, line);)
    if (!front.Handle(line)) break;
  front.Shutdown();
  return 0;
}

}  // namespace

int RunProtocolEngine(std::istream& in, std::ostream& out) {
  std::mutex outMutex;
  const TLineSink sink = [&out, &outMutex](const std::string& line) {
    std::lock_guard lock(outMutex);
    out << line << '\n';
    out.flush();
  };
  for (std::string line; std::getline(in, line);) {
    std::string_view rest;
    const std::string_view word = FirstWord(line, rest);
    if (word.empty()) continue;
    if (word == "quit") return 0;
    if (word == "xboard") {
      TCecpFront front(sink);
      return Serve(in, front, line);
    }
    if (word == "uci") {
      TUciFront front(sink);
      return Serve(in, front, line);
    }
    sink("Error (unknown command; expected xboard or uci first): " + std::string(Trim(line)));
  }
  return 0;
}

}  // namespace zelmar
