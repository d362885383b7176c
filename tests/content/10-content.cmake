# The content build's output: archive, description, clips and tunes.
find_library(ZELMAR_MPG123_LIBRARY mpg123 REQUIRED)
zelmar_add_gtest(content_tests LABEL content
  SOURCES ContentArchiveTest.cpp ContentAudioTest.cpp ContentKitTest.cpp ContentDrawingTest.cpp
  LIBS zelmar_content_kit zelmar_archive zelmar_description zelmar_clips ${ZELMAR_MPG123_LIBRARY})
add_dependencies(content_tests zelmar_content)
