#include "tools/zelmar-engine/Fen.h"

#include <sstream>
#include <vector>

#include "engine/ChessBrd.h"

namespace {

// Turns the FEN placement field into the board's 64-character text; empty when it is malformed.
std::string PlacementText(const std::string& placement) {
  std::string text;
  int ranks = 1, files = 0;
  for (char c : placement) {
    if (c == '/') {
      if (files != 8) return {};
      ++ranks;
      files = 0;
    } else if (c >= '1' && c <= '8') {
      files += c - '0';
      text.append(c - '0', ' ');
    } else if (std::string_view("PNBRQKpnbrqk").find(c) != std::string_view::npos) {
      ++files;
      text += c;
    } else {
      return {};
    }
    if (files > 8) return {};
  }
  return ranks == 8 && files == 8 ? text : std::string();
}

// Parses the castling field ("KQkq" subset or "-") into *rights; false when malformed.
bool ParseCastling(const std::string& field, CastleSet* rights) {
  *rights = {};
  if (field == "-") return true;
  for (char c : field) {
    switch (c) {
      case 'K':
        rights->Include(WhiteKingSide);
        break;
      case 'Q':
        rights->Include(WhiteQueenSide);
        break;
      case 'k':
        rights->Include(BlackKingSide);
        break;
      case 'q':
        rights->Include(BlackQueenSide);
        break;
      default:
        return false;
    }
  }
  return !field.empty();
}

// Whether the square can be the one passed over by the opponent's double step just played: on the
// opponent's third rank, empty, with its start square empty and its pawn on the square beyond.
bool FitsDoubleStep(const std::string& placement, bool whiteToMove, Square sq) {
  const int rank = RankOf(sq), file = FileOf(sq);
  if (rank != (whiteToMove ? 6 : 3)) return false;
  const int ahead = whiteToMove ? -1 : 1;  // towards the pawn that moved
  const auto at = [&](int r) { return placement[Ord(SquareAt(file, r)) - 1]; };
  return at(rank) == ' ' && at(rank - ahead) == ' ' && at(rank + ahead) == (whiteToMove ? 'p' : 'P');
}

}  // namespace

std::string SetUpFromFen(TChessBrd& board, std::string_view fen) {
  board.ResetToStart();
  if (fen == "startpos") return {};
  std::istringstream in{std::string(fen)};
  std::vector<std::string> fields;
  for (std::string f; in >> f;) fields.push_back(f);
  if (fields.size() < 2) return "a FEN needs at least a placement and a side to move";
  const std::string placement = PlacementText(fields[0]);
  if (placement.empty()) return "bad placement '" + fields[0] + "'";
  if (fields[1] != "w" && fields[1] != "b") return "bad side to move '" + fields[1] + "'";
  CastleSet rights;
  if (!ParseCastling(fields.size() > 2 ? fields[2] : "-", &rights))
    return "bad castling field '" + fields[2] + "'";
  Square enPassant = Square::None;
  if (fields.size() > 3 && fields[3] != "-") {
    const auto sq = ParseSquare(fields[3]);
    if (!sq || !FitsDoubleStep(placement, fields[1] == "w", *sq))
      return "bad en-passant square '" + fields[3] + "'";
    enPassant = *sq;
  }
  board.SetPosition(placement);
  board.SetWhiteToMove(fields[1] == "w");
  board.SetCastlingAllowed(rights);
  if (enPassant != Square::None) board.SetEnPassant(enPassant);
  return {};
}
