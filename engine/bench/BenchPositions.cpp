// Opening, middle-game and end-game positions with castling, en passant, promotions and mates.
#include "engine/bench/BenchPositions.h"

namespace zelmar {

namespace {
const TBenchPosition Positions[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 6, 6},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 5, 5},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", 6, 6},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -", 5, 5},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -", 5, 5},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -", 5, 5},
    {"r3k2r/2pb1ppp/2pp1q2/p7/1nP1B3/1P2P3/P2N1PPP/R2QK2R w KQkq a6", 5, 5},
    {"4rrk1/2p1b1p1/p1p3q1/4p3/2P2n1p/1P1NR2P/PB3PP1/3R1QK1 b - -", 5, 5},
    {"r3qbrk/6p1/2b2pPp/p3pP1Q/PpPpP2P/3P1B2/2PB3K/R5R1 w - -", 5, 5},
    {"6k1/1R3p2/6p1/2Bp3p/3P2q1/P7/1P2rQ1K/5R2 b - -", 5, 5},
    {"8/8/1p2k1p1/3p3p/1p1P1P1P/1P2PK2/8/8 w - -", 7, 7},
    {"7r/2p3k1/1p1p1qp1/1P1Bp3/p1P2r1P/P7/4R3/Q4RK1 w - -", 5, 5},
    {"r1bq1rk1/pp2b1pp/n1pp1n2/3P1p2/2P1p3/2N1P2N/PP2BPPP/R1BQ1RK1 b - -", 5, 5},
    {"3r3k/2r4p/1p1b3q/p4P2/P2Pp3/1B2P3/3BQ1RP/6K1 w - -", 5, 5},
    {"2r4k/pB4bp/1p4p1/6q1/1P1n4/2N5/P4PPP/2R1Q1K1 b - -", 5, 5},
    {"r1b2rk1/1p1nbppp/pq1p4/3B4/P2NP3/2N1p3/1PP3PP/R2Q1R1K w - -", 5, 5},
    {"8/8/8/8/5kp1/P7/8/1K1N4 w - -", 7, 7},
    {"8/8/3P3k/8/1p6/8/1P6/1K3n2 b - -", 7, 7},
    {"8/R7/2q5/8/6k1/8/1P5p/K6R w - -", 6, 5},
    {"8/6pk/1p6/8/PP3p1p/5P2/4KP1q/3Q4 w - -", 6, 5},
    {"7k/3p2pp/4q3/8/4Q3/5Kp1/P6b/8 w - -", 6, 5},
    {"8/2p5/8/2kPKp1p/2p4P/2P5/3P4/8 w - -", 8, 8},
    {"6k1/6p1/P6p/r1N5/5p2/7P/1b3PP1/4R1K1 w - -", 6, 6},
    {"1r3k2/4q3/2Pp3b/3Bp3/2Q2p2/1p1P2P1/1P2KP2/3N4 w - -", 5, 5},
    {"6k1/4pp1p/3p2p1/P1pPb3/R7/1r2P1PP/3B1P2/6K1 w - -", 6, 6},
    {"8/3p3B/5p2/5P2/p7/PP5b/k7/6K1 w - -", 7, 7},
    {"5rk1/q6p/2p3bR/1pPp1rP1/1P1Pp3/P3B1Q1/1K6/7R w - -", 5, 5},
    {"8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w - -", 8, 8},
    {"8/3k4/8/8/3K4/8/3R4/8 w - -", 6, 6},
    {"6k1/5ppp/8/8/8/8/8/R5K1 w - -", 4, 4},
    {"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq -", 4, 4},
    {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6", 5, 5},
    {"8/P6k/8/8/8/8/6Kp/8 w - -", 7, 7},
};
}  // namespace

std::span<const TBenchPosition> BenchPositions() {
  return Positions;
}

}  // namespace zelmar
