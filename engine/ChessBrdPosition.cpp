// The board's squares, position text, properties and their setters, and the reset to the start.
#include <algorithm>
#include <cctype>

#include "engine/ChessBrd.h"
#include "engine/SearchLevel.h"

namespace zelmar {

namespace {

// The characters a square may hold: a space or one of the twelve piece letters.
constexpr std::string_view kSquareCharacters = " PNBRQKpnbrqk";

// Whether the text, in lower case, is one of the words that ask for the initial position.
bool NamesInitialPosition(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower == "init" || lower == "newgame";
}

}  // namespace

TChessBrd::TChessBrd() {
  ResetToStart();
}

// Parks the worker before it goes, so that it never reads a board that no longer exists.
TChessBrd::~TChessBrd() {
  if (worker_ && !customEngine_) worker_->Park();
  worker_.reset();
}

std::string TChessBrd::GetPosition() const {
  return std::string(&board_[1], 64);
}

int TChessBrd::PieceColor(Square sq) const {
  const char c = PieceAt(sq);
  if (c >= 'B' && c <= 'R') return 1;
  if (c >= 'b' && c <= 'r') return 0;
  return -1;
}

// Copies the recognised letters of the text onto the squares; only the squares change.
void TChessBrd::SetPosition(std::string_view text) {
  // 1. Park the worker and empty the squares.
  StopThinking();
  std::fill(board_.begin() + 1, board_.begin() + 65, ' ');
  // 2. Take the text's letters, up to 64 of them, stopping at a NUL.
  const std::size_t n = std::min<std::size_t>(text.size(), 64);
  for (std::size_t k = 0; k < n; ++k) {
    const char c = text[k];
    if (c == '\0') break;
    if (kSquareCharacters.find(c) != std::string_view::npos) board_[k + 1] = c;
  }
  // 3. The two words for the initial position load the whole board instead.
  if (NamesInitialPosition(text)) {
    board_[0] = '_';
    std::copy(kInitialPosition.begin(), kInitialPosition.end(), board_.begin() + 1);
    board_[65] = '\0';
  }
  Repaint();
}

void TChessBrd::NewGame() {
  ResetToStart();
  Repaint();
}

// Back to the initial position; the mode, the computer's sides, depth, priority and promotion letter stay.
void TChessBrd::ResetToStart() {
  StopThinking();
  board_[0] = '_';
  std::copy(kInitialPosition.begin(), kInitialPosition.end(), board_.begin() + 1);
  board_[65] = '\0';
  whiteToMove_ = true;
  currentMove_ = 1;
  historyStartMove_ = historyEndMove_ = 1;
  historyStartWhiteToMove_ = historyEndWhiteToMove_ = true;
  record_.Clear();  // an earlier game's entries must never count as repetitions of this one
  enPassant_ = Square::None;
  castlingAllowed_ = CastleSet::All();
}

void TChessBrd::SetComputerPlaysWhite(bool value) {
  StopThinking();
  computerPlaysWhite_ = value;
  StartThinking();
}

void TChessBrd::SetComputerPlaysBlack(bool value) {
  StopThinking();
  computerPlaysBlack_ = value;
  StartThinking();
}

// Accepts only the squares a double step can pass over (ranks 3 and 6); ignores everything else.
void TChessBrd::SetEnPassant(Square value) {
  const int o = Ord(value);
  if ((o >= Ord(Square::A6) && o <= Ord(Square::H6)) || (o >= Ord(Square::A3) && o <= Ord(Square::H3))) {
    StopThinking();
    enPassant_ = value;
  }
}

// The worker copies the rights when its search starts, so they change only while it is parked.
void TChessBrd::SetCastlingAllowed(CastleSet value) {
  StopThinking();
  castlingAllowed_ = value;
}

// Neither parks the worker (a search under the old value is thrown away when it ends), but a search
// started ahead of time under the old value goes at once.
void TChessBrd::SetSearchDepth(int value) {
  const int depth = std::clamp(value, kLowestLevel, kHighestLevel);
  if (depth == searchDepth_) return;
  DiscardAhead();
  RaiseGeneration();
  searchDepth_ = depth;
}

void TChessBrd::SetZelmarMode(bool value) {
  if (value == zelmarMode_) return;
  DiscardAhead();
  RaiseGeneration();
  zelmarMode_ = value;
}

void TChessBrd::SetWhiteToMove(bool value) {
  StopThinking();
  whiteToMove_ = value;
}

void TChessBrd::SetThinkingPriority(TThreadPriority value) {
  thinkingPriority_ = value;
  if (worker_) worker_->ApplyPriority(value);
}

// The first repaint after loading is what starts the computer player in the game.
void TChessBrd::Repaint() {
  if (loading_) return;
  if (OnPaint) OnPaint(*this);
  if (!firstPaintDone_) {
    firstPaintDone_ = true;
    StartThinking();
  }
}

}  // namespace zelmar
