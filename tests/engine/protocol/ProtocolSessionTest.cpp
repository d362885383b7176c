// Sessions through the real CECP and UCI fronts: fixed depths against fresh searches, pondering,
// stops and deadlines, and bad input refused without a change.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <sstream>

#include "engine/protocol/CecpFront.h"
#include "engine/protocol/TimePlan.h"
#include "engine/protocol/UciFront.h"
#include "tests/engine/protocol/ProtocolTestUtil.h"

namespace zelmar {
namespace {

using testing::FreshSearch;
using testing::TOutputLog;
using testing::WordAfter;

const char* const Positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 8",
};

// The move of a "bestmove X [ponder Y]" line.
std::string BestOf(const std::string& line) {
  return WordAfter(" " + line + " ", "bestmove");
}

TSearchRoot RootOf(std::string_view fen) {
  TSearchRoot root;
  EXPECT_TRUE(RootFromFen(fen, root));
  return root;
}

// UCI at a fixed depth (go depth, and the Level option under a clock) answers exactly as a fresh
// search: the same move and the same node count, in both variants.
TEST(UciSession, FixedDepthEqualsFreshSearch) {
  TOutputLog log;
  TUciFront uci(log.Sink());
  uci.Handle("uci");
  ASSERT_FALSE(log.Next("uciok").empty());
  for (const bool zelmar : {false, true}) {
    uci.Handle(std::string("setoption name UCI_Variant value ") + (zelmar ? "zelmar" : "chess"));
    for (const char* fen : Positions) {
      for (int depth = 1; depth <= 4; ++depth) {
        const auto want = FreshSearch(RootOf(fen), depth, zelmar);
        uci.Handle(std::string("position fen ") + fen);
        uci.Handle("go depth " + std::to_string(depth));
        const std::string info = log.Next("info depth " + std::to_string(depth) + " ");
        const std::string best = log.Next("bestmove");
        EXPECT_EQ(WordAfter(info, "nodes"), std::to_string(want.Nodes)) << fen << " depth " << depth;
        EXPECT_EQ(BestOf(best), want.Move) << fen << " depth " << depth;
      }
    }
  }
  // The Level option: the game's depth, the clock only a guard.
  uci.Handle("setoption name Level value 3");
  uci.Handle("position startpos moves e2e4 e7e5");
  uci.Handle("go wtime 600000 btime 600000");
  TProtocolGame game;
  game.SetZelmarMode(true);
  std::string error;
  ASSERT_TRUE(game.PlayText("e2e4", error) && game.PlayText("e7e5", error));
  const std::string best = log.Next("bestmove");
  EXPECT_EQ(BestOf(best), FreshSearch(game.Position(), 3, true).Move);
}

// A CECP game at sd 3 with pondering on: every engine move equals a fresh search of the position,
// whether the reply was the one pondered on or another.
TEST(CecpSession, PonderedGameAtFixedDepthEqualsFreshSearch) {
  TOutputLog log;
  TCecpFront cecp(log.Sink());
  for (const char* line :
       {"xboard", "protover 2", "new", "variant zelmar", "hard", "post", "sd 3", "level 40 5 0"})
    cecp.Handle(line);
  ASSERT_FALSE(log.Next("feature done=1").empty());
  ASSERT_EQ(log.Next("piece"), "piece Q& QN");
  TProtocolGame game;
  game.SetZelmarMode(true);
  std::string error;
  std::mt19937 random(21);
  std::string reply = "e2e4";
  for (int turn = 0; turn < 8; ++turn) {
    ASSERT_TRUE(game.PlayText(reply, error)) << reply << ": " << error;
    cecp.Handle("usermove " + reply);
    const std::string expected = FreshSearch(game.Position(), 3, true).Move;
    std::string thinking, line;
    while (!(line = log.Next("")).starts_with("move ")) {
      ASSERT_FALSE(line.empty()) << "no move";
      if (std::isdigit(static_cast<unsigned char>(line[0]))) thinking = line;
    }
    ASSERT_EQ(line, "move " + expected) << "turn " << turn;
    ASSERT_TRUE(game.PlayText(expected, error));
    if (game.End() != TGameEnd::None) break;
    // Half the replies are the one the engine ponders on (the second move of its line).
    const std::vector<TSearchMove> legal = game.LegalMoves();
    reply = MoveToText(legal[random() % legal.size()]);
    if (turn % 2 == 0) {
      std::istringstream pv(thinking);
      std::string w;
      std::vector<std::string> fields;
      while (pv >> w) fields.push_back(w);
      if (fields.size() >= 6) reply = fields[5];
    }
  }
}

// Shallow pondered games: the ponder search often ends before the reply comes; every reply still
// gets exactly one legal move.
TEST(CecpSession, ShallowPonderingAnswersEachReplyOnce) {
  std::mt19937 random(5);
  for (int depth = 1; depth <= 2; ++depth) {
    TOutputLog log;
    TCecpFront cecp(log.Sink());
    for (const std::string& line : std::vector<std::string>{"xboard", "protover 2", "new", "hard", "post",
                                                            "sd " + std::to_string(depth)})
      cecp.Handle(line);
    TProtocolGame game;
    std::string error, expected;
    for (int turn = 0; turn < 40 && game.End() == TGameEnd::None; ++turn) {
      const std::vector<TSearchMove> legal = game.LegalMoves();
      std::string reply = MoveToText(legal[random() % legal.size()]);
      TSearchMove m;
      if (turn % 3 && !expected.empty() && game.FindMove(expected, m, error)) reply = expected;
      ASSERT_TRUE(game.PlayText(reply, error));
      cecp.Handle("usermove " + reply);
      if (game.End() != TGameEnd::None) break;
      std::string line, thinking;
      while (!(line = log.Next("")).starts_with("move ")) {
        ASSERT_FALSE(line.empty()) << "no move";
        if (std::isdigit(static_cast<unsigned char>(line[0]))) thinking = line;
      }
      ASSERT_TRUE(game.PlayText(line.substr(5), error)) << line << " turn " << turn;
      std::istringstream pv(thinking);
      std::vector<std::string> fields;
      for (std::string w; pv >> w;) fields.push_back(w);
      expected = fields.size() >= 6 ? fields[5] : "";
    }
    cecp.Handle("ping 1");
    ASSERT_FALSE(log.Next("pong 1").empty());
    EXPECT_EQ(log.Count("move "), (game.MovesPlayed() + 1) / 2) << "depth " << depth;
  }
}

// Bad input of every kind gets the protocol's own error line and changes nothing: the search that
// follows answers for the position as it was.
TEST(CecpSession, BadInputIsRefusedAndChangesNothing) {
  TOutputLog log;
  TCecpFront cecp(log.Sink());
  for (const char* line : {"xboard", "protover 2", "new", "force", "sd 2", "usermove e2e4", "usermove e7e5"})
    cecp.Handle(line);
  ASSERT_FALSE(log.Next("feature done=1").empty());
  const struct {
    const char* Line;
    const char* Answer;
  } refused[] = {
      {"usermove e2e4", "Illegal move (not a legal move here): e2e4"},
      {"usermove e2", "Illegal move (not a move in coordinate form): e2"},
      {"usermove e1e2x", "Illegal move (not a legal move here): e1e2x"},
      {"g1g1", "Illegal move (not a legal move here): g1g1"},
      {"frobnicate 3", "Error (unknown command): frobnicate 3"},
      {"setboard 8/8/8/8/8/8/8/8 w - -", "Error (bad FEN: each side needs exactly one king)"},
      {"setboard 4k3/8/8/8/8/8/8/4K2P w - -", "Error (bad FEN: a pawn stands on the first or last rank)"},
      {"setboard 4k3/4R3/8/8/8/8/8/4K3 w - -", "Error (bad FEN: the side not to move is in check)"},
      {"setboard 4k3/8/8/8/8/8/8/4K3 w K -", "Error (bad FEN: a castling right without its king and rook"},
      {"setboard 4k3/8/8/8/8/8/8/4K3 w - e6", "Error (bad FEN: the en-passant square does not follow"},
      {"setboard rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", "Error (bad FEN: "},
      {"variant shatranj", "Error (unknown variant): variant shatranj"},
      {"sd 0", "Error (depth must be 1 to"},
      {"level 40 x 0", "Error (bad time control): level 40 x 0"},
      {"st -1", "Error (bad time): st -1"},
      {"time abc", "Error (bad time): time abc"},
      {"ping x", "Error (bad number): ping x"},
  };
  for (const auto& r : refused) {
    cecp.Handle(r.Line);
    EXPECT_EQ(log.Next("").substr(0, std::string_view(r.Answer).size()), r.Answer) << r.Line;
  }
  cecp.Handle("go");
  TSearchRoot root = RootOf("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6");
  EXPECT_EQ(log.Next("move"), "move " + FreshSearch(root, 2, false).Move);
}

TEST(UciSession, BadInputIsRefusedAndChangesNothing) {
  TOutputLog log;
  TUciFront uci(log.Sink());
  for (const char* line : {"uci", "position startpos moves d2d4 d7d5"}) uci.Handle(line);
  ASSERT_FALSE(log.Next("uciok").empty());
  const char* const refused[] = {
      "position startpos moves d2d4 d7d5 e1e3",  // illegal move: the whole command is refused
      "position fen 8/8/8/8/8/8/8/8 w - -",
      "position sideways",
      "setoption name Hash value 16",
      "setoption name UCI_Variant value crazyhouse",
      "setoption name Level value 9",
      "setoption name Ponder value maybe",
      "flip",
  };
  for (const char* line : refused) {
    uci.Handle(line);
    EXPECT_TRUE(log.Next("").starts_with("info string ")) << line;
  }
  uci.Handle("go depth 3 nodes 5 wibble");
  const std::string best = log.Next("bestmove");
  TSearchRoot root = RootOf("rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR w KQkq d6");
  EXPECT_EQ(BestOf(best), FreshSearch(root, 3, false).Move);
  EXPECT_EQ(log.Count("info string go: "), 2);
  uci.Handle("position fen 7k/5Q2/6K1/8/8/8/8/8 b - -");  // stalemate: no move to give
  uci.Handle("go depth 2");
  EXPECT_EQ(log.Next("bestmove"), "bestmove 0000");
}

// The engine answers while it thinks, stops on request and by the clock, and plays the best move
// of its last completed iteration (a legal one).
TEST(UciSession, AnswersWhileSearchingAndStopsInTime) {
  TOutputLog log;
  TUciFront uci(log.Sink());
  uci.Handle("uci");
  uci.Handle("position fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -");
  TProtocolGame game;
  std::string error;
  ASSERT_TRUE(game.SetFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", error));
  const auto legal = [&](const std::string& best) {
    TSearchMove m;
    return game.FindMove(BestOf(best), m, error);
  };
  // 1. go infinite: isready is answered at once, and nothing ends the search but stop.
  uci.Handle("go infinite");
  uci.Handle("isready");
  EXPECT_EQ(log.Next("readyok"), "readyok");
  EXPECT_EQ(log.Count("bestmove"), 0);
  uci.Handle("stop");
  EXPECT_TRUE(legal(log.Next("bestmove")));
  // 2. A move time and a nearly empty clock end the search by themselves.
  uci.Handle("go movetime 150");
  EXPECT_TRUE(legal(log.Next("bestmove")));
  uci.Handle("go wtime 200 btime 200");
  EXPECT_TRUE(legal(log.Next("bestmove")));
  // 3. go ponder keeps its answer until ponderhit, which starts the clock.
  uci.Handle("go ponder wtime 300 btime 300");
  uci.Handle("isready");
  EXPECT_EQ(log.Next("readyok"), "readyok");
  EXPECT_EQ(log.Count("bestmove"), 3);
  uci.Handle("ponderhit");
  EXPECT_TRUE(legal(log.Next("bestmove")));
}

TEST(CecpSession, MovesNowAndAnswersPingAfterTheMove) {
  TOutputLog log;
  TCecpFront cecp(log.Sink());
  for (const char* line : {"xboard", "protover 2", "new", "post", "level 0 60 0", "time 600000", "go"})
    cecp.Handle(line);
  cecp.Handle("ping 5");
  cecp.Handle("?");
  const std::string move = log.Next("move ");
  EXPECT_FALSE(move.empty());
  EXPECT_EQ(log.Next("pong"), "pong 5");
  // The move came before the pong.
  const std::vector<std::string> lines = log.All();
  const auto at = [&](const std::string& l) {
    return std::find(lines.begin(), lines.end(), l) - lines.begin();
  };
  EXPECT_LT(at(move), at("pong 5"));
  // st: a fixed time per move.
  cecp.Handle("st 0.2");
  cecp.Handle("usermove e7e5");
  EXPECT_FALSE(log.Next("move ").empty());
}

// Random command lines, sound and broken, never crash or hang a front; it still answers after them.
TEST(ProtocolFronts, RandomCommandsNeverBreakTheSession) {
  const char* const words[] = {"go",
                               "force",
                               "new",
                               "undo",
                               "remove",
                               "usermove",
                               "setboard",
                               "sd",
                               "ping",
                               "variant",
                               "hard",
                               "easy",
                               "post",
                               "result",
                               "?",
                               "position",
                               "setoption",
                               "isready",
                               "stop",
                               "ponderhit",
                               "ucinewgame",
                               "e2e4",
                               "zelmar",
                               "fen",
                               "startpos",
                               "moves",
                               "name",
                               "value",
                               "depth",
                               "movetime",
                               "infinite",
                               "-3",
                               "0",
                               "99999999999999999999",
                               "4k3/8/8/8/8/8/8/4K3",
                               "w",
                               "b",
                               "KQkq",
                               "-",
                               "e7e5",
                               "g1f3",
                               "a7a8q",
                               "level",
                               "time",
                               "st",
                               "Level",
                               "UCI_Variant"};
  std::mt19937 random(2021);
  for (const bool useUci : {false, true}) {
    TOutputLog log;
    auto cecp = std::make_unique<TCecpFront>(log.Sink());
    auto uci = std::make_unique<TUciFront>(log.Sink());
    const auto handle = [&](const std::string& line) {
      return useUci ? uci->Handle(line) : cecp->Handle(line);
    };
    handle(useUci ? "uci" : "xboard");
    handle(useUci ? "setoption name Level value 1" : "st 0.01");
    for (int i = 0; i < 600; ++i) {
      std::string line;
      const int count = 1 + static_cast<int>(random() % 5);
      for (int w = 0; w < count; ++w) line += std::string(w ? " " : "") + words[random() % std::size(words)];
      handle(line);
      if (useUci) handle("stop");
    }
    handle(useUci ? "isready" : "ping 77");
    EXPECT_FALSE(log.Next(useUci ? "readyok" : "pong 77").empty());
  }
}

// The time plan never lets one move risk the game: soft <= hard <= what the clock allows.
TEST(TimePlan, RandomClocksStayWithinTheClock) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    TClock clock;
    clock.Remaining = TMillis{random() % 600000};
    clock.Increment = TMillis{random() % 3 ? 0 : random() % 10000};
    clock.MovesToGo = static_cast<int>(random() % 4 ? 0 : 1 + random() % 40);
    const TTimePlan plan = PlanMove(clock);
    const TMillis usable = std::max(clock.Remaining - SafetyMargin, TMillis{5});
    EXPECT_LE(plan.Soft, plan.Hard);
    EXPECT_LE(plan.Hard, std::max(usable * 3 / 4, TMillis{5}));
    const TTimePlan guard = PlanSafetyOnly(clock);
    EXPECT_LE(guard.Hard, std::max(usable * 3 / 4 + clock.Increment / 2, TMillis{5}));
  }
}

}  // namespace
}  // namespace zelmar
