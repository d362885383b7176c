# Tests of the audio module: the mixer pulled directly, effect clips, the MP3 input and the
# music output. The stream output tests are their own program for the ThreadSanitizer run.
find_library(ZELMAR_MP3LAME mp3lame REQUIRED)

add_library(zelmar_audio_testdata STATIC AudioTestData.cpp)
target_include_directories(zelmar_audio_testdata PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(zelmar_audio_testdata PUBLIC ${ZELMAR_MP3LAME})

zelmar_add_gtest(audio_tests LABEL audio
  SOURCES MixerTest.cpp WaveListTest.cpp Mp3SourceTest.cpp ProgramFilesTest.cpp
  LIBS zelmar_audio zelmar_audio_testdata)

zelmar_add_gtest(audio_stream_tests LABEL audio
  SOURCES StreamOutTest.cpp
  LIBS zelmar_audio zelmar_audio_testdata
  ENV SDL_AUDIODRIVER=dummy)

# No sound device at all: SDL is given an audio driver that does not exist.
zelmar_add_gtest(audio_nodevice_tests LABEL audio
  SOURCES NoDeviceTest.cpp
  LIBS zelmar_audio zelmar_audio_testdata
  ENV SDL_AUDIODRIVER=no-such-driver)
