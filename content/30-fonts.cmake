# The three bitmap fonts, rasterised from DejaVu at build time.
zelmar_content_tool(zelmar-gen-fonts gen/Fonts.cpp)
set(font_outputs ${ZELMAR_CONTENT_RECORDS}/font0.rec ${ZELMAR_CONTENT_RECORDS}/font1.rec ${ZELMAR_CONTENT_RECORDS}/font2.rec)
add_custom_command(OUTPUT ${font_outputs}
  COMMAND zelmar-gen-fonts ${ZELMAR_CONTENT_RECORDS}
  DEPENDS zelmar-gen-fonts
  COMMENT "Rasterising the fonts")
add_custom_target(zelmar_content_fonts DEPENDS ${font_outputs})
