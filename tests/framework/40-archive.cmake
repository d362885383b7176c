# The archive reader, its writer and the zelmar-pack tool.
zelmar_add_gtest(archive_tests LABEL framework
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GfxDbTest.cpp
  LIBS zelmar_archive_writer)
