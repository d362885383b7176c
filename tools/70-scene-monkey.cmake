# scene-monkey: a seeded restless player for the whole game window on the test backend, with the game's
# invariants checked as it plays (the library is shared with its test in tests/tools).
add_library(zelmar_scene_monkey STATIC scene-monkey/SceneMonkey.cpp scene-monkey/MonkeyChecks.cpp)
target_link_libraries(zelmar_scene_monkey PUBLIC zelmar_scene)
target_include_directories(zelmar_scene_monkey PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/scene-monkey
  PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
add_executable(scene-monkey scene-monkey/MonkeyMain.cpp)
target_link_libraries(scene-monkey PRIVATE zelmar_scene_monkey)
