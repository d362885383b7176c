#include "engine/protocol/ThinkingText.h"

#include "engine/search/SearchRootText.h"

namespace zelmar {

int MatePlies(int score) {
  if (score >= Infinity - MaxPly) return Infinity - score;
  if (score <= -Infinity + MaxPly) return -(Infinity + score);
  return 0;
}

std::string LineText(const TIterationResult& result) {
  std::string text;
  for (int i = 0; i < result.LineLength; ++i) {
    if (i) text += ' ';
    text += MoveToText(result.Line[i]);
  }
  return text;
}

}  // namespace zelmar
