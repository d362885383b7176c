# Whole games of the computer against itself through the board, the worker and the hand-off: ten in
# each mode from different random openings, with no refused move and no hang.
foreach(seed RANGE 1 10)
  foreach(mode standard zelmar)
    set(flags "")
    if(mode STREQUAL "zelmar")
      set(flags --zelmar)
    endif()
    add_test(NAME engine_play_${mode}_${seed}
      COMMAND zelmar-engine play ${flags} --depth 3 --max-moves 300 --opening ${seed}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(engine_play_${mode}_${seed} PROPERTIES LABELS engine TIMEOUT 300)
  endforeach()
endforeach()
if(TARGET check-engine)
  add_dependencies(check-engine zelmar-engine)
endif()
