// Helpers of the search tests: roots from FEN text and moves by name.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/search/SearchDefs.h"
#include "engine/search/SearchRootText.h"

namespace zelmar::testing {

// A root from FEN text; fails the test on malformed text.
inline TSearchRoot Root(const char* fen, int depth = 1, bool zelmar = false) {
  TSearchRoot root;
  std::string error;
  EXPECT_TRUE(RootFromFen(fen, root, &error)) << fen << ": " << error;
  root.Depth = depth;
  root.ZelmarMode = zelmar;
  return root;
}

// The moves of the current list of a search object, as text, in list order.
template <class S>
std::vector<std::string> ListedMoves(const S& search) {
  std::vector<std::string> out;
  for (int i = search.ListBegin(); i < search.ListFinish(); ++i)
    out.push_back(MoveToText(search.ListEntry(i).Move));
  return out;
}

}  // namespace zelmar::testing
