# Install rules: the game program, its data, the menu entry, AppStream metadata, icons, manual page
# and the package's documents. The developer tools are not installed.
include(GNUInstallDirs)

# The program finds its data in ../share/zelmar-chess relative to its own folder (launcher/GameFolders.h).
set(ZELMAR_INSTALL_DATADIR ${CMAKE_INSTALL_DATAROOTDIR}/zelmar-chess)
cmake_path(RELATIVE_PATH ZELMAR_INSTALL_DATADIR BASE_DIRECTORY ${CMAKE_INSTALL_BINDIR}
  OUTPUT_VARIABLE zelmar_data_from_bin)
if(NOT zelmar_data_from_bin STREQUAL "../share/zelmar-chess")
  message(WARNING "The installed game looks for its data in ../share/zelmar-chess beside its program, "
    "but CMAKE_INSTALL_BINDIR and CMAKE_INSTALL_DATAROOTDIR put it at ${zelmar_data_from_bin}")
endif()

# The manual page and the changelog are installed compressed, as Debian's policy asks.
set(zelmar_doc_dir ${CMAKE_CURRENT_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${zelmar_doc_dir})
set(zelmar_man_page ${zelmar_doc_dir}/zelmar-chess.6.gz)
set(zelmar_engine_man_page ${zelmar_doc_dir}/zelmar-chess-engine.6.gz)
set(zelmar_changelog ${zelmar_doc_dir}/changelog.gz)
add_custom_command(OUTPUT ${zelmar_man_page}
  COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/zelmar-chess.6 > ${zelmar_man_page}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/zelmar-chess.6
  COMMENT "Compressing the manual page")
add_custom_command(OUTPUT ${zelmar_engine_man_page}
  COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/zelmar-chess-engine.6 > ${zelmar_engine_man_page}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/zelmar-chess-engine.6
  COMMENT "Compressing the engine program's manual page")
add_custom_command(OUTPUT ${zelmar_changelog}
  COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/changelog > ${zelmar_changelog}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(zelmar_desktop_docs ALL DEPENDS ${zelmar_man_page} ${zelmar_engine_man_page} ${zelmar_changelog})

get_property(zelmar_data_files GLOBAL PROPERTY ZELMAR_DATA_FILES)
get_property(zelmar_icon_dir GLOBAL PROPERTY ZELMAR_ICON_DIR)
get_property(zelmar_icon_sizes GLOBAL PROPERTY ZELMAR_ICON_SIZES)

install(TARGETS zelmar-chess RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The computer player for xboard and UCI chess programs, beside the game.
install(TARGETS zelmar-chess-engine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${zelmar_data_files} DESTINATION ${ZELMAR_INSTALL_DATADIR})
install(FILES ${ZELMAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${ZELMAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
foreach(size ${zelmar_icon_sizes})
  install(FILES ${zelmar_icon_dir}/${size}x${size}/apps/${ZELMAR_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${zelmar_man_page} ${zelmar_engine_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES copyright ${zelmar_changelog} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/zelmar-chess)
