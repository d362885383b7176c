// Whether a move is legal: the movement of every piece, castling, en passant and the attack test.
#include <cstdlib>

#include "engine/ChessBrd.h"

namespace zelmar {

namespace {

constexpr int kKnightJumps[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
constexpr int kDiagonals[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
constexpr int kStraights[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// One castling move: the king's squares, the right it needs, its rook and the squares it crosses.
struct CastlingCase {
  Square from, to;
  CanStillCastle right;
  Square rookSquare;
  char rook;
  Square mustBeEmpty[3];  // None pads the shorter lists
  Square notAttacked[3];
};

// clang-format off
constexpr CastlingCase kCastlings[4] = {
    {Square::E1, Square::G1, WhiteKingSide, Square::H1, 'R', {Square::F1, Square::G1, Square::None},
     {Square::E1, Square::F1, Square::G1}},
    {Square::E1, Square::C1, WhiteQueenSide, Square::A1, 'R', {Square::B1, Square::C1, Square::D1},
     {Square::E1, Square::D1, Square::C1}},
    {Square::E8, Square::G8, BlackKingSide, Square::H8, 'r', {Square::F8, Square::G8, Square::None},
     {Square::E8, Square::F8, Square::G8}},
    {Square::E8, Square::C8, BlackQueenSide, Square::A8, 'r', {Square::B8, Square::C8, Square::D8},
     {Square::E8, Square::D8, Square::C8}},
};
// clang-format on

}  // namespace

// Tests of one move; the cheap ones run before the repetition look-up, which gives the same answer
// as testing the repetition first since none of the tests has side effects.
bool TChessBrd::IsLegalMove(Square oldSq, Square newSq) const {
  // 1. Both squares on the board.
  if (!OnBoard(oldSq) || !OnBoard(newSq)) return false;
  // 2. A piece of the side to move, going to a square that does not hold a piece of its own colour.
  const int colour = PieceColor(oldSq);
  if (colour != (whiteToMove_ ? 1 : 0) || PieceColor(newSq) == colour) return false;
  // 3. The movement rule of the piece; letters without a rule pass.
  bool moves = true;
  switch (board_[Ord(oldSq)] | 0x20) {
    case 'p':
      moves = PawnMoveOk(oldSq, newSq);
      break;
    case 'n':
      moves = KnightMoveOk(oldSq, newSq);
      break;
    case 'b':
      moves = BishopMoveOk(oldSq, newSq);
      break;
    case 'r':
      moves = RookMoveOk(oldSq, newSq);
      break;
    case 'q':
      moves = QueenMoveOk(oldSq, newSq);
      break;
    case 'k':
      moves = KingMoveOk(oldSq, newSq);
      break;
    default:
      break;
  }
  if (!moves) return false;
  // 4. Once the position stood for the third time, no move at all is legal.
  if (IsThreefoldRepetition()) return false;
  // 5. The mover's own king is not left attacked.
  return colour == 1 ? !WhiteKingAttackedAfter(oldSq, newSq) : !BlackKingAttackedAfter(oldSq, newSq);
}

bool TChessBrd::PawnMoveOk(Square oldSq, Square newSq) const {
  const bool white = PieceColor(oldSq) == 1;
  const int forward = white ? 1 : -1;
  const int rankStep = RankOf(newSq) - RankOf(oldSq);
  const int df = std::abs(FileOf(newSq) - FileOf(oldSq));
  if (rankStep == forward && df == 0) return board_[Ord(newSq)] == ' ';
  if (rankStep == forward && df == 1) return PieceColor(newSq) == (white ? 0 : 1) || newSq == enPassant_;
  // The double step from the pawn's own second rank, over an empty square onto an empty square.
  const int startRank = white ? 2 : 7;
  return RankOf(oldSq) == startRank && rankStep == 2 * forward && df == 0 && board_[Ord(newSq)] == ' ' &&
         board_[(Ord(oldSq) + Ord(newSq)) / 2] == ' ';
}

bool TChessBrd::KnightMoveOk(Square oldSq, Square newSq) const {
  const int df = std::abs(FileOf(newSq) - FileOf(oldSq));
  const int dr = std::abs(RankOf(newSq) - RankOf(oldSq));
  return (df == 1 && dr == 2) || (df == 2 && dr == 1);
}

// Walks from oldSq along the diagonals (or the straight lines) up to the first occupied square.
bool TChessBrd::SlideOk(Square oldSq, Square newSq, bool diagonal) const {
  const auto& directions = diagonal ? kDiagonals : kStraights;
  const int f = FileOf(oldSq), r = RankOf(oldSq);
  for (const auto& d : directions) {
    for (int step = 1; step <= 7; ++step) {
      const Square sq = SquareAt(f + d[0] * step, r + d[1] * step);
      if (sq == Square::None) break;
      if (sq == newSq) return true;
      if (board_[Ord(sq)] != ' ') break;
    }
  }
  return false;
}

// A queen moves as a bishop or a rook; a Zelmar may also jump as a knight.
bool TChessBrd::QueenMoveOk(Square oldSq, Square newSq) const {
  if (BishopMoveOk(oldSq, newSq) || RookMoveOk(oldSq, newSq)) return true;
  return zelmarMode_ && KnightMoveOk(oldSq, newSq);
}

bool TChessBrd::KingMoveOk(Square oldSq, Square newSq) const {
  const int df = std::abs(FileOf(newSq) - FileOf(oldSq));
  const int dr = std::abs(RankOf(newSq) - RankOf(oldSq));
  if (df <= 1 && dr <= 1) return true;
  return CastlingOk(oldSq, newSq);
}

// One of the four castling moves, with its right, its rook, empty squares and unattacked squares.
bool TChessBrd::CastlingOk(Square oldSq, Square newSq) const {
  for (const CastlingCase& c : kCastlings) {
    if (c.from != oldSq || c.to != newSq) continue;
    if (!castlingAllowed_.Contains(c.right) || board_[Ord(c.rookSquare)] != c.rook) return false;
    for (Square sq : c.mustBeEmpty) {
      if (sq != Square::None && board_[Ord(sq)] != ' ') return false;
    }
    const bool white = c.rook == 'R';
    for (Square sq : c.notAttacked) {
      if (white ? WhiteKingAttackedAfter(c.from, sq) : BlackKingAttackedAfter(c.from, sq)) return false;
    }
    return true;
  }
  return false;
}

bool TChessBrd::WhiteKingAttackedAfter(Square oldSq, Square newSq) const {
  return KingAttackedAfter(oldSq, newSq, true);
}

bool TChessBrd::BlackKingAttackedAfter(Square oldSq, Square newSq) const {
  return KingAttackedAfter(oldSq, newSq, false);
}

// Plays the move on a copy of the board and looks from the king's square for every kind of attacker.
bool TChessBrd::KingAttackedAfter(Square oldSq, Square newSq, bool white) const {
  // 1. The copy after the move, including the pawn an en-passant capture takes.
  Board copy = board_;
  copy[0] = ' ';
  if (OnBoard(oldSq) && OnBoard(newSq) && oldSq != newSq) {
    const char piece = copy[Ord(oldSq)];
    const bool enPassantCapture = (piece | 0x20) == 'p' && newSq == enPassant_ && copy[Ord(newSq)] == ' ' &&
                                  FileOf(oldSq) != FileOf(newSq);
    copy[Ord(newSq)] = piece;
    copy[Ord(oldSq)] = ' ';
    if (enPassantCapture) copy[Ord(SquareAt(FileOf(newSq), piece == 'P' ? 5 : 4))] = ' ';
  }
  // 2. Find the king; a missing White king is never attacked, a missing Black one always is.
  const char king = white ? 'K' : 'k';
  int kingAt = 0;
  for (int k = 1; k <= 64 && kingAt == 0; ++k) {
    if (copy[k] == king) kingAt = k;
  }
  if (kingAt == 0) return !white;
  // 3. Attackers are the other side's letters.
  const char pawn = white ? 'p' : 'P', knight = white ? 'n' : 'N', bishop = white ? 'b' : 'B';
  const char rook = white ? 'r' : 'R', queen = white ? 'q' : 'Q', enemyKing = white ? 'k' : 'K';
  const int f = FileOf(static_cast<Square>(kingAt)), r = RankOf(static_cast<Square>(kingAt));
  const int pawnRank = white ? r + 1 : r - 1;
  if (copy[Ord(SquareAt(f - 1, pawnRank))] == pawn || copy[Ord(SquareAt(f + 1, pawnRank))] == pawn)
    return true;
  for (const auto& j : kKnightJumps) {
    const char c = copy[Ord(SquareAt(f + j[0], r + j[1]))];
    if (c == knight || (zelmarMode_ && c == queen)) return true;
  }
  // 4. Sliding attackers and the enemy king along the lines.
  for (int pass = 0; pass < 2; ++pass) {
    const auto& directions = pass == 0 ? kDiagonals : kStraights;
    const char slider = pass == 0 ? bishop : rook;
    for (const auto& d : directions) {
      for (int step = 1; step <= 7; ++step) {
        const Square sq = SquareAt(f + d[0] * step, r + d[1] * step);
        if (sq == Square::None) break;
        const char c = copy[Ord(sq)];
        if (c == ' ') continue;
        if (c == queen || c == slider || (c == enemyKing && step == 1)) return true;
        break;
      }
    }
  }
  return false;
}

}  // namespace zelmar
