# Compiler warnings and the sanitizer switch shared by every target.

set(ZELMAR_SANITIZE "" CACHE STRING "Sanitizers to build with: address,undefined or thread (empty for none)")

# -Wshadow and -Wconversion (without -Wsign-conversion, whose index warnings are noise here) hold every module;
# the content generators relax the second (content/CMakeLists.txt).
add_compile_options(-Wall -Wextra -Wshadow -Wconversion)

if(ZELMAR_SANITIZE)
  add_compile_options(-fsanitize=${ZELMAR_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${ZELMAR_SANITIZE})
endif()
