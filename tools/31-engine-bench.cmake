# The benchmark list of the computer player's search, shared by zelmar-engine and the engine tests.
zelmar_module_library(zelmar_engine_bench ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/BenchPositions.cpp)
target_link_libraries(zelmar_engine_bench PUBLIC zelmar_search)

# The search subcommands of zelmar-engine.
target_sources(zelmar-engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/SearchArgs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/PerftCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/SearchCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/BenchCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/PlayCommand.cpp)
target_link_libraries(zelmar-engine PRIVATE zelmar_engine_bench zelmar_reference_search)
