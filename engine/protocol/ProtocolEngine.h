// The engine program's protocol mode: reads commands from a stream, answers in CECP or UCI, as the
// first command asks.
#pragma once

#include <iosfwd>

namespace zelmar {

// Reads lines until quit or the end of the input; the first of "xboard" and "uci" chooses the
// protocol. Every line written is flushed. Returns the program's exit status.
int RunProtocolEngine(std::istream& in, std::ostream& out);

}  // namespace zelmar
