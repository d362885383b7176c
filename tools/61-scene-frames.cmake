# scene-frames: the share of a core the game window uses on a still screen and minimised, and the wait for
# the computer's reply beside the search alone, with only changed frames drawn and with every frame drawn
# (needs a display; run it under xvfb-run, with openbox for the minimised figures).
add_executable(scene-frames scene-frames/SceneFrames.cpp)
target_link_libraries(scene-frames PRIVATE zelmar_scene)
