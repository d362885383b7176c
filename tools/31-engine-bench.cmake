# The benchmark list of the computer player's search, shared by zelmar-engine and the engine tests.
zelmar_module_library(zelmar_engine_bench ${CMAKE_CURRENT_LIST_DIR}/zelmar-engine/BenchPositions.cpp)
target_link_libraries(zelmar_engine_bench PUBLIC zelmar_search)
