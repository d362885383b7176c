# The settings record with its file (no toolkit needed) and the launcher window.

find_package(PkgConfig REQUIRED)
pkg_check_modules(ZELMAR_GTK3 REQUIRED IMPORTED_TARGET GLOBAL gtk+-3.0)
pkg_check_modules(ZELMAR_WAYLAND REQUIRED IMPORTED_TARGET GLOBAL wayland-client)
find_package(JPEG REQUIRED)

zelmar_module_library(zelmar_launcher_options
  GameFolders.cpp
  GameOptions.cpp
  IniFile.cpp
  TextFile.cpp
  LauncherTexts.cpp)

# The launcher's picture: the title art when the content generators make it, else a quiet
# gradient made here.
get_property(zelmar_launcher_jpeg GLOBAL PROPERTY ZELMAR_LAUNCHER_JPEG)
get_property(zelmar_launcher_jpeg_target GLOBAL PROPERTY ZELMAR_LAUNCHER_JPEG_TARGET)
if(NOT zelmar_launcher_jpeg)
  add_executable(make_launcher_placeholder placeholder/make_launcher_placeholder.cpp)
  target_link_libraries(make_launcher_placeholder PRIVATE JPEG::JPEG)
  set_target_properties(make_launcher_placeholder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set(zelmar_launcher_jpeg ${CMAKE_CURRENT_BINARY_DIR}/launcher_placeholder.jpg)
  add_custom_command(OUTPUT ${zelmar_launcher_jpeg}
    COMMAND make_launcher_placeholder ${zelmar_launcher_jpeg}
    DEPENDS make_launcher_placeholder
    COMMENT "Making the launcher's placeholder picture")
  add_custom_target(zelmar_launcher_placeholder DEPENDS ${zelmar_launcher_jpeg})
  set(zelmar_launcher_jpeg_target zelmar_launcher_placeholder)
endif()
zelmar_embed_files(zelmar_launcher_picture LauncherPicture
  DEPENDS ${zelmar_launcher_jpeg_target}
  FILES launcher.jpg=${zelmar_launcher_jpeg})

zelmar_module_library(zelmar_launcher
  DesktopDialogs.cpp
  DisplayRoute.cpp
  ErrorBox.cpp
  JpegImage.cpp
  LauncherPainting.cpp
  LauncherPicture.cpp
  MainForm.cpp
  MainFormStyle.cpp)
target_link_libraries(zelmar_launcher
  PUBLIC zelmar_launcher_options
  PRIVATE zelmar_launcher_picture PkgConfig::ZELMAR_GTK3 PkgConfig::ZELMAR_WAYLAND JPEG::JPEG)
# The window shows the game's desktop icon, named by its application id, once it is installed.
target_compile_definitions(zelmar_launcher PRIVATE ZELMAR_APP_ID="${ZELMAR_APP_ID}")
