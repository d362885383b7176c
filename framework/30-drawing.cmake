# Images, the batching canvas and bitmap fonts, added to the framework library.
if(NOT TARGET zelmar_framework)
  zelmar_module_library(zelmar_framework)
endif()
target_sources(zelmar_framework PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxPixelFormats.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxFormatChoice.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxPatternGrid.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxImageRecord.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxFontRecord.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxTextLayout.cpp
)
target_sources(zelmar_framework PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxTextures.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxImages.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Gfx2D.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxCanvas.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/GfxFonts.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/TestDrawing.cpp
)
