// Attaching the search worker to a board.
#include "engine/ComputerPlayer.h"

#include <memory>

#include "engine/ChessBrd.h"
#include "engine/ChessThread.h"

namespace zelmar {

TChessThread& AttachComputerPlayer(TChessBrd& board) {
  auto worker = std::make_unique<TChessThread>(board);
  TChessThread& ref = *worker;
  board.AttachWorker(std::move(worker));
  return ref;
}

}  // namespace zelmar
