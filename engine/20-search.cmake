# The computer player's search and evaluation.
zelmar_module_library(zelmar_search
  ${CMAKE_CURRENT_LIST_DIR}/search/ChessSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/SearchEvaluate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/SearchGenerate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/SearchRootText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/SearchCarry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search/PonderSearch.cpp)
# The search is the hot path of the whole game: optimise it fully in every build type but Debug.
target_compile_options(zelmar_search PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O3>)

# The computer player's worker thread and its hand-off to the board, part of the rules library.
find_package(Threads REQUIRED)
target_sources(zelmar_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SyncCallQueue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChessThread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComputerPlayer.cpp)
target_link_libraries(zelmar_engine PUBLIC zelmar_search Threads::Threads)
