# The engine program under real outside programs: a scripted UCI session, and matches against
# Fairy-Max under xboard (no window; a display from the test runner's private Xvfb, else its own)
# with xboard's move checking on. The games are kept in build/protocol-matches/ as artefacts.
find_program(ZELMAR_PYTHON3 python3)
add_test(NAME protocol_uci_session
  COMMAND ${ZELMAR_PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/protocol/uci_session.py
    $<TARGET_FILE:zelmar-chess-engine> $<TARGET_FILE:zelmar-engine>)
set_tests_properties(protocol_uci_session PROPERTIES LABELS protocol TIMEOUT 300)

set(zelmar_matches ${PROJECT_BINARY_DIR}/protocol-matches)
set(zelmar_match_tool ${PROJECT_SOURCE_DIR}/tools/xboard-match/xboard-match)
# In each variant: two games at a game in about 20 seconds, four at depth 1.
foreach(variant normal zelmar)
  add_test(NAME protocol_xboard_${variant}_clock
    COMMAND ${zelmar_match_tool} --engine $<TARGET_FILE:zelmar-chess-engine> --variant ${variant}
      --games 2 --tc 0:10 --inc 0.1 --out ${zelmar_matches})
  add_test(NAME protocol_xboard_${variant}_depth
    COMMAND ${zelmar_match_tool} --engine $<TARGET_FILE:zelmar-chess-engine> --variant ${variant}
      --games 4 --depth 1 --out ${zelmar_matches})
  set_tests_properties(protocol_xboard_${variant}_clock protocol_xboard_${variant}_depth
    PROPERTIES LABELS protocol TIMEOUT 600)
endforeach()
# One game in UCI through Debian's adapter.
add_test(NAME protocol_uci2wb_game
  COMMAND ${zelmar_match_tool} --engine $<TARGET_FILE:zelmar-chess-engine> --variant normal --games 1
    --depth 2 --uci2wb --out ${zelmar_matches} --name normal-uci2wb)
set_tests_properties(protocol_uci2wb_game PROPERTIES LABELS protocol TIMEOUT 600)
