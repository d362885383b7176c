# The Debian package, made by CPack from the install rules (scripts/package puts it in build/package/): its
# dependencies come from the libraries the program links (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmar-chess)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zelmar Chess developers")
set(CPACK_PACKAGE_CONTACT "The Zelmar Chess developers <games@zelmarchess.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess against the computer, with a Zelmar in place of each queen")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.zelmarchess.com")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens libGL.so.1 only at run time for the window's OpenGL context, where dpkg-shlibdeps cannot see it;
# through it come Mesa's GLX and its drivers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The extended description below the summary line; CPack indents it and marks the empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A single-player chess game: you play against the computer on a
perspective board painted into a castle or a town, with an optional flat
wooden or marble board over it. By default each queen is a Zelmar, which
moves as a queen or as a knight; standard chess is one click away.

Eight levels of play, take-back and replay, sound effects and music, and an
interface in English or Russian.")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cpack/DebianGamesFolder.cmake)
include(CPack)
