# The content kit: pictures, painting, noise, text, figure rendering, records and file export.
find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
find_package(Freetype REQUIRED)
zelmar_module_library(zelmar_content_kit
  kit/Image.cpp
  kit/Noise.cpp
  kit/Paint.cpp
  kit/Records.cpp
  kit/Png.cpp
  kit/Jpeg.cpp
  kit/Typeface.cpp
  kit/GameFonts.cpp
  kit/FigureModel.cpp
  kit/FigureRenderer.cpp
  kit/Materials.cpp
  kit/BoardGeometry.cpp
  kit/Sound.cpp
  kit/Voices.cpp
  kit/Mp3.cpp)
# The records are written through the game's own layouts (framework/GfxImageRecord.h and its neighbours).
target_link_libraries(zelmar_content_kit PUBLIC zelmar_records ZLIB::ZLIB JPEG::JPEG Freetype::Freetype)
# Generators run at build time; they are tuned for speed even in debug builds.
target_compile_options(zelmar_content_kit PRIVATE -O2)

# zelmar_content_tool(<name> <sources...>): a build-time generator program, kept out of build/bin.
function(zelmar_content_tool name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE zelmar_content_kit)
  target_compile_options(${name} PRIVATE -O2)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/content/tools)
endfunction()

set(ZELMAR_CONTENT_RECORDS ${CMAKE_BINARY_DIR}/content/records)
file(MAKE_DIRECTORY ${ZELMAR_CONTENT_RECORDS})
