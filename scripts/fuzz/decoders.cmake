# The image and font record decoders on the test backend: the framework's logic and the test
# backend, without the SDL/OpenGL backend (any file of the framework not named Sdl*/Gl*).
file(GLOB framework_sources CONFIGURE_DEPENDS ${ZELMAR_ROOT}/framework/*.cpp ${ZELMAR_ROOT}/framework/platform/*.cpp)
list(FILTER framework_sources EXCLUDE REGEX "/(Sdl|Gl)[^/]*\\.cpp$")
list(FILTER framework_sources EXCLUDE REGEX "/GfxDb[^/]*\\.cpp$|/GfxDescScanner\\.cpp$")
add_library(fuzz_framework STATIC ${framework_sources})
target_link_libraries(fuzz_framework PUBLIC fuzz_archive)

zelmar_fuzz_target(fuzz_image fuzz_framework)
zelmar_fuzz_target(fuzz_font fuzz_framework)
