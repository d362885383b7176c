# Settings file, language texts and picture decoding: no display needed.
zelmar_add_gtest(launcher_options_test LABEL launcher
  SOURCES IniFileTest.cpp GameOptionsTest.cpp LauncherTextsTest.cpp JpegImageTest.cpp
  LIBS zelmar_launcher zelmar_launcher_picture)

# The launcher window itself: needs a display and fails without one.
zelmar_add_gtest(launcher_form_test LABEL launcher
  SOURCES MainFormTest.cpp
  LIBS zelmar_launcher PkgConfig::ZELMAR_GTK3
  ENV NO_AT_BRIDGE=1)

