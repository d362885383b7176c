# The computer player's search against the published move counts and the reference search.
zelmar_add_gtest(engine_search_tests LABEL engine TIMEOUT 600
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/search/SearchPerftTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search/SearchCompareTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search/SearchRulesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search/SearchEvaluateTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search/BenchSignatureTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search/PonderSearchTest.cpp
  LIBS zelmar_search zelmar_reference_search zelmar_engine_bench)
