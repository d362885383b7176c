# The archive writer library (used by the content build) and the zelmar-pack tool.
zelmar_module_library(zelmar_archive_writer
  ${PROJECT_SOURCE_DIR}/tools/archive/GfxDbWriter.cpp)
target_link_libraries(zelmar_archive_writer PUBLIC zelmar_archive)
