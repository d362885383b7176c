// FEN and move texts for the search's tools and tests.
#include "engine/search/SearchRootText.h"

#include <cctype>
#include <sstream>
#include <vector>

namespace zelmar {

namespace {

// Splits text at runs of spaces.
std::vector<std::string> Fields(std::string_view text) {
  std::vector<std::string> out;
  std::istringstream in{std::string(text)};
  for (std::string f; in >> f;) out.push_back(f);
  return out;
}

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

// Board square 1..64 of a square name such as "e3", or 0 when it is not one.
int SquareFromName(std::string_view name) {
  if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') return 0;
  return (8 - (name[1] - '0')) * 8 + (name[0] - 'a') + 1;
}

}  // namespace

bool RootFromFen(std::string_view fen, TSearchRoot& root, std::string* error) {
  const std::vector<std::string> f = Fields(fen);
  if (f.size() < 2) return Fail(error, "a FEN needs at least the placement and the side to move");
  TSearchRoot r = root;
  // 1. Placement, rank 8 first.
  int s = 0, rank = 0;
  for (char c : f[0]) {
    if (c == '/') {
      if (s != (rank + 1) * 8) return Fail(error, "a FEN rank does not hold 8 squares");
      ++rank;
    } else if (c >= '1' && c <= '8') {
      for (int n = 0; n < c - '0'; ++n) {
        if (s >= 64) return Fail(error, "the FEN placement holds more than 64 squares");
        r.Squares[s++] = ' ';
      }
    } else if (std::string_view("PNBRQKpnbrqk").find(c) != std::string_view::npos) {
      if (s >= 64) return Fail(error, "the FEN placement holds more than 64 squares");
      r.Squares[s++] = c;
    } else {
      return Fail(error, "unknown letter in the FEN placement");
    }
  }
  if (s != 64 || rank != 7) return Fail(error, "the FEN placement must describe 8 ranks of 8 squares");
  // 2. Side to move.
  if (f[1] != "w" && f[1] != "b") return Fail(error, "the side to move must be w or b");
  r.WhiteToMove = f[1] == "w";
  // 3. Castling rights.
  r.CastleRights = 0;
  if (f.size() > 2 && f[2] != "-") {
    for (char c : f[2]) {
      switch (c) {
        case 'K':
          r.CastleRights |= crWhiteKingSide;
          break;
        case 'Q':
          r.CastleRights |= crWhiteQueenSide;
          break;
        case 'k':
          r.CastleRights |= crBlackKingSide;
          break;
        case 'q':
          r.CastleRights |= crBlackQueenSide;
          break;
        default:
          return Fail(error, "unknown castling letter in the FEN");
      }
    }
  }
  // 4. En-passant square.
  r.EnPassant = 0;
  if (f.size() > 3 && f[3] != "-") {
    r.EnPassant = SquareFromName(f[3]);
    if (r.EnPassant == 0) return Fail(error, "the FEN en-passant field is not a square");
  }
  root = r;
  return true;
}

std::string FenFromRoot(const TSearchRoot& root) {
  std::string out;
  for (int row = 0; row < 8; ++row) {
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
      const char c = root.Squares[row * 8 + file];
      if (std::string_view("PNBRQKpnbrqk").find(c) == std::string_view::npos || c == 0) {
        ++empty;
        continue;
      }
      if (empty) out += static_cast<char>('0' + empty);
      empty = 0;
      out += c;
    }
    if (empty) out += static_cast<char>('0' + empty);
    if (row < 7) out += '/';
  }
  out += root.WhiteToMove ? " w " : " b ";
  std::string castle;
  if (root.CastleRights & crWhiteKingSide) castle += 'K';
  if (root.CastleRights & crWhiteQueenSide) castle += 'Q';
  if (root.CastleRights & crBlackKingSide) castle += 'k';
  if (root.CastleRights & crBlackQueenSide) castle += 'q';
  out += castle.empty() ? "-" : castle;
  out += ' ';
  out += root.EnPassant >= 1 && root.EnPassant <= 64 ? SquareName(root.EnPassant - 1) : "-";
  return out;
}

std::string SquareName(int s) {
  if (s < 0 || s > 63) return "??";
  return {static_cast<char>('a' + s % 8), static_cast<char>('8' - s / 8)};
}

std::string MoveToText(TSearchMove m) {
  std::string out = SquareName(m.From) + SquareName(m.To);
  if (m.Flags & mfPromotion) {
    static constexpr char Letters[] = " nbrq";
    if (m.Promotion >= 1 && m.Promotion <= 4) out += Letters[m.Promotion];
  }
  return out;
}

}  // namespace zelmar
