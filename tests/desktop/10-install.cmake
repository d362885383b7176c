# The install rules, the desktop files and the Debian package (label install). They read the built program
# and content, and need the checkers of scripts/deps/install.txt; install_clicks needs a display.
set(zelmar_desktop_dir ${PROJECT_SOURCE_DIR}/desktop)
set(zelmar_installed_files ${CMAKE_CURRENT_SOURCE_DIR}/installed-files.txt)

add_test(NAME install_metadata
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/metadata_check.sh ${zelmar_desktop_dir} ${ZELMAR_APP_ID}
          ${PROJECT_VERSION})
add_test(NAME install_tree
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_tree.sh ${CMAKE_BINARY_DIR} ${zelmar_installed_files})
add_test(NAME install_package
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_check.sh ${CMAKE_BINARY_DIR} ${zelmar_installed_files})
set_tests_properties(install_metadata install_tree install_package PROPERTIES LABELS install TIMEOUT 300)
# Installs write their manifest into the build folder: one at a time.
set_tests_properties(install_tree install_package PROPERTIES RESOURCE_LOCK zelmar_install_manifest)

# The installed game played with real clicks (xdotool) from a fresh prefix and home; it runs alone so no other
# test's window can cover it. The screenshots land in build/screenshots.
add_test(NAME install_clicks
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/installed_clicks.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/screenshots)
set_tests_properties(install_clicks PROPERTIES LABELS install TIMEOUT 180 RUN_SERIAL TRUE
  RESOURCE_LOCK zelmar_install_manifest)
