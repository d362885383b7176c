// The reference search, step by step as the rules of the computer player describe it: mailbox
// board, full scans for attacks and kings, a full two-pass evaluation. Slow on purpose.
#include "engine/bench/ReferenceSearch.h"

#include <cstring>

namespace zelmar::reference {

namespace {

const int PieceValue[6] = {100, 300, 300, 500, 900, 10000};

const int PawnTable[64] = {0, 0, 0, 0, 0, 0,  0,  0,   5,   10, 15, 20, 20, 15, 10, 5, 4, 8, 12, 16, 16, 12,
                           8, 4, 3, 6, 9, 12, 12, 9,   6,   3,  2,  4,  6,  8,  8,  6, 4, 2, 1,  2,  3,  4,
                           4, 3, 2, 1, 0, 0,  0,  -20, -20, 0,  0,  0,  0,  0,  0,  0, 0, 0, 0,  0};

const int MinorPieceTable[64] = {
    -10, -10, -10, -10, -10, -10, -10, -10, -10, 0,   0,   0,   0,   0,   0,   -10, -10, 0,   5,   5,  5, 5,
    0,   -10, -10, 0,   5,   10,  10,  5,   0,   -10, -10, 0,   5,   10,  10,  5,   0,   -10, -10, 0,  5, 5,
    5,   5,   0,   -10, -10, 0,   0,   0,   0,   0,   0,   -10, -20, -20, -20, -20, -20, -20, -20, -20};

const int KingEndTable[64] = {-5, -5, -5, -5, -5, -5, -5, -5, -5, 0,  0,  0,  0,  0,  0,  -5,
                              -5, 0,  5,  5,  5,  5,  0,  -5, -5, 0,  5,  10, 10, 5,  0,  -5,
                              -5, 0,  5,  10, 10, 5,  0,  -5, -5, 0,  5,  5,  5,  5,  0,  -5,
                              -5, 0,  0,  0,  0,  0,  0,  -5, -5, -5, -5, -5, -5, -5, -5, -5};

// Tables given by rule rather than as grids.
int KingMiddle(int s) {
  static const int RankOne[8] = {-10, 0, 10, -20, 0, -20, 10, 0};
  if (s / 8 <= 5) return -40;
  if (s / 8 == 6) return -20;
  return RankOne[s % 8];
}
int KingSideShield(int s) {
  if (s % 8 < 5) return 0;
  if (s / 8 == 6) return 20;  // rank 2
  if (s / 8 == 5) return 10;  // rank 3
  if (s / 8 == 4) return 5;   // rank 4
  return 0;
}
int QueenSideShield(int s) {
  if (s % 8 > 2) return 0;
  if (s / 8 == 6) return 20;
  if (s / 8 == 5) return 10;
  if (s / 8 == 4) return 5;
  return 0;
}
int Mirror(int s) {
  return 8 * (7 - s / 8) + s % 8;
}
int FileOf(int s) {
  return s % 8;
}

}  // namespace

TReferenceSearch::TReferenceSearch() {
  for (int& c : MailboxCells) c = -1;
  for (int s = 0; s < 64; ++s) {
    MailboxIndex[s] = 21 + 10 * (s / 8) + s % 8;
    MailboxCells[MailboxIndex[s]] = s;
  }
  const int counts[6] = {0, 8, 4, 4, 8, 8};
  std::memcpy(DirectionCount, counts, sizeof counts);
  std::memset(Directions, 0, sizeof Directions);
  const int knight[8] = {-21, -19, -12, -8, 8, 12, 19, 21};
  const int bishop[4] = {-11, -9, 9, 11};
  const int rook[4] = {-10, -1, 1, 10};
  const int king[8] = {-11, -10, -9, -1, 1, 9, 10, 11};
  for (int j = 0; j < 8; ++j) {
    Directions[1][j] = knight[j];
    Directions[4][j] = king[j];
    Directions[4][8 + j] = knight[j];
    Directions[5][j] = king[j];
  }
  for (int j = 0; j < 4; ++j) {
    Directions[2][j] = bishop[j];
    Directions[3][j] = rook[j];
  }
  const bool slides[6] = {false, false, true, true, true, false};
  std::memcpy(Slides, slides, sizeof slides);
  for (int& m : CastleKeepMask) m = 15;
  CastleKeepMask[0] = 7;
  CastleKeepMask[4] = 3;
  CastleKeepMask[7] = 11;
  CastleKeepMask[56] = 13;
  CastleKeepMask[60] = 12;
  CastleKeepMask[63] = 14;
  for (int s = 0; s < 64; ++s) {
    BoardColor[s] = cEmpty;
    BoardPiece[s] = kNone;
  }
  std::memset(SquareBonus, 0, sizeof SquareBonus);
  for (TScoredMove& e : MoveList) e = {};
  std::memset(ListStart, 0, sizeof ListStart);
  std::memset(ListEnd, 0, sizeof ListEnd);
  std::memset(HistoryScore, 0, sizeof HistoryScore);
  for (TUndo& u : UndoStack) u = {};
  for (auto& row : BestLine)
    for (TSearchMove& m : row) m = {};
  std::memset(BestLineLength, 0, sizeof BestLineLength);
}

void TReferenceSearch::SetZelmarMode(bool on) {
  Zelmar = on;
  DirectionCount[kQueen] = on ? 16 : 8;
}

void TReferenceSearch::LoadRoot(const TSearchRoot& root) {
  const char* letters = "pnbrqk";
  for (int k = 0; k < 64; ++k) {
    const char c = root.Squares[k];
    BoardColor[k] = cEmpty;
    BoardPiece[k] = kNone;
    for (int kind = 0; kind < 6; ++kind) {
      if (c == letters[kind]) {
        BoardColor[k] = cBlack;
        BoardPiece[k] = kind;
      }
      if (c == letters[kind] - 32) {
        BoardColor[k] = cWhite;
        BoardPiece[k] = kind;
      }
    }
  }
  SideToMove = root.WhiteToMove ? cWhite : cBlack;
  OtherSide = 1 - SideToMove;
  CastleRights = root.CastleRights & 15;
  EpSquare = root.EnPassant - 1;
  if (EpSquare < -1 || EpSquare > 63) EpSquare = -1;
  Ply = 0;
  ListStart[0] = 0;
  BuildSquareBonus();
}

void TReferenceSearch::RunSearch(const TSearchRoot& root) {
  LoadRoot(root);
  std::memset(HistoryScore, 0, sizeof HistoryScore);
  NodeCount = 0;
  FollowBestLine = true;
  for (int d = 1; d <= root.Depth; ++d) {
    if (Stopped()) continue;
    FollowBestLine = true;
    LastIterationScore = Search(-10000, 10000, d);
  }
}

void TReferenceSearch::BuildSquareBonus() {
  std::memset(SquareBonus, 0, sizeof SquareBonus);
  for (int s = 0; s < 64; ++s) {
    const int m = Mirror(s);
    SquareBonus[cWhite][kPawn][s] = PawnTable[s] + 100;
    SquareBonus[cWhite][kKnight][s] = MinorPieceTable[s] + 300;
    SquareBonus[cWhite][kBishop][s] = MinorPieceTable[s] + 300;
    SquareBonus[cWhite][kRook][s] = 500;
    SquareBonus[cWhite][kQueen][s] = 900;
    SquareBonus[cBlack][kPawn][s] = PawnTable[m] + 100;
    SquareBonus[cBlack][kKnight][s] = MinorPieceTable[m] + 300;
    SquareBonus[cBlack][kBishop][s] = MinorPieceTable[m] + 300;
    SquareBonus[cBlack][kRook][s] = 500;
    SquareBonus[cBlack][kQueen][s] = 900;
  }
  // White king.
  int sum = 0;
  int whiteKing = 0;
  for (int s = 0; s < 64; ++s) {
    if (BoardColor[s] == cBlack && BoardPiece[s] != kPawn) sum += PieceValue[BoardPiece[s]];
    if (BoardColor[s] == cWhite && BoardPiece[s] == kKing) whiteKing = s;
  }
  if (sum > 1400) {
    for (int s = 0; s < 64; ++s) SquareBonus[cWhite][kKing][s] = KingMiddle(s);
    if (FileOf(whiteKing) >= 5)
      for (int s = 0; s < 64; ++s) SquareBonus[cWhite][kPawn][s] += KingSideShield(s);
    if (FileOf(whiteKing) <= 2)
      for (int s = 0; s < 64; ++s) SquareBonus[cWhite][kPawn][s] += QueenSideShield(s);
  } else {
    for (int s = 0; s < 64; ++s) SquareBonus[cWhite][kKing][s] = KingEndTable[s];
  }
  // Black king, through the mirror.
  sum = 0;
  int blackKing = whiteKing;
  for (int s = 0; s < 64; ++s) {
    if (BoardColor[s] == cWhite && BoardPiece[s] != kPawn) sum += PieceValue[BoardPiece[s]];
    if (BoardColor[s] == cBlack && BoardPiece[s] == kKing) blackKing = s;
  }
  if (sum > 1400) {
    for (int s = 0; s < 64; ++s) SquareBonus[cBlack][kKing][s] = KingMiddle(Mirror(s));
    if (FileOf(blackKing) >= 5)
      for (int s = 0; s < 64; ++s) SquareBonus[cBlack][kPawn][s] += KingSideShield(Mirror(s));
    if (FileOf(blackKing) <= 2)
      for (int s = 0; s < 64; ++s) SquareBonus[cBlack][kPawn][s] += QueenSideShield(Mirror(s));
  } else {
    for (int s = 0; s < 64; ++s) SquareBonus[cBlack][kKing][s] = KingEndTable[Mirror(s)];
  }
}

int TReferenceSearch::Evaluate() {
  int score[2] = {0, 0};
  int pawnsOnFile[2][10];
  std::memset(pawnsOnFile, 0, sizeof pawnsOnFile);
  for (int s = 0; s < 64; ++s) {
    if (BoardColor[s] == cEmpty) continue;
    const int c = BoardColor[s];
    const int k = BoardPiece[s];
    if (k == kPawn) pawnsOnFile[c][FileOf(s) + 1] += 1;
    score[c] += SquareBonus[c][k][s];
  }
  for (int s = 0; s < 64; ++s) {
    if (BoardColor[s] == cEmpty) continue;
    const int c = BoardColor[s];
    const int o = 1 - c;
    const int f = FileOf(s) + 1;
    if (BoardPiece[s] == kPawn) {
      if (pawnsOnFile[c][f] > 1) score[c] -= 5;
      if (pawnsOnFile[c][f - 1] == 0 && pawnsOnFile[c][f + 1] == 0) {
        score[c] -= 20;
        if (pawnsOnFile[o][f] == 0) score[c] -= 10;
      }
      if (pawnsOnFile[o][f - 1] == 0 && pawnsOnFile[o][f] == 0 && pawnsOnFile[o][f + 1] == 0)
        score[c] += 2 * SquareBonus[c][kPawn][s];
    }
    if (BoardPiece[s] == kRook) {
      if (pawnsOnFile[c][f] == 0) {
        score[c] += 10;
        if (pawnsOnFile[o][f] == 0) score[c] += 5;
      }
    }
  }
  return score[SideToMove] - score[OtherSide];
}

void TReferenceSearch::AddMove(int from, int to, int flags) {
  if ((flags & mfPawnMove) && ((SideToMove == cWhite && to <= 7) || (SideToMove == cBlack && to >= 56))) {
    AddPromotions(from, to, flags);
    return;
  }
  if (ListEnd[Ply] >= MaxMoveList) return;
  TScoredMove& e = MoveList[ListEnd[Ply]];
  e.Move.From = static_cast<std::uint8_t>(from);
  e.Move.To = static_cast<std::uint8_t>(to);
  e.Move.Promotion = 0;
  e.Move.Flags = static_cast<std::uint8_t>(flags);
  if (flags & mfCapture)
    e.Score = 1000000 + 10 * BoardPiece[to] - BoardPiece[from];
  else
    e.Score = HistoryScore[from][to];
  ListEnd[Ply] += 1;
}

void TReferenceSearch::AddPromotions(int from, int to, int flags) {
  for (int k = 1; k <= 4; ++k) {
    if (ListEnd[Ply] >= MaxMoveList) return;
    TScoredMove& e = MoveList[ListEnd[Ply]];
    e.Move.From = static_cast<std::uint8_t>(from);
    e.Move.To = static_cast<std::uint8_t>(to);
    e.Move.Promotion = static_cast<std::uint8_t>(k);
    e.Move.Flags = static_cast<std::uint8_t>(flags + mfPromotion);
    e.Score = 1000000 + 10 * k;
    ListEnd[Ply] += 1;
  }
}

void TReferenceSearch::Generate(bool capturesOnly) {
  ListEnd[Ply] = ListStart[Ply];
  for (int s = 0; s < 64; ++s) {
    if (BoardColor[s] != SideToMove) continue;
    const int kind = BoardPiece[s];
    if (kind == kPawn) {
      // A pawn on its last rank has nowhere to go.
      if (SideToMove == cWhite && s > 7) {
        if (FileOf(s) != 0 && BoardColor[s - 9] == cBlack) AddMove(s, s - 9, 17);
        if (FileOf(s) != 7 && BoardColor[s - 7] == cBlack) AddMove(s, s - 7, 17);
        if (BoardColor[s - 8] == cEmpty) {
          if (!capturesOnly) {
            AddMove(s, s - 8, 16);
            if (s >= 48 && BoardColor[s - 16] == cEmpty) AddMove(s, s - 16, 24);
          } else if (s <= 15) {
            AddMove(s, s - 8, 16);
          }
        }
      }
      if (SideToMove == cBlack && s < 56) {
        if (FileOf(s) != 0 && BoardColor[s + 7] == cWhite) AddMove(s, s + 7, 17);
        if (FileOf(s) != 7 && BoardColor[s + 9] == cWhite) AddMove(s, s + 9, 17);
        if (BoardColor[s + 8] == cEmpty) {
          if (!capturesOnly) {
            AddMove(s, s + 8, 16);
            if (s <= 15 && BoardColor[s + 16] == cEmpty) AddMove(s, s + 16, 24);
          } else if (s >= 48) {
            AddMove(s, s + 8, 16);
          }
        }
      }
      continue;
    }
    for (int j = 0; j < DirectionCount[kind]; ++j) {
      int t = s;
      for (;;) {
        t = MailboxCells[MailboxIndex[t] + Directions[kind][j]];
        if (t == -1) break;
        if (BoardColor[t] != cEmpty) {
          if (BoardColor[t] == OtherSide) AddMove(s, t, 1);
          break;
        }
        if (!capturesOnly) AddMove(s, t, 0);
        if (!(Slides[kind] && j <= 7)) break;
      }
    }
  }
  if (!capturesOnly) {
    // Castling from the rights, with king and rook at home.
    if (SideToMove == cWhite && BoardColor[60] == cWhite && BoardPiece[60] == kKing) {
      if ((CastleRights & 1) && BoardColor[63] == cWhite && BoardPiece[63] == kRook) AddMove(60, 62, 2);
      if ((CastleRights & 2) && BoardColor[56] == cWhite && BoardPiece[56] == kRook) AddMove(60, 58, 2);
    }
    if (SideToMove == cBlack && BoardColor[4] == cBlack && BoardPiece[4] == kKing) {
      if ((CastleRights & 4) && BoardColor[7] == cBlack && BoardPiece[7] == kRook) AddMove(4, 6, 2);
      if ((CastleRights & 8) && BoardColor[0] == cBlack && BoardPiece[0] == kRook) AddMove(4, 2, 2);
    }
  }
  // En passant onto the empty passed-over square, with the enemy pawn behind it.
  const int e = EpSquare;
  if (e != -1 && BoardColor[e] == cEmpty) {
    if (SideToMove == cWhite && e + 8 <= 63 && BoardColor[e + 8] == cBlack && BoardPiece[e + 8] == kPawn) {
      if (FileOf(e) != 0 && BoardColor[e + 7] == cWhite && BoardPiece[e + 7] == kPawn) AddMove(e + 7, e, 21);
      if (FileOf(e) != 7 && BoardColor[e + 9] == cWhite && BoardPiece[e + 9] == kPawn) AddMove(e + 9, e, 21);
    }
    if (SideToMove == cBlack && e - 8 >= 0 && BoardColor[e - 8] == cWhite && BoardPiece[e - 8] == kPawn) {
      if (FileOf(e) != 0 && BoardColor[e - 9] == cBlack && BoardPiece[e - 9] == kPawn) AddMove(e - 9, e, 21);
      if (FileOf(e) != 7 && BoardColor[e - 7] == cBlack && BoardPiece[e - 7] == kPawn) AddMove(e - 7, e, 21);
    }
  }
  ListStart[Ply + 1] = ListEnd[Ply];
}

void TReferenceSearch::GenerateMoves() {
  Generate(false);
}
void TReferenceSearch::GenerateCaptures() {
  Generate(true);
}

bool TReferenceSearch::IsAttacked(int square, int bySide) {
  for (int s = 0; s < 64; ++s) {
    if (BoardColor[s] != bySide) continue;
    const int kind = BoardPiece[s];
    if (kind == kPawn) {
      if (bySide == cWhite) {
        if (FileOf(s) != 0 && s - 9 == square) return true;
        if (FileOf(s) != 7 && s - 7 == square) return true;
      } else {
        if (FileOf(s) != 0 && s + 7 == square) return true;
        if (FileOf(s) != 7 && s + 9 == square) return true;
      }
      continue;
    }
    for (int j = 0; j < DirectionCount[kind]; ++j) {
      int t = s;
      for (;;) {
        t = MailboxCells[MailboxIndex[t] + Directions[kind][j]];
        if (t == -1) break;
        if (t == square) return true;
        if (BoardColor[t] != cEmpty) break;
        if (!(Slides[kind] && j <= 7)) break;
      }
    }
  }
  return false;
}

bool TReferenceSearch::InCheck(int side) {
  for (int s = 0; s < 64; ++s)
    if (BoardColor[s] == side && BoardPiece[s] == kKing) return IsAttacked(s, 1 - side);
  return false;
}

bool TReferenceSearch::DoMove(TSearchMove m) {
  const int from = m.From, to = m.To;
  if (m.Flags & mfCastle) {
    if (InCheck(SideToMove)) return false;
    auto empty = [this](int s) { return BoardColor[s] == cEmpty; };
    auto safe = [this](int s) { return !IsAttacked(s, OtherSide); };
    int rookFrom, rookTo;
    if (to == 62) {
      if (!(empty(61) && empty(62) && safe(61) && safe(62))) return false;
      rookFrom = 63, rookTo = 61;
    } else if (to == 58) {
      if (!(empty(57) && empty(58) && empty(59) && safe(58) && safe(59))) return false;
      rookFrom = 56, rookTo = 59;
    } else if (to == 6) {
      if (!(empty(5) && empty(6) && safe(5) && safe(6))) return false;
      rookFrom = 7, rookTo = 5;
    } else if (to == 2) {
      if (!(empty(1) && empty(2) && empty(3) && safe(2) && safe(3))) return false;
      rookFrom = 0, rookTo = 3;
    } else {
      return false;
    }
    BoardColor[rookTo] = SideToMove;
    BoardPiece[rookTo] = kRook;
    BoardColor[rookFrom] = cEmpty;
    BoardPiece[rookFrom] = kNone;
  }
  UndoStack[Ply] = {m, BoardPiece[to], CastleRights, EpSquare};
  Ply += 1;
  CastleRights = CastleRights & CastleKeepMask[from] & CastleKeepMask[to];
  if (m.Flags & mfDoublePush)
    EpSquare = SideToMove == cWhite ? to + 8 : to - 8;
  else
    EpSquare = -1;
  BoardColor[to] = SideToMove;
  BoardPiece[to] = (m.Flags & mfPromotion) ? m.Promotion : BoardPiece[from];
  BoardColor[from] = cEmpty;
  BoardPiece[from] = kNone;
  if (m.Flags & mfEnPassant) {
    const int victim = SideToMove == cWhite ? to + 8 : to - 8;
    BoardColor[victim] = cEmpty;
    BoardPiece[victim] = kNone;
  }
  const int moved = SideToMove;
  SideToMove = OtherSide;
  OtherSide = moved;
  if (InCheck(moved)) {
    UndoMove();
    return false;
  }
  return true;
}

void TReferenceSearch::UndoMove() {
  const int t = SideToMove;
  SideToMove = OtherSide;
  OtherSide = t;
  Ply -= 1;
  const TUndo& u = UndoStack[Ply];
  CastleRights = u.CastleRights;
  EpSquare = u.EpSquare;
  const int from = u.Move.From, to = u.Move.To;
  BoardColor[from] = SideToMove;
  BoardPiece[from] = (u.Move.Flags & mfPromotion) ? kPawn : BoardPiece[to];
  if (u.Captured == kNone) {
    BoardColor[to] = cEmpty;
    BoardPiece[to] = kNone;
  } else {
    BoardColor[to] = OtherSide;
    BoardPiece[to] = u.Captured;
  }
  if (u.Move.Flags & mfCastle) {
    int rookNow = 3, rookHome = 0;
    if (to == 62) rookNow = 61, rookHome = 63;
    if (to == 58) rookNow = 59, rookHome = 56;
    if (to == 6) rookNow = 5, rookHome = 7;
    BoardColor[rookHome] = SideToMove;
    BoardPiece[rookHome] = kRook;
    BoardColor[rookNow] = cEmpty;
    BoardPiece[rookNow] = kNone;
  }
  if (u.Move.Flags & mfEnPassant) {
    const int victim = SideToMove == cWhite ? to + 8 : to - 8;
    BoardColor[victim] = OtherSide;
    BoardPiece[victim] = kPawn;
  }
}

void TReferenceSearch::MarkBestLineMove() {
  FollowBestLine = false;
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    if (MoveList[i].Move.From == BestLine[0][Ply].From && MoveList[i].Move.To == BestLine[0][Ply].To) {
      MoveList[i].Score += 10000000;
      FollowBestLine = true;
      return;
    }
  }
}

void TReferenceSearch::PickBest(int i) {
  int best = i;
  for (int j = i + 1; j < ListEnd[Ply]; ++j)
    if (MoveList[j].Score > MoveList[best].Score) best = j;
  const TScoredMove t = MoveList[i];
  MoveList[i] = MoveList[best];
  MoveList[best] = t;
}

int TReferenceSearch::Search(int alpha, int beta, int depth) {
  NodeCount += 1;
  if (Ply >= 63) return Evaluate();
  if (Stopped()) return 0;
  if (depth == 0) return Quiesce(alpha, beta);
  BestLineLength[Ply] = Ply;
  const bool inCheck = InCheck(SideToMove);
  if (inCheck) depth = depth + 1;
  GenerateMoves();
  if (FollowBestLine) MarkBestLineMove();
  bool legal = false;
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    if (Stopped()) break;
    PickBest(i);
    if (!DoMove(MoveList[i].Move)) continue;
    legal = true;
    const int score = -Search(-beta, -alpha, depth - 1);
    UndoMove();
    if (score > alpha) {
      const TSearchMove m = MoveList[i].Move;
      HistoryScore[m.From][m.To] += depth;
      if (score >= beta) return beta;
      alpha = score;
      BestLine[Ply][Ply] = m;
      for (int j = Ply + 1; j <= BestLineLength[Ply + 1] - 1; ++j) BestLine[Ply][j] = BestLine[Ply + 1][j];
      BestLineLength[Ply] = BestLineLength[Ply + 1];
    }
  }
  if (!legal) return inCheck ? Ply - 10000 : 0;
  return alpha;
}

int TReferenceSearch::SearchAtPly(int ply, int depth) {
  const int saved = Ply;
  Ply = ply;
  NodeCount = 0;
  const int score = Search(-10000, 10000, depth);
  Ply = saved;
  return score;
}

int TReferenceSearch::Quiesce(int alpha, int beta) {
  NodeCount += 1;
  if (Ply >= 63) return Evaluate();
  BestLineLength[Ply] = Ply;
  const bool inCheck = InCheck(SideToMove);
  if (inCheck) {
    GenerateMoves();
  } else {
    const int x = Evaluate();
    if (x >= beta) return beta;
    if (x > alpha) alpha = x;
    GenerateCaptures();
  }
  if (FollowBestLine) MarkBestLineMove();
  bool legal = false;
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    PickBest(i);
    if (!DoMove(MoveList[i].Move)) continue;
    legal = true;
    const int x = -Quiesce(-beta, -alpha);
    UndoMove();
    if (x > alpha) {
      if (x >= beta) return beta;
      alpha = x;
      const TSearchMove m = MoveList[i].Move;
      BestLine[Ply][Ply] = m;
      for (int j = Ply + 1; j <= BestLineLength[Ply + 1] - 1; ++j) BestLine[Ply][j] = BestLine[Ply + 1][j];
      BestLineLength[Ply] = BestLineLength[Ply + 1];
    }
  }
  if (!legal && inCheck) return Ply - 10000;
  return alpha;
}

std::uint64_t TReferenceSearch::Perft(int depth) {
  if (depth <= 0 || Ply >= 63) return 1;
  GenerateMoves();
  std::uint64_t count = 0;
  for (int i = ListStart[Ply]; i < ListEnd[Ply]; ++i) {
    if (!DoMove(MoveList[i].Move)) continue;
    count += Perft(depth - 1);
    UndoMove();
  }
  return count;
}

}  // namespace zelmar::reference
