# scene-startup: the game window's start-up time and resident memory on the real platform (needs a
# display; run it under xvfb-run without one).
add_executable(scene-startup scene-startup/SceneStartup.cpp)
target_link_libraries(scene-startup PRIVATE zelmar_scene)
