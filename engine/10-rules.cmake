# The chess rules engine: the board component, its rules, its record and its events.
zelmar_module_library(zelmar_engine
  ${CMAKE_CURRENT_LIST_DIR}/Square.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MoveRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChessBrdPosition.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChessBrdLegality.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChessBrdPlay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChessBrdGameEnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChessBrdRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChessBrdThinking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BoardPerft.cpp
)
