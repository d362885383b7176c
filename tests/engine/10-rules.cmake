# Tests of the chess rules engine, and checks of the engine's developer tool.
zelmar_add_gtest(engine_rules_tests LABEL engine
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PositionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LegalityTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayEventsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GameEndTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MoveRecordTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ThinkingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PerftTest.cpp
  LIBS zelmar_engine)

# The tool's own output, checked end to end (also built and run in the sanitizer configuration).
add_dependencies(check-engine zelmar-engine)
add_test(NAME zelmar_engine_board_perft_promotions
  COMMAND zelmar-engine board-perft --depth 3 "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1")
set_tests_properties(zelmar_engine_board_perft_promotions PROPERTIES LABELS engine
  PASS_REGULAR_EXPRESSION "(^|\n)9467\n$")
add_test(NAME zelmar_engine_moves_events
  COMMAND zelmar-engine moves startpos f2f3 e7e5 g2g4 e2e5 d8h4 back back forward forward)
set_tests_properties(zelmar_engine_moves_events PROPERTIES LABELS engine
  PASS_REGULAR_EXPRESSION "LegalMove f2 f3\nLegalMove e7 e5\nLegalMove g2 g4\nIllegal e2 e5\nLegalMove d8 h4\nCheck\nMate\nPosition rnb.kbnrpppp.ppp............p.........Pq.....P..PPPPP..PRNBQKBNR\nToMove w\nCastling KQkq\nEnPassant -\nCurrentMove 3\n$")
add_test(NAME zelmar_engine_refuses_bad_input COMMAND zelmar-engine moves startpos e2e9)
set_tests_properties(zelmar_engine_refuses_bad_input PROPERTIES LABELS engine WILL_FAIL TRUE)
# An en-passant square must belong to a double step the opponent has just made; the tool refuses any other.
add_test(NAME zelmar_engine_refuses_en_passant_for_the_wrong_side
  COMMAND zelmar-engine moves "4k3/8/8/8/8/8/3P4/4K3 w - e3" d2e3)
set_tests_properties(zelmar_engine_refuses_en_passant_for_the_wrong_side PROPERTIES LABELS engine WILL_FAIL TRUE)
add_test(NAME zelmar_engine_refuses_en_passant_without_the_passed_pawn
  COMMAND zelmar-engine moves "4k3/8/8/3P4/8/8/8/4K3 w - e6" d5e6)
set_tests_properties(zelmar_engine_refuses_en_passant_without_the_passed_pawn PROPERTIES LABELS engine WILL_FAIL TRUE)
add_test(NAME zelmar_engine_en_passant_from_fen
  COMMAND zelmar-engine moves "4k3/8/8/3pP3/8/8/8/4K3 w - d6" e5d6)
set_tests_properties(zelmar_engine_en_passant_from_fen PROPERTIES LABELS engine
  PASS_REGULAR_EXPRESSION "^LegalMove e5 d6\nCapture e5 d6 p\nPosition ....k..............P")
