# Drawing tests that need no window: formats, patterns, records, text layout, batching on the test backend.
zelmar_add_gtest(framework_drawing_tests LABEL framework
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/PixelFormatsTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/PatternGridTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/RecordsTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/TextLayoutTest.cpp
  LIBS zelmar_framework)
