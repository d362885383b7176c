# level-bench: the computer's reply times through the board and the worker, thinking ahead off and on.
add_executable(level-bench
  ${CMAKE_CURRENT_LIST_DIR}/level-bench/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level-bench/LevelGames.cpp)
target_include_directories(level-bench PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(level-bench PRIVATE zelmar_engine)
