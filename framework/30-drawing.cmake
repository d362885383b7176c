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
