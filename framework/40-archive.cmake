# The data archive reader: record table, decryption (libcrypto's low-level Blowfish calls),
# zlib inflation and MD5 check.
find_package(ZLIB REQUIRED)
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
zelmar_module_library(zelmar_archive
  ${PROJECT_SOURCE_DIR}/framework/GfxDb.cpp
  ${PROJECT_SOURCE_DIR}/framework/GfxDbCipher.cpp
  ${PROJECT_SOURCE_DIR}/framework/GfxDbRecord.cpp
  ${PROJECT_SOURCE_DIR}/framework/GfxDbSource.cpp
  ${PROJECT_SOURCE_DIR}/framework/GfxDbTable.cpp)
target_link_libraries(zelmar_archive PUBLIC ZLIB::ZLIB OpenSSL::Crypto)

# The scanner of the resource description (expat).
find_package(EXPAT REQUIRED)
zelmar_module_library(zelmar_description
  ${PROJECT_SOURCE_DIR}/framework/GfxDescScanner.cpp
  ${PROJECT_SOURCE_DIR}/framework/GfxLoaderEntry.cpp)
target_link_libraries(zelmar_description PUBLIC EXPAT::EXPAT)

# The loader joins the framework library, which the game links, together with both libraries above.
target_sources(zelmar_framework PRIVATE ${PROJECT_SOURCE_DIR}/framework/GfxLoader.cpp)
target_link_libraries(zelmar_framework PUBLIC zelmar_archive zelmar_description)
