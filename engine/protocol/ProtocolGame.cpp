// The protocols' game: positions kept as search roots, moves checked by the search board's generator.
#include "engine/protocol/ProtocolGame.h"

#include <algorithm>
#include <cctype>

#include "engine/search/SearchBoard.h"
#include "engine/search/SearchRootText.h"

namespace zelmar {

namespace {

constexpr int MaxPiecesPerSide = 16;
constexpr int MaxPawnsPerSide = 8;

// The board square 1..64 a pawn passed over may be taken en passant from, when it fits a double
// step just played by the side not to move: on its third rank, empty, with an empty start square
// behind it and that side's pawn on the square beyond.
bool FitsDoubleStep(const TSearchRoot& r) {
  const int s = r.EnPassant - 1;
  if (s < 0 || s > 63) return false;
  const int row = RowOfSq(s);
  // White to move: Black stepped from row 1 over row 2 to row 3.
  const int wantedRow = r.WhiteToMove ? 2 : 5;
  const int towardsPawn = r.WhiteToMove ? 8 : -8;
  const char pawn = r.WhiteToMove ? 'p' : 'P';
  return row == wantedRow && r.Squares[s] == ' ' && r.Squares[s - towardsPawn] == ' ' &&
         r.Squares[s + towardsPawn] == pawn;
}

}  // namespace

TProtocolGame::TProtocolGame() : Rules(std::make_unique<TSearchBoard>()) {
  NewGame();
}

TProtocolGame::~TProtocolGame() = default;
TProtocolGame::TProtocolGame(TProtocolGame&&) noexcept = default;
TProtocolGame& TProtocolGame::operator=(TProtocolGame&&) noexcept = default;

void TProtocolGame::NewGame() {
  TSearchRoot root;
  RootFromFen(StartFen, root);
  History.assign(1, root);
}

// What makes the position impossible to play from, or an empty text when it is sound.
std::string TProtocolGame::CheckPosition(const TSearchRoot& r) const {
  // 1. Men: one king each, no more than a side can have, no pawn on the first or last rank.
  int kings[2] = {0, 0}, pieces[2] = {0, 0}, pawns[2] = {0, 0};
  for (int s = 0; s < 64; ++s) {
    const char c = r.Squares[s];
    if (c == ' ' || c == 0) continue;
    const int side = std::isupper(static_cast<unsigned char>(c)) ? 0 : 1;
    ++pieces[side];
    const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (kind == 'k') ++kings[side];
    if (kind == 'p') {
      ++pawns[side];
      if (RowOfSq(s) == 0 || RowOfSq(s) == 7) return "a pawn stands on the first or last rank";
    }
  }
  if (kings[0] != 1 || kings[1] != 1) return "each side needs exactly one king";
  if (pieces[0] > MaxPiecesPerSide || pieces[1] > MaxPiecesPerSide || pawns[0] > MaxPawnsPerSide ||
      pawns[1] > MaxPawnsPerSide)
    return "more men than a side can have";
  // 2. Castling rights only where king and rook still stand on their squares.
  struct TRight {
    int Bit, King, Rook;
    char KingLetter, RookLetter;
  };
  static constexpr TRight Rights[] = {{crWhiteKingSide, 60, 63, 'K', 'R'},
                                      {crWhiteQueenSide, 60, 56, 'K', 'R'},
                                      {crBlackKingSide, 4, 7, 'k', 'r'},
                                      {crBlackQueenSide, 4, 0, 'k', 'r'}};
  for (const TRight& right : Rights)
    if ((r.CastleRights & right.Bit) &&
        (r.Squares[right.King] != right.KingLetter || r.Squares[right.Rook] != right.RookLetter))
      return "a castling right without its king and rook in place";
  // 3. En passant only straight after a double step.
  if (r.EnPassant != 0 && !FitsDoubleStep(r)) return "the en-passant square does not follow a double step";
  // 4. The side that has just moved cannot be in check.
  Rules->SetZelmarMode(Zelmar);
  Rules->LoadRoot(r);
  if (Rules->InCheck(r.WhiteToMove ? cBlack : cWhite)) return "the side not to move is in check";
  return {};
}

bool TProtocolGame::SetFen(std::string_view fen, std::string& error) {
  TSearchRoot root;
  if (!RootFromFen(fen, root, &error)) return false;
  error = CheckPosition(root);
  if (!error.empty()) return false;
  History.assign(1, root);
  return true;
}

std::vector<TSearchMove> TProtocolGame::LegalMoves() const {
  Rules->SetZelmarMode(Zelmar);
  Rules->LoadRoot(Position());
  Rules->GenerateMoves();
  std::vector<TSearchMove> moves;
  for (int i = Rules->ListBegin(); i < Rules->ListFinish(); ++i) {
    const TSearchMove m = Rules->Entries()[i].Move;
    if (!Rules->DoMove(m)) continue;
    Rules->UndoMove();
    moves.push_back(m);
  }
  return moves;
}

bool TProtocolGame::FindMove(std::string_view text, TSearchMove& move, std::string& error) const {
  std::string wanted(text);
  std::transform(wanted.begin(), wanted.end(), wanted.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (wanted.size() < 4 || wanted.size() > 5) {
    error = "not a move in coordinate form";
    return false;
  }
  for (const TSearchMove m : LegalMoves()) {
    if (MoveToText(m) == wanted) {
      move = m;
      return true;
    }
  }
  error = "not a legal move here";
  return false;
}

TSearchRoot TProtocolGame::After(const TSearchRoot& from, TSearchMove move) const {
  Rules->SetZelmarMode(Zelmar);
  Rules->LoadRoot(from);
  Rules->DoMove(move);
  return Rules->CurrentRoot(from.Depth);
}

bool TProtocolGame::PlayText(std::string_view text, std::string& error) {
  TSearchMove m;
  if (!FindMove(text, m, error)) return false;
  Play(m);
  return true;
}

void TProtocolGame::Play(TSearchMove move) {
  History.push_back(After(Position(), move));
}

bool TProtocolGame::Undo() {
  if (History.size() < 2) return false;
  History.pop_back();
  return true;
}

TGameEnd TProtocolGame::End() const {
  if (!LegalMoves().empty()) return TGameEnd::None;
  Rules->SetZelmarMode(Zelmar);
  Rules->LoadRoot(Position());
  const bool white = Position().WhiteToMove;
  if (!Rules->InCheck(white ? cWhite : cBlack)) return TGameEnd::Stalemate;
  return white ? TGameEnd::BlackMates : TGameEnd::WhiteMates;
}

TSearchRoot TProtocolGame::SearchRoot(int depth) const {
  TSearchRoot root = Position();
  root.Depth = depth;
  root.ZelmarMode = Zelmar;
  return root;
}

std::string TProtocolGame::Fen() const {
  return FenFromRoot(Position());
}

}  // namespace zelmar
