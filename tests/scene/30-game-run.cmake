# The real program played with real clicks (xdotool) on the X display, started from another folder. It
# runs alone so that no other window covers the game; the screenshots of each step land in
# build/screenshots.
add_executable(scene_points run/ScenePoints.cpp)
target_link_libraries(scene_points PRIVATE zelmar_scene)
set_target_properties(scene_points PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
add_test(NAME scene_game_clicks
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/run/game_clicks.sh $<TARGET_FILE:zelmar-chess>
          $<TARGET_FILE:scene_points> ${CMAKE_BINARY_DIR}/screenshots)
set_tests_properties(scene_game_clicks PROPERTIES LABELS scene TIMEOUT 180 RUN_SERIAL TRUE)
add_dependencies(check-scene zelmar-chess scene_points)
