# canvas-bench: a game-shaped frame through the batching canvas; batches and processor time per frame.
add_executable(canvas-bench canvas-bench/CanvasBench.cpp)
target_link_libraries(canvas-bench PRIVATE zelmar_framework)
