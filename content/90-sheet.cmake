# The contact sheet: every picture and font on one page, with mock-ups of the game screens.
zelmar_content_tool(zelmar-gen-sheet gen/Sheet.cpp gen/MockUp.cpp)
set(ZELMAR_CONTACT_SHEET ${CMAKE_BINARY_DIR}/content/contact-sheet.png)
add_custom_command(OUTPUT ${ZELMAR_CONTACT_SHEET}
  COMMAND zelmar-gen-sheet ${ZELMAR_CONTENT_RECORDS} ${ZELMAR_CONTACT_SHEET}
  DEPENDS zelmar-gen-sheet ${figure_outputs} ${font_outputs} ${board_outputs} ${control_outputs} ${scene_outputs}
          ${icon_outputs}
  COMMENT "Composing the contact sheet")
add_custom_target(zelmar_content_sheet DEPENDS ${ZELMAR_CONTACT_SHEET})

# Everything the game needs from the content build, part of the default build.
add_custom_target(zelmar_content ALL)
add_dependencies(zelmar_content zelmar_content_archive zelmar_content_tunes zelmar_content_clips zelmar_content_scenes
  zelmar_content_sheet zelmar_content_icons)
