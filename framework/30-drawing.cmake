# The record layouts of images and fonts with the pixel formats and the pattern grid they use: a library of
# their own, which the framework reads through and the content tools write through.
zelmar_module_library(zelmar_records
  GfxPixelFormats.cpp
  GfxPatternGrid.cpp
  GfxImageRecord.cpp
  GfxFontRecord.cpp
)

# Images, the batching canvas and bitmap fonts, added to the framework library.
target_sources(zelmar_framework PRIVATE
  GfxFormatChoice.cpp
  GfxTextLayout.cpp
  GfxTextures.cpp
  GfxImages.cpp
  Gfx2D.cpp
  GfxCanvas.cpp
  GfxFonts.cpp
)
target_link_libraries(zelmar_framework PUBLIC zelmar_records)
# The OpenGL half of the drawing operations.
target_sources(zelmar_framework PRIVATE
  platform/GlProgram.cpp
  platform/GlResources.cpp
)
