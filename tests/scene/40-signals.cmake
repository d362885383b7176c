# The real program ended by SIGTERM and SIGINT in every state (launcher, its quit question, title screen,
# a game with the computer thinking, the in-game window): promptly, with status 0, nothing left behind and
# config.ini untouched. Needs a display; runs alone so that no other window takes the keys.
add_test(NAME scene_signal_states
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/run/signal_states.sh $<TARGET_FILE:zelmar-chess>)
set_tests_properties(scene_signal_states PROPERTIES LABELS scene TIMEOUT 240 RUN_SERIAL TRUE)
