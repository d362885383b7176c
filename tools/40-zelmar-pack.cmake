# The archive writer library (used by the content build) and the zelmar-pack tool.
zelmar_module_library(zelmar_archive_writer
  ${PROJECT_SOURCE_DIR}/tools/archive/GfxDbWriter.cpp)
target_link_libraries(zelmar_archive_writer PUBLIC zelmar_archive)

add_library(zelmar_pack_commands STATIC ${PROJECT_SOURCE_DIR}/tools/archive/PackCommands.cpp)
target_link_libraries(zelmar_pack_commands PUBLIC zelmar_archive_writer)
add_executable(zelmar-pack ${PROJECT_SOURCE_DIR}/tools/archive/ZelmarPackMain.cpp)
target_link_libraries(zelmar-pack PRIVATE zelmar_pack_commands)
