# The audio platform layer: software mixer on an SDL2 device, MP3 decoding with libmpg123.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ZELMAR_SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(ZELMAR_MPG123 REQUIRED IMPORTED_TARGET libmpg123)
find_package(Threads REQUIRED)

zelmar_module_library(zelmar_audio_platform
  platform/AudioMixer.cpp
  platform/AudioOutput.cpp
  platform/Decibels.cpp
  platform/Mp3Decoder.cpp
  platform/MpegProbe.cpp
  platform/PcmVoice.cpp
  platform/SdlAudioOutput.cpp
  platform/SoundBuffer.cpp
  platform/StreamBuffer.cpp)
target_link_libraries(zelmar_audio_platform PUBLIC PkgConfig::ZELMAR_SDL2 PkgConfig::ZELMAR_MPG123 Threads::Threads)
