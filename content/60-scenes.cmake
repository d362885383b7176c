# The full-screen backgrounds and the launcher's picture.
zelmar_content_tool(zelmar-gen-scenes gen/Scenes.cpp gen/GameGround.cpp gen/TitleGround.cpp)
set(scene_outputs ${ZELMAR_CONTENT_RECORDS}/ground.rec)
set(ZELMAR_LAUNCHER_JPEG_FILE ${CMAKE_BINARY_DIR}/content/launcher.jpg)
add_custom_command(OUTPUT ${scene_outputs} ${ZELMAR_LAUNCHER_JPEG_FILE}
  COMMAND zelmar-gen-scenes ${ZELMAR_CONTENT_RECORDS} ${ZELMAR_LAUNCHER_JPEG_FILE}
  DEPENDS zelmar-gen-scenes
  COMMENT "Painting the scenes")
add_custom_target(zelmar_content_scenes DEPENDS ${scene_outputs} ${ZELMAR_LAUNCHER_JPEG_FILE})
# The launcher picks its picture up from here (the launcher folder is processed after this one).
set_property(GLOBAL PROPERTY ZELMAR_LAUNCHER_JPEG ${ZELMAR_LAUNCHER_JPEG_FILE})
set_property(GLOBAL PROPERTY ZELMAR_LAUNCHER_JPEG_TARGET zelmar_content_scenes)
