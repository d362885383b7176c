# The figure pictures, rendered from the figure models.
zelmar_content_tool(zelmar-gen-figures gen/Figures.cpp)
set(ZELMAR_FIGURE_RECORDS zelmar_piece_2 zelmar_piece_1 piece_1 piece_2 queen_1 queen_2 queen_11 queen_21)
list(TRANSFORM ZELMAR_FIGURE_RECORDS PREPEND ${ZELMAR_CONTENT_RECORDS}/ OUTPUT_VARIABLE figure_outputs)
list(TRANSFORM figure_outputs APPEND .rec)
add_custom_command(OUTPUT ${figure_outputs}
  COMMAND zelmar-gen-figures ${ZELMAR_CONTENT_RECORDS}
  DEPENDS zelmar-gen-figures
  COMMENT "Rendering the chess figures")
add_custom_target(zelmar_content_figures DEPENDS ${figure_outputs})
