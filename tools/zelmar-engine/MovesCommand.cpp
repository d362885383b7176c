// moves: plays moves through the board and prints every event it raises and the state it ends in.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/ChessBrd.h"
#include "tools/zelmar-engine/BoardFromFen.h"
#include "tools/zelmar-engine/Commands.h"

namespace zelmar {

namespace {

// One step of the script: a move in coordinates (with an optional promotion letter), back or forward.
struct Step {
  enum Kind { kMove, kBack, kForward } kind = kMove;
  Square from = Square::None, to = Square::None;
  char promotion = 0;
  std::string text;
};

// Parses one word of the script; nothing when it is neither a move nor back/forward.
std::optional<Step> ParseStep(std::string_view word) {
  Step step;
  step.text = std::string(word);
  if (word == "back") return step.kind = Step::kBack, step;
  if (word == "forward") return step.kind = Step::kForward, step;
  if (word.size() != 4 && word.size() != 5) return std::nullopt;
  const auto from = ParseSquare(word.substr(0, 2)), to = ParseSquare(word.substr(2, 2));
  if (!from || !to) return std::nullopt;
  step.from = *from;
  step.to = *to;
  if (word.size() == 5) {
    step.promotion = static_cast<char>(word[4] | 0x20);
    if (std::string_view("nbrq").find(step.promotion) == std::string_view::npos) return std::nullopt;
  }
  return step;
}

// Makes the board print one line per event, in the order raised.
void PrintEvents(TChessBrd& board, const char& promotion) {
  const auto line = [](const char* name, Square a, Square b) {
    std::printf("%s %s %s\n", name, SquareName(a).c_str(), SquareName(b).c_str());
  };
  board.OnLegalMove = [line](TChessBrd&, Square a, Square b) { line("LegalMove", a, b); };
  board.OnCapture = [](TChessBrd&, Square a, Square b, char piece) {
    std::printf("Capture %s %s %c\n", SquareName(a).c_str(), SquareName(b).c_str(), piece);
  };
  board.OnPromotion = [&promotion](TChessBrd&, Square a, Square b, char& piece) {
    if (promotion != 0) piece = promotion;
    std::printf("Promotion %s %s %c\n", SquareName(a).c_str(), SquareName(b).c_str(), piece);
  };
  board.OnCastle = [line](TChessBrd&, Square a, Square b) { line("Castle", a, b); };
  board.OnCheck = [](TChessBrd&, Square, Square) { std::puts("Check"); };
  board.OnMate = [](TChessBrd&, Square, Square) { std::puts("Mate"); };
  board.OnStaleMate = [](TChessBrd&, Square, Square) { std::puts("StaleMate"); };
  board.OnNoMatingMaterial = [](TChessBrd&) { std::puts("NoMatingMaterial"); };
  board.OnThreefoldPosition = [](TChessBrd&) { std::puts("ThreefoldPosition"); };
  board.OnDraw = [](TChessBrd&) { std::puts("Draw"); };
}

// Prints the position, side to move, castling rights, en-passant square and move number.
void PrintState(const TChessBrd& board) {
  std::string position = board.GetPosition();
  for (char& c : position) {
    if (c == ' ') c = '.';
  }
  std::string castling;
  const CastleSet rights = board.CastlingAllowed();
  if (rights.Contains(WhiteKingSide)) castling += 'K';
  if (rights.Contains(WhiteQueenSide)) castling += 'Q';
  if (rights.Contains(BlackKingSide)) castling += 'k';
  if (rights.Contains(BlackQueenSide)) castling += 'q';
  std::printf("Position %s\nToMove %c\nCastling %s\nEnPassant %s\nCurrentMove %d\n", position.c_str(),
              board.WhiteToMove() ? 'w' : 'b', castling.empty() ? "-" : castling.c_str(),
              SquareName(board.EnPassant()).c_str(), board.CurrentMove());
}

int Refuse(const std::string& why) {
  std::fprintf(stderr, "zelmar-engine moves: %s\n", why.c_str());
  std::fprintf(
      stderr, "usage: zelmar-engine moves [--zelmar] \"FEN\" MOVE...   (MOVE: e2e4, e7e8n, back, forward)\n");
  return 2;
}

}  // namespace

// Checks the whole script first, so that a typing error plays nothing, then plays it step by step.
int RunMoves(CommandArgs args) {
  // 1. Options, position and script.
  std::size_t i = 0;
  bool zelmar = false;
  if (i < args.size() && args[i] == "--zelmar") zelmar = true, ++i;
  if (i == args.size()) return Refuse("missing FEN");
  const std::string_view fen = args[i++];
  std::vector<Step> script;
  for (; i < args.size(); ++i) {
    const auto step = ParseStep(args[i]);
    if (!step) return Refuse("not a move: '" + std::string(args[i]) + "'");
    script.push_back(*step);
  }
  TChessBrd board;
  board.SetZelmarMode(zelmar);
  if (const std::string error = zelmar::SetUpFromFen(board, fen); !error.empty()) return Refuse(error);
  // 2. Play the script, reporting every event and every refusal.
  char promotion = 0;
  PrintEvents(board, promotion);
  for (const Step& step : script) {
    if (step.kind == Step::kBack) {
      if (!board.MoveBack()) std::puts("Refused back");
    } else if (step.kind == Step::kForward) {
      if (!board.MoveForward()) std::puts("Refused forward");
    } else {
      promotion = step.promotion;
      if (!board.PlayMove(step.from, step.to)) {
        std::printf("Illegal %s %s\n", SquareName(step.from).c_str(), SquareName(step.to).c_str());
      }
    }
  }
  // 3. The state the board ends in.
  PrintState(board);
  return 0;
}

}  // namespace zelmar
