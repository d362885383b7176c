# The restless player's own test: fixed seeds through the real game window with the generated content.
zelmar_add_gtest(scene_monkey_tests LABEL scene SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/SceneMonkeyTest.cpp
  LIBS zelmar_scene_monkey)
target_compile_definitions(scene_monkey_tests PRIVATE ZELMAR_DATA_DIR="${CMAKE_BINARY_DIR}/bin")
add_dependencies(scene_monkey_tests zelmar_content)
