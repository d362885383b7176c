# The engine program's protocols: sessions through the CECP and UCI fronts.
zelmar_add_gtest(engine_protocol_tests LABEL engine TIMEOUT 600
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/protocol/ProtocolSessionTest.cpp
  LIBS zelmar_protocol)
