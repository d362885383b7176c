# Drawing tests that need no window: formats, patterns, records, text layout, batching on the test backend.
zelmar_add_gtest(framework_drawing_tests LABEL framework
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/PixelFormatsTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/PatternGridTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/RecordsTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/TextLayoutTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/ImagesTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/CanvasTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/drawing/FontsTest.cpp
  LIBS zelmar_framework)

# Pixel tests on the OpenGL backend; they need a display and fail without one.
zelmar_add_gtest(framework_gl_drawing_tests LABEL framework
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/drawing/GlDrawingTest.cpp
  LIBS zelmar_framework)
