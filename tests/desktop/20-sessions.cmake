# The game in real desktop sessions (label desktop), each on a private X server of its own so that they run
# beside the other tests: the error box, full screen under a window manager (openbox), the game natively on
# Wayland (weston's X11 backend) and on a Wayland display without input (weston's headless backend). They
# need the programs of scripts/deps/desktop.txt; the screenshots land in build/screenshots.
set(zelmar_session_dir ${CMAKE_CURRENT_SOURCE_DIR})
set(zelmar_session_shots ${CMAKE_BINARY_DIR}/screenshots)
add_test(NAME desktop_error_box
  COMMAND bash ${zelmar_session_dir}/error_box.sh $<TARGET_FILE:zelmar-chess> ${zelmar_session_shots})
add_test(NAME desktop_fullscreen_openbox
  COMMAND bash ${zelmar_session_dir}/fullscreen_openbox.sh $<TARGET_FILE:zelmar-chess>
          $<TARGET_FILE:scene_points> ${zelmar_session_shots})
add_test(NAME desktop_wayland
  COMMAND bash ${zelmar_session_dir}/wayland_weston.sh $<TARGET_FILE:zelmar-chess> ${zelmar_session_shots})
set_tests_properties(desktop_error_box desktop_fullscreen_openbox desktop_wayland PROPERTIES
  LABELS desktop TIMEOUT 180)

# The package installed on a clean Debian 12 (a debootstrap chroot, cached in /var/cache/zelmar-chess) and
# started there; needs root, and Debian's mirror when the cache is cold.
add_test(NAME install_clean_system
  COMMAND bash ${zelmar_session_dir}/clean_system.sh ${CMAKE_BINARY_DIR} ${zelmar_session_shots})
set_tests_properties(install_clean_system PROPERTIES LABELS install TIMEOUT 600
  RESOURCE_LOCK zelmar_install_manifest)
