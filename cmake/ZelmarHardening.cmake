# The hardened build Debian gives its packages (dpkg-buildflags with hardening=+all on amd64): fortified libc
# calls, stack protector, format checks, a position-independent executable, and relocations made read-only
# and bound at start-up (full RELRO); with the stack clash and control-flow protection that later releases
# add to that set (the control-flow marks reach the program only once the C library's start files carry
# them too, which Debian 12's do not). On by default; the sanitizer builds leave it out, since their
# interceptors stand in for the fortified calls.

option(ZELMAR_HARDEN "Build with the Debian hardening flags" ON)

if(ZELMAR_HARDEN AND NOT ZELMAR_SANITIZE)
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES C CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  # Fortification needs the optimiser; a Debug build would only warn about it.
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection -Wformat
    -Werror=format-security)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
