# The chess protocols (CECP and UCI) of the engine program: position and move text, time plans,
# the search supervisor and the two fronts.
zelmar_module_library(zelmar_protocol
  ${CMAKE_CURRENT_LIST_DIR}/protocol/CecpFront.cpp
  ${CMAKE_CURRENT_LIST_DIR}/protocol/CommandText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/protocol/ProtocolEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/protocol/ProtocolGame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/protocol/SearchSupervisor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/protocol/ThinkingText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/protocol/TimePlan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/protocol/UciFront.cpp)
find_package(Threads REQUIRED)
target_link_libraries(zelmar_protocol PUBLIC zelmar_search Threads::Threads)
