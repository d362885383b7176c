# The settings file's reader and writer, and the music input's MP3 decoder (libmpg123).
add_library(fuzz_settings_lib STATIC ${ZELMAR_ROOT}/launcher/IniFile.cpp ${ZELMAR_ROOT}/launcher/GameOptions.cpp
  ${ZELMAR_ROOT}/launcher/GameFolders.cpp ${ZELMAR_ROOT}/launcher/TextFile.cpp)
target_include_directories(fuzz_settings_lib PUBLIC ${ZELMAR_ROOT})
zelmar_fuzz_target(fuzz_settings fuzz_settings_lib)

find_package(PkgConfig REQUIRED)
pkg_check_modules(FUZZ_MPG123 REQUIRED IMPORTED_TARGET libmpg123)
add_library(fuzz_mp3_lib STATIC ${ZELMAR_ROOT}/audio/platform/Mp3Decoder.cpp ${ZELMAR_ROOT}/audio/platform/MpegProbe.cpp)
target_include_directories(fuzz_mp3_lib PUBLIC ${ZELMAR_ROOT})
target_link_libraries(fuzz_mp3_lib PUBLIC PkgConfig::FUZZ_MPG123)
zelmar_fuzz_target(fuzz_mp3 fuzz_mp3_lib)
