# zelmar-audio: plays an MP3 (looping) or a WAV file through the sound device, to check by ear.
add_executable(zelmar-audio zelmar-audio/main.cpp)
target_link_libraries(zelmar-audio PRIVATE zelmar_audio)
