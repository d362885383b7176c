# Settings file, language texts and picture decoding: no display needed.
zelmar_add_gtest(launcher_options_test LABEL launcher
  SOURCES IniFileTest.cpp GameOptionsTest.cpp GameFoldersTest.cpp LauncherTextsTest.cpp JpegImageTest.cpp
  LIBS zelmar_launcher zelmar_launcher_picture)

# The launcher window itself: needs a display and fails without one.
zelmar_add_gtest(launcher_form_test LABEL launcher
  SOURCES MainFormTest.cpp
  LIBS zelmar_launcher PkgConfig::ZELMAR_GTK3
  ENV NO_AT_BRIDGE=1)

# The program clicked through with real mouse clicks (xdotool) on the display. It runs alone so
# no other test's window can cover the launcher; the screenshots land in build/screenshots.
add_test(NAME launcher_clicks
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/launcher_clicks.sh $<TARGET_FILE:zelmar-chess>
          ${CMAKE_BINARY_DIR}/screenshots)
set_tests_properties(launcher_clicks PROPERTIES LABELS launcher TIMEOUT 600 RUN_SERIAL TRUE
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(check-launcher zelmar-chess)
