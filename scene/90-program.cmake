# The program the player starts.
add_executable(zelmar-chess main.cpp)
target_link_libraries(zelmar-chess PRIVATE zelmar_scene zelmar_launcher)
