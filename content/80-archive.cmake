# The archive zelmar.dat and its description zelmar.def beside the executable, and the target that builds all content.
add_executable(zelmar-gen-pack gen/Pack.cpp)
target_link_libraries(zelmar-gen-pack PRIVATE zelmar_content_kit zelmar_archive_writer)
set_target_properties(zelmar-gen-pack PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/content/tools)
set(ZELMAR_ARCHIVE ${CMAKE_BINARY_DIR}/bin/zelmar.dat)
set(ZELMAR_DESCRIPTION ${CMAKE_BINARY_DIR}/bin/zelmar.def)
add_custom_command(OUTPUT ${ZELMAR_ARCHIVE} ${ZELMAR_DESCRIPTION}
  COMMAND zelmar-gen-pack ${ZELMAR_CONTENT_RECORDS} ${ZELMAR_ARCHIVE} ${ZELMAR_DESCRIPTION}
  DEPENDS zelmar-gen-pack ${figure_outputs} ${font_outputs} ${board_outputs} ${control_outputs} ${scene_outputs}
  COMMENT "Packing zelmar.dat and zelmar.def")
add_custom_target(zelmar_content_archive DEPENDS ${ZELMAR_ARCHIVE} ${ZELMAR_DESCRIPTION})
set_property(GLOBAL APPEND PROPERTY ZELMAR_DATA_FILES ${ZELMAR_ARCHIVE} ${ZELMAR_DESCRIPTION})
