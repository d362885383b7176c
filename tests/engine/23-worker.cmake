# The computer player's worker thread with the real board, and a stress run of random game changes.
zelmar_add_gtest(engine_worker_tests LABEL engine TIMEOUT 600
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/worker/ChessThreadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/worker/WorkerStressTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/worker/ThinkAheadTest.cpp
  LIBS zelmar_engine)
