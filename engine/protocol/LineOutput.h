// Where the protocol fronts write: whole lines, each flushed at once, from any thread.
#pragma once

#include <functional>
#include <string>

namespace zelmar {

// Writes one line (without its end) and flushes it; must be safe to call from several threads.
using TLineSink = std::function<void(const std::string& line)>;

}  // namespace zelmar
