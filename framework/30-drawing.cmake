# Images, the batching canvas and bitmap fonts, added to the framework library.
target_sources(zelmar_framework PRIVATE
  GfxPixelFormats.cpp
  GfxFormatChoice.cpp
  GfxPatternGrid.cpp
  GfxImageRecord.cpp
  GfxFontRecord.cpp
  GfxTextLayout.cpp
  GfxTextures.cpp
  GfxImages.cpp
  Gfx2D.cpp
  GfxCanvas.cpp
  GfxFonts.cpp
)
