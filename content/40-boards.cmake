# The classic flat boards in wood and marble.
zelmar_content_tool(zelmar-gen-boards gen/Boards.cpp)
set(board_outputs ${ZELMAR_CONTENT_RECORDS}/classic.rec)
add_custom_command(OUTPUT ${board_outputs}
  COMMAND zelmar-gen-boards ${ZELMAR_CONTENT_RECORDS}
  DEPENDS zelmar-gen-boards
  COMMENT "Painting the classic boards")
add_custom_target(zelmar_content_boards DEPENDS ${board_outputs})
