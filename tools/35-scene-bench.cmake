# scene-bench: the game window's drawing with the real content, screen by screen; batches and processor time
# per frame on the test backend and on OpenGL, and the title screen's share of a core beside gfx-demo.
add_executable(scene-bench scene-bench/SceneBench.cpp)
target_link_libraries(scene-bench PRIVATE zelmar_scene)
target_include_directories(scene-bench PRIVATE ${PROJECT_SOURCE_DIR})
add_dependencies(scene-bench gfx-demo zelmar_content)
