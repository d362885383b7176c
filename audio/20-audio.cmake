# Sound effects and streamed music.
zelmar_module_library(zelmar_audio
  AudioStreamOut.cpp
  MediaSource.cpp
  Mp3Source.cpp
  ProgramFiles.cpp
  SoundSystem.cpp
  WaveImage.cpp
  WaveItem.cpp
  WaveList.cpp)
target_link_libraries(zelmar_audio PUBLIC zelmar_audio_platform)
