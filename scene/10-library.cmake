# The game window's logic and drawing: every source of this folder but the program's entry point.
file(GLOB zelmar_scene_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
list(FILTER zelmar_scene_sources EXCLUDE REGEX "/main\\.cpp$")
zelmar_module_library(zelmar_scene ${zelmar_scene_sources})
target_link_libraries(zelmar_scene PUBLIC zelmar_engine zelmar_framework zelmar_audio zelmar_launcher_options
  zelmar_clips zelmar_window_icon)
