# The content build's output: archive, description, clips and tunes, read through the game's own loader,
# archive reader and image and font decoders (the framework library and its test backend).
find_library(ZELMAR_MPG123_LIBRARY mpg123 REQUIRED)
zelmar_add_gtest(content_tests LABEL content
  SOURCES ContentArchiveTest.cpp ContentAudioTest.cpp ContentKitTest.cpp ContentDrawingTest.cpp
  LIBS zelmar_content_kit zelmar_framework zelmar_clips ${ZELMAR_MPG123_LIBRARY})
add_dependencies(content_tests zelmar_content)
