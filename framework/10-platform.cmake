# The platform layer: the graphics, window, input and time interface, the SDL2 + OpenGL 3.3 backend the game
# runs on, and the scriptable test backend the logic tests run on. Later pieces add their sources to the
# same library with target_sources.
find_package(SDL2 REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)

zelmar_module_library(zelmar_framework
  platform/GfxTypes.cpp
  platform/TestGfx.cpp
  platform/TestDrawing.cpp
  platform/TestPlatform.cpp
  platform/SdlPlatform.cpp
  platform/SdlWindow.cpp
  platform/SdlInput.cpp
  platform/SdlScancodes.cpp
  platform/QuitSignals.cpp
  platform/GlApi.cpp
  platform/GlDevice.cpp
  platform/GlDrawing.cpp
)
target_link_libraries(zelmar_framework PUBLIC SDL2::SDL2 OpenGL::OpenGL)
