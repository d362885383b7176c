# zelmar-engine: the engine's developer tool (move-tree counts, scripted games); not part of the game.
add_executable(zelmar-engine
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/Fen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/BoardPerftCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/MovesCommand.cpp
)
target_include_directories(zelmar-engine PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(zelmar-engine PRIVATE zelmar_engine)
