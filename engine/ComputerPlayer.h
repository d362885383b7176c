// Gives a board its computer player: the search worker thread that plays the computer's sides.
#pragma once

namespace zelmar {

class TChessBrd;
class TChessThread;

// Creates the worker (parked) and attaches it to the board, which owns it from then on; a board
// without one (as at design time) has no computer player. Returns the worker for inspection.
TChessThread& AttachComputerPlayer(TChessBrd& board);

}  // namespace zelmar
