# Run by CPack between staging the install and packing it: Debian keeps the programs of games in /usr/games
# (the data stays in /usr/share/zelmar-chess, which is ../share/zelmar-chess from there as well).
set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(MAKE_DIRECTORY ${staged}/games)
# Both programs, the game and its engine for chess programs, move there.
foreach(program zelmar-chess zelmar-chess-engine)
  file(RENAME ${staged}/bin/${program} ${staged}/games/${program})
endforeach()
file(GLOB left ${staged}/bin/*)
if(NOT left)
  file(REMOVE_RECURSE ${staged}/bin)
endif()
