# The scene's tests read the game's generated content from the build's program folder.
target_compile_definitions(scene_tests PRIVATE ZELMAR_DATA_DIR="${CMAKE_BINARY_DIR}/bin")
add_dependencies(scene_tests zelmar_content)

# The scene drawn with the real content on the OpenGL backend and compared with reference pictures; needs a
# display (scripts/test runs it under Xvfb) and fails without one. Screenshots and their contact sheet go to
# build/screenshots/scene/ and build/content/.
find_package(PNG REQUIRED)
file(GLOB scene_gl_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*GlTest.cpp)
zelmar_add_gtest(scene_gl_tests LABEL scene SOURCES ${scene_gl_test_sources}
  ${CMAKE_CURRENT_SOURCE_DIR}/pixels/Picture.cpp LIBS zelmar_scene PNG::PNG)
target_compile_definitions(scene_gl_tests PRIVATE ZELMAR_DATA_DIR="${CMAKE_BINARY_DIR}/bin"
  ZELMAR_REFERENCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}/reference"
  ZELMAR_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots/scene"
  ZELMAR_SHEET_FILE="${CMAKE_BINARY_DIR}/content/scene-sheet.png")
add_dependencies(scene_gl_tests zelmar_content)
