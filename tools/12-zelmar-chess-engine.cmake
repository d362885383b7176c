# zelmar-chess-engine: the installed engine program for xboard and UCI chess programs.
add_executable(zelmar-chess-engine ${CMAKE_CURRENT_LIST_DIR}/zelmar-chess-engine/main.cpp)
target_link_libraries(zelmar-chess-engine PRIVATE zelmar_protocol)
# zelmar-engine with no arguments speaks the same protocols.
target_link_libraries(zelmar-engine PRIVATE zelmar_protocol)
