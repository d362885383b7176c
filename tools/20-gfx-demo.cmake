# gfx-demo: the device and frame timer in a window, with the measured frame and tick rates in its title.
add_executable(gfx-demo gfx-demo/GfxDemo.cpp)
target_link_libraries(gfx-demo PRIVATE zelmar_framework)
