// Event types through which the board reports what happens in the game.
#pragma once

#include <functional>

#include "engine/Square.h"

namespace zelmar {

class TChessBrd;

// A move from oldSq to newSq (played, castled, checking, mating, stalemating, or a failed calculation).
using TMoveEvent = std::function<void(TChessBrd& Sender, Square oldSq, Square newSq)>;
// A capture: the move and the letter of the piece it took.
using TCaptureEvent = std::function<void(TChessBrd& Sender, Square oldSq, Square newSq, char CapturedPiece)>;
// One square (a piece dropped outside the board by the visual side).
using TOneSquareEvent = std::function<void(TChessBrd& Sender, Square square)>;
// A promotion: the handler may replace NewPiece with the letter of the piece wanted.
using TPromotionEvent = std::function<void(TChessBrd& Sender, Square oldSq, Square newSq, char& NewPiece)>;
// A move asked of a custom move source: the handler fills in both squares.
using TThinkEvent = std::function<void(TChessBrd& Sender, Square& oldsq, Square& newsq)>;
// A move suggested for the player: its squares, and the promotion letter ('q', 'r', 'b', 'n') or 0.
using THintEvent = std::function<void(TChessBrd& Sender, Square oldSq, Square newSq, char promotion)>;
// Something happened to the board as a whole.
using TBoardNotifyEvent = std::function<void(TChessBrd& Sender)>;

}  // namespace zelmar
