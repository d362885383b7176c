// Writing and reading moves in standard algebraic notation.
#include "engine/notation/San.h"

#include <array>
#include <cctype>
#include <cstdlib>

#include "engine/notation/ScratchBoard.h"

namespace zelmar {

namespace {

constexpr std::string_view kKingSideCastling = "O-O";
constexpr std::string_view kQueenSideCastling = "O-O-O";
// Marks that may trail a move and say nothing about which move it is.
constexpr std::string_view kTrailingMarks = "!?+#";
// What may follow an en-passant capture, once the text is in lower case and without spaces.
constexpr std::array<std::string_view, 2> kEnPassantMarks = {"e.p.", "ep"};

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsPromotionLetter(char c) {
  const char lower = Lower(c);
  return lower == 'q' || lower == 'r' || lower == 'b' || lower == 'n';
}

bool IsFile(char c) {
  return c >= 'a' && c <= 'h';
}

bool IsRank(char c) {
  return c >= '1' && c <= '8';
}

// Whether the piece on `from` going to `to` is a pawn reaching its last rank.
bool IsPromotion(const TChessBrd& board, Square from, Square to) {
  const char piece = board.PieceAt(from);
  return (piece == 'P' && RankOf(to) == 8) || (piece == 'p' && RankOf(to) == 1);
}

// A king's two-square step along its rank is castling; the board allows it only as such.
bool IsCastling(const TChessBrd& board, Square from, Square to) {
  return Lower(board.PieceAt(from)) == 'k' && std::abs(FileOf(to) - FileOf(from)) == 2;
}

void SetError(std::string* error, std::string_view reason) {
  if (error != nullptr) *error = reason;
}

// Drops spaces at both ends.
std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// Drops the check and mate marks, the !/? comments and an en-passant mark, in any order and number.
std::string_view StripTrailing(std::string_view text) {
  for (bool changed = true; changed;) {
    changed = false;
    text = TrimSpaces(text);
    while (!text.empty() && kTrailingMarks.find(text.back()) != std::string_view::npos) {
      text.remove_suffix(1);
      changed = true;
    }
    for (std::string_view mark : kEnPassantMarks) {
      if (text.size() <= mark.size() + 2) continue;
      std::string_view tail = text.substr(text.size() - mark.size());
      bool same = true;
      for (std::size_t k = 0; k < mark.size(); ++k) same = same && Lower(tail[k]) == mark[k];
      // The mark follows a rank digit or a space, never a file letter.
      const char before = text[text.size() - mark.size() - 1];
      if (same && (IsRank(before) || before == ' ')) {
        text.remove_suffix(mark.size());
        changed = true;
      }
    }
  }
  return text;
}

// The castling side a text names (O-O, 0-0, o-o, with or without dashes): 1 king side, 2 queen side, 0 none.
int CastlingSide(std::string_view text) {
  std::string plain;
  for (char c : text) {
    if (c == '-') continue;
    if (c != 'O' && c != 'o' && c != '0') return 0;
    plain += 'O';
  }
  return plain.size() == 2 ? 1 : plain.size() == 3 ? 2 : 0;
}

// The legal moves that match the parts of a move the text names; the piece 0 means a pawn unless both
// coordinates of the square it leaves are named (the coordinate form, any piece).
struct TMovePattern {
  char Piece = 0;  // lower-case piece letter, or 0
  int FromFile = 0, FromRank = 0;
  Square To = Square::None;
  char Promotion = 0;
};

std::optional<TGameMove> MatchPattern(const TChessBrd& board, const TMovePattern& pattern,
                                      std::string* error) {
  const bool anyPiece = pattern.Piece == 0 && pattern.FromFile != 0 && pattern.FromRank != 0;
  const char wanted = pattern.Piece == 0 ? 'p' : pattern.Piece;
  const int side = board.WhiteToMove() ? 1 : 0;
  int found = 0;
  TGameMove move;
  for (int k = 1; k <= 64; ++k) {
    const Square from = SquareOf(k);
    if (board.PieceColor(from) != side) continue;
    if (!anyPiece && Lower(board.PieceAt(from)) != wanted) continue;
    if ((pattern.FromFile != 0 && FileOf(from) != pattern.FromFile) ||
        (pattern.FromRank != 0 && RankOf(from) != pattern.FromRank))
      continue;
    if (!board.IsLegalMove(from, pattern.To)) continue;
    const bool promotion = IsPromotion(board, from, pattern.To);
    if (pattern.Promotion != 0 && !promotion) continue;
    ++found;
    move.From = from;
    move.To = pattern.To;
    move.Promotion = promotion ? (pattern.Promotion != 0 ? pattern.Promotion : kDefaultPromotion) : 0;
  }
  if (found == 0) {
    SetError(error, "illegal");
    return std::nullopt;
  }
  if (found > 1) {
    SetError(error, "ambiguous");
    return std::nullopt;
  }
  move.San = MoveToSan(board, move);
  return move;
}

}  // namespace

std::string MoveToSan(const TChessBrd& board, const TGameMove& move) {
  const char piece = board.PieceAt(move.From);
  const char kind = Lower(piece);
  std::string san;
  if (IsCastling(board, move.From, move.To)) {
    san = FileOf(move.To) > FileOf(move.From) ? kKingSideCastling : kQueenSideCastling;
  } else if (kind == 'p') {
    if (FileOf(move.From) != FileOf(move.To)) {  // a pawn changes file only by capturing, en passant too
      san += static_cast<char>('a' + FileOf(move.From) - 1);
      san += 'x';
    }
    san += SquareName(move.To);
    if (IsPromotion(board, move.From, move.To)) {
      san += '=';
      san += Upper(move.Promotion != 0 ? move.Promotion : kDefaultPromotion);
    }
  } else {
    san += Upper(kind);
    // Every other piece of the same letter that may legally go to the same square.
    bool rival = false, sameFile = false, sameRank = false;
    for (int k = 1; k <= 64; ++k) {
      const Square other = SquareOf(k);
      if (other == move.From || board.PieceAt(other) != piece || !board.IsLegalMove(other, move.To)) continue;
      rival = true;
      sameFile = sameFile || FileOf(other) == FileOf(move.From);
      sameRank = sameRank || RankOf(other) == RankOf(move.From);
    }
    if (rival && (!sameFile || sameRank)) san += static_cast<char>('a' + FileOf(move.From) - 1);
    if (rival && sameFile) san += static_cast<char>('0' + RankOf(move.From));
    if (board.PieceAt(move.To) != ' ') san += 'x';
    san += SquareName(move.To);
  }
  // Check and mate are seen once the move is played, on a copy.
  TChessBrd scratch;
  CopyPosition(board, scratch);
  scratch.SetPromotionPiece(move.Promotion != 0 ? move.Promotion : kDefaultPromotion);
  if (scratch.PlayMove(move.From, move.To) && SideToMoveInCheck(scratch)) {
    san += scratch.HasLegalMove() ? '+' : '#';
  }
  return san;
}

std::optional<TGameMove> SanToMove(const TChessBrd& board, std::string_view text, std::string* error) {
  std::string_view plain = StripTrailing(text);
  if (const int castling = CastlingSide(plain); castling != 0) {
    const int rank = board.WhiteToMove() ? 1 : 8;
    TMovePattern pattern{'k', 5, rank, SquareAt(castling == 1 ? 7 : 3, rank), 0};
    return MatchPattern(board, pattern, error);
  }
  TMovePattern pattern;
  if (!plain.empty() && std::string_view("KQRBNP").find(plain.front()) != std::string_view::npos) {
    pattern.Piece = Lower(plain.front());
    plain.remove_prefix(1);
  }
  // The squares and the promotion without the capture and move signs.
  std::string rest;
  for (char c : plain) {
    if (c != 'x' && c != ':' && c != '-') rest += c;
  }
  if (rest.size() >= 3 && IsPromotionLetter(rest.back()) && IsRank(rest[rest.size() - 2])) {
    pattern.Promotion = Lower(rest.back());
    rest.pop_back();
  } else if (rest.size() >= 4 && IsPromotionLetter(rest.back()) &&
             (rest[rest.size() - 2] == '=' || rest[rest.size() - 2] == '/')) {
    pattern.Promotion = Lower(rest.back());
    rest.resize(rest.size() - 2);
  }
  const bool shaped =
      rest.size() >= 2 && rest.size() <= 4 && IsFile(rest[rest.size() - 2]) && IsRank(rest.back());
  if (!shaped) {
    SetError(error, "not a move");
    return std::nullopt;
  }
  pattern.To = SquareAt(rest[rest.size() - 2] - 'a' + 1, rest.back() - '0');
  std::string_view from = std::string_view(rest).substr(0, rest.size() - 2);
  if (!from.empty() && IsFile(from.front())) {
    pattern.FromFile = from.front() - 'a' + 1;
    from.remove_prefix(1);
  }
  if (!from.empty() && IsRank(from.front())) {
    pattern.FromRank = from.front() - '0';
    from.remove_prefix(1);
  }
  if (!from.empty()) {
    SetError(error, "not a move");
    return std::nullopt;
  }
  return MatchPattern(board, pattern, error);
}

}  // namespace zelmar
