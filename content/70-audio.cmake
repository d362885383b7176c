# The eight clips (embedded into the game) and the two tunes (beside the executable).
find_library(ZELMAR_LAME_LIBRARY mp3lame REQUIRED)
target_link_libraries(zelmar_content_kit PUBLIC ${ZELMAR_LAME_LIBRARY})

zelmar_content_tool(zelmar-gen-clips gen/Clips.cpp)
set(ZELMAR_CLIP_DIR ${CMAKE_BINARY_DIR}/content/clips)
file(MAKE_DIRECTORY ${ZELMAR_CLIP_DIR})
set(clip_outputs "")
set(clip_files "")
foreach(n RANGE 1 8)
  list(APPEND clip_outputs ${ZELMAR_CLIP_DIR}/sound_${n}.wav)
  list(APPEND clip_files sound_${n}=${ZELMAR_CLIP_DIR}/sound_${n}.wav)
endforeach()
add_custom_command(OUTPUT ${clip_outputs}
  COMMAND zelmar-gen-clips ${ZELMAR_CLIP_DIR}
  DEPENDS zelmar-gen-clips
  COMMENT "Synthesising the sound clips")
add_custom_target(zelmar_content_clips DEPENDS ${clip_outputs})
# The game finds each clip's RIFF WAVE bytes with FindClip("sound_1") … FindClip("sound_8").
zelmar_embed_files(zelmar_clips FindClip DEPENDS zelmar_content_clips FILES ${clip_files})

zelmar_content_tool(zelmar-gen-tunes gen/Tunes.cpp gen/Composer.cpp)
set(tune_outputs ${CMAKE_BINARY_DIR}/bin/title_theme.mp3 ${CMAKE_BINARY_DIR}/bin/main_theme.mp3)
add_custom_command(OUTPUT ${tune_outputs}
  COMMAND zelmar-gen-tunes ${tune_outputs}
  DEPENDS zelmar-gen-tunes
  COMMENT "Composing and encoding the tunes")
add_custom_target(zelmar_content_tunes DEPENDS ${tune_outputs})
# The game's data files, for the install rules of desktop/.
set_property(GLOBAL APPEND PROPERTY ZELMAR_DATA_FILES ${tune_outputs})
