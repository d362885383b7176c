# The desktop icons: the Zelmar rendered as hicolor PNG icons (installed by desktop/), and a record of all
# of them for the contact sheet.
zelmar_content_tool(zelmar-gen-icons gen/Icons.cpp)
set(ZELMAR_ICON_SIZES 16 32 48 64 128 256 512)
set(ZELMAR_ICON_DIR ${CMAKE_BINARY_DIR}/content/icons/hicolor)
# The game window's icon: the 64-pixel icon as plain RGBA bytes, carried inside the game.
set(ZELMAR_WINDOW_ICON ${CMAKE_BINARY_DIR}/content/icons/window_icon.rgba)
set(icon_outputs ${ZELMAR_CONTENT_RECORDS}/app_icons.rec ${ZELMAR_WINDOW_ICON})
foreach(size ${ZELMAR_ICON_SIZES})
  list(APPEND icon_outputs ${ZELMAR_ICON_DIR}/${size}x${size}/apps/${ZELMAR_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_outputs}
  COMMAND zelmar-gen-icons ${ZELMAR_ICON_DIR} ${ZELMAR_APP_ID} ${ZELMAR_CONTENT_RECORDS} ${ZELMAR_WINDOW_ICON}
  DEPENDS zelmar-gen-icons
  COMMENT "Rendering the desktop icons")
add_custom_target(zelmar_content_icons DEPENDS ${icon_outputs})
# The game finds the window icon's bytes with FindWindowIcon("window_icon").
zelmar_embed_files(zelmar_window_icon FindWindowIcon DEPENDS zelmar_content_icons
  FILES window_icon=${ZELMAR_WINDOW_ICON})
set_property(GLOBAL PROPERTY ZELMAR_ICON_DIR ${ZELMAR_ICON_DIR})
set_property(GLOBAL PROPERTY ZELMAR_ICON_SIZES ${ZELMAR_ICON_SIZES})
