# The archive reader, its writer and the zelmar-pack tool.
zelmar_add_gtest(archive_tests LABEL framework
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GfxDbTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GfxDbForgedTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZelmarPackTest.cpp
  LIBS zelmar_pack_commands)
# One test runs the program itself from build/bin.
add_dependencies(archive_tests zelmar-pack)

zelmar_add_gtest(description_tests LABEL framework
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GfxDescScannerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GfxLoaderEntryTest.cpp
  LIBS zelmar_description)

zelmar_add_gtest(loader_tests LABEL framework
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/GfxLoaderTest.cpp
  LIBS zelmar_framework zelmar_archive_writer)
