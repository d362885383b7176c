// The one FEN reader of the program.
#include "engine/Fen.h"

#include <sstream>
#include <vector>

namespace zelmar {

namespace {

constexpr std::string_view kPieceLetters = "PNBRQKpnbrqk";

// Turns the FEN placement field into 64 letters, rank 8 first; empty when it is not 8 ranks of 8 squares.
std::string PlacementText(std::string_view placement) {
  std::string text;
  int ranks = 1, files = 0;
  for (char c : placement) {
    if (c == '/') {
      if (files != 8) return {};
      ++ranks;
      files = 0;
    } else if (c >= '1' && c <= '8') {
      files += c - '0';
      text.append(static_cast<std::size_t>(c - '0'), ' ');
    } else if (kPieceLetters.find(c) != std::string_view::npos) {
      ++files;
      text += c;
    } else {
      return {};
    }
    if (files > 8) return {};
  }
  return ranks == 8 && files == 8 ? text : std::string();
}

// Sets the castling rights of the field ("KQkq" or a part of it, or "-"); false when malformed.
bool ReadCastling(std::string_view field, TFenRecord& record) {
  if (field == "-") return true;
  for (char c : field) {
    switch (c) {
      case 'K':
        record.WhiteKingSide = true;
        break;
      case 'Q':
        record.WhiteQueenSide = true;
        break;
      case 'k':
        record.BlackKingSide = true;
        break;
      case 'q':
        record.BlackQueenSide = true;
        break;
      default:
        return false;
    }
  }
  return !field.empty();
}

// Square 1 (a8) .. 64 (h1) of a square name such as "e3", or 0 when it is not one.
int SquareFromName(std::string_view name) {
  if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') return 0;
  return (8 - (name[1] - '0')) * 8 + (name[0] - 'a') + 1;
}

std::nullopt_t Fail(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return std::nullopt;
}

}  // namespace

std::optional<TFenRecord> ReadFen(std::string_view fen, std::string* error) {
  std::istringstream in{std::string(fen)};
  std::vector<std::string> fields;
  for (std::string f; in >> f;) fields.push_back(f);
  if (fields.size() < 2) return Fail(error, "a FEN needs at least a placement and a side to move");
  TFenRecord record;
  // 1. Placement, rank 8 first.
  record.Placement = PlacementText(fields[0]);
  if (record.Placement.empty()) return Fail(error, "bad placement '" + fields[0] + "'");
  // 2. Side to move.
  if (fields[1] != "w" && fields[1] != "b") return Fail(error, "bad side to move '" + fields[1] + "'");
  record.WhiteToMove = fields[1] == "w";
  // 3. Castling rights.
  if (fields.size() > 2 && !ReadCastling(fields[2], record))
    return Fail(error, "bad castling field '" + fields[2] + "'");
  // 4. En-passant square.
  if (fields.size() > 3 && fields[3] != "-") {
    record.EnPassant = SquareFromName(fields[3]);
    if (record.EnPassant == 0) return Fail(error, "bad en-passant square '" + fields[3] + "'");
  }
  return record;
}

bool EnPassantFitsDoubleStep(const TFenRecord& record) {
  if (record.EnPassant < 1 || record.EnPassant > 64) return false;
  const int index = record.EnPassant - 1;
  const int rank = 8 - index / 8, file = index % 8;
  if (rank != (record.WhiteToMove ? 6 : 3)) return false;
  const int ahead = record.WhiteToMove ? -1 : 1;  // towards the pawn that moved
  const auto at = [&](int r) { return record.Placement[static_cast<std::size_t>((8 - r) * 8 + file)]; };
  return at(rank) == ' ' && at(rank - ahead) == ' ' && at(rank + ahead) == (record.WhiteToMove ? 'p' : 'P');
}

}  // namespace zelmar
