# Tool buttons, clock plates, the dialog window and the pointers.
zelmar_content_tool(zelmar-gen-controls gen/Controls.cpp)
set(control_outputs button timer window_1 cursor cursor_1)
list(TRANSFORM control_outputs PREPEND ${ZELMAR_CONTENT_RECORDS}/)
list(TRANSFORM control_outputs APPEND .rec)
add_custom_command(OUTPUT ${control_outputs}
  COMMAND zelmar-gen-controls ${ZELMAR_CONTENT_RECORDS}
  DEPENDS zelmar-gen-controls
  COMMENT "Drawing the controls")
add_custom_target(zelmar_content_controls DEPENDS ${control_outputs})
