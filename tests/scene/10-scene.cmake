# The game window run headless on the test backend: every *Test.cpp of this folder (the ones that need a
# display are named *GlTest.cpp and built by their own piece), with the helpers in support/.
file(GLOB scene_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp)
list(FILTER scene_test_sources EXCLUDE REGEX "GlTest\\.cpp$")
zelmar_add_gtest(scene_tests LABEL scene SOURCES ${scene_test_sources} LIBS zelmar_scene)
