// Option parsing of the search subcommands.
#include "tools/zelmar-engine/SearchArgs.h"

#include <charconv>
#include <cstdio>

#include "engine/search/SearchRootText.h"

namespace zelmar {

namespace {

// A whole-text decimal number within [low, high].
bool ParseNumber(std::string_view text, int low, int high, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

}  // namespace

bool ParseSearchArgs(CommandArgs args, std::string_view allowed, int maxDepth, TSearchArgs& out,
                     std::string& error) {
  auto allows = [&](std::string_view option) { return allowed.find(option) != std::string_view::npos; };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--zelmar" && allows("--zelmar")) {
      out.Zelmar = true;
    } else if (a == "--compare" && allows("--compare")) {
      out.Compare = true;
    } else if (a == "--depth" && allows("--depth")) {
      if (++i == args.size() || !ParseNumber(args[i], 1, maxDepth, out.Depth)) {
        error = "--depth needs a number from 1 to " + std::to_string(maxDepth);
        return false;
      }
    } else if (a == "--max-moves" && allows("--max-moves")) {
      if (++i == args.size() || !ParseNumber(args[i], 1, 100000, out.MaxMoves)) {
        error = "--max-moves needs a positive number";
        return false;
      }
    } else if (a == "--opening" && allows("--opening")) {
      if (++i == args.size() || !ParseNumber(args[i], 1, 1000000, out.Opening)) {
        error = "--opening needs a positive seed";
        return false;
      }
    } else if (out.Fen.empty() && allows("FEN") && !a.starts_with("--")) {
      out.Fen = a;
    } else {
      error = "unexpected argument '" + std::string(a) + "'";
      return false;
    }
  }
  if (allows("--depth") && out.Depth < 0) {
    error = "missing --depth N";
    return false;
  }
  if (allows("FEN") && out.Fen.empty()) {
    error = "missing FEN";
    return false;
  }
  return true;
}

bool RootFromFenArg(std::string_view fen, TSearchRoot& root, std::string& error) {
  if (fen == "startpos") fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";
  return RootFromFen(fen, root, &error);
}

int RefuseUsage(const char* command, const std::string& why, const char* usage) {
  std::fprintf(stderr, "zelmar-engine %s: %s\n", command, why.c_str());
  std::fprintf(stderr, "usage: zelmar-engine %s\n", usage);
  return 2;
}

}  // namespace zelmar
