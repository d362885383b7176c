#include "engine/protocol/GoParameters.h"

#include <algorithm>

#include "engine/protocol/CommandText.h"
#include "engine/protocol/SearchSupervisor.h"

namespace zelmar {

namespace {

constexpr long long kMaxClockMillis = 1000LL * 3600 * 1000;
constexpr long long kMaxMovesToGo = 10000;

// The words still to read, and the parameters read so far.
struct TGoReader {
  std::string_view Rest;
  TGoParameters Out;

  // The next word as a number within [low, high]; a bad one is noted, and taken off either way.
  std::optional<long long> Number(std::string_view word, long long low, long long high) {
    std::string_view after;
    const std::string_view text = FirstWord(Rest, after);
    Rest = after;
    const auto value = ReadInteger(text, low, high);
    if (!value) Out.Notes.push_back("go: bad value for " + std::string(word) + ": " + std::string(text));
    return value;
  }
  // The side a clock word names: w... for White, b... for Black.
  static int Side(std::string_view word) { return word.front() == 'w' ? 0 : 1; }
};

using TGoHandler = void (*)(TGoReader&, std::string_view word);

struct TGoWord {
  std::string_view Word;
  TGoHandler Handler;
};

void ReadTime(TGoReader& r, std::string_view word) {
  if (const auto v = r.Number(word, -kMaxClockMillis, kMaxClockMillis)) {
    r.Out.Clocks[TGoReader::Side(word)].Remaining = TMillis{std::max(0LL, *v)};  // a flag fallen is 0
    r.Out.HaveClock = true;
  }
}

void ReadIncrement(TGoReader& r, std::string_view word) {
  if (const auto v = r.Number(word, 0, kMaxClockMillis))
    r.Out.Clocks[TGoReader::Side(word)].Increment = TMillis{*v};
}

void ReadMovesToGo(TGoReader& r, std::string_view word) {
  if (const auto v = r.Number(word, 1, kMaxMovesToGo))
    r.Out.Clocks[0].MovesToGo = r.Out.Clocks[1].MovesToGo = static_cast<int>(*v);
}

void ReadDepth(TGoReader& r, std::string_view word) {
  if (const auto v = r.Number(word, 1, MaxSearchDepth)) r.Out.Depth = static_cast<int>(*v);
}

void ReadMoveTime(TGoReader& r, std::string_view word) {
  if (const auto v = r.Number(word, 1, kMaxClockMillis)) r.Out.MoveTime = *v;
}

// nodes N and mate N: their value is taken off, the limit itself is not kept.
void LeaveOutWithValue(TGoReader& r, std::string_view word) {
  r.Number(word, 0, kMaxClockMillis);
  r.Out.Notes.push_back("go: " + std::string(word) + " is not supported and was left out");
}

// searchmoves M...: the moves are taken off up to the next word that is not one.
void LeaveOutMoves(TGoReader& r, std::string_view word) {
  std::string_view after;
  while (!r.Rest.empty() && LooksLikeMove(FirstWord(r.Rest, after))) r.Rest = after;
  r.Out.Notes.push_back("go: " + std::string(word) + " is not supported and was left out");
}

constexpr TGoWord kGoWords[] = {
    {"infinite", [](TGoReader& r, std::string_view) { r.Out.Infinite = true; }},
    {"ponder", [](TGoReader& r, std::string_view) { r.Out.Ponder = true; }},
    {"wtime", ReadTime},
    {"btime", ReadTime},
    {"winc", ReadIncrement},
    {"binc", ReadIncrement},
    {"movestogo", ReadMovesToGo},
    {"depth", ReadDepth},
    {"movetime", ReadMoveTime},
    {"nodes", LeaveOutWithValue},
    {"mate", LeaveOutWithValue},
    {"searchmoves", LeaveOutMoves},
};

}  // namespace

TGoParameters ParseGo(std::string_view arguments) {
  TGoReader reader{Trim(arguments), {}};
  while (!reader.Rest.empty()) {
    std::string_view after;
    const std::string_view word = FirstWord(reader.Rest, after);
    reader.Rest = after;
    const auto known = std::find_if(std::begin(kGoWords), std::end(kGoWords),
                                    [&](const TGoWord& w) { return w.Word == word; });
    if (known == std::end(kGoWords))
      reader.Out.Notes.push_back("go: unknown parameter left out: " + std::string(word));
    else
      known->Handler(reader, word);
  }
  return reader.Out;
}

}  // namespace zelmar
