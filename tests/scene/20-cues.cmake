# The cue tests make their tunes with the audio tests' MP3 writer.
target_link_libraries(scene_tests PRIVATE zelmar_audio_testdata)
