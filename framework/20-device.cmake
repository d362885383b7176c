# Components, the application loop, the rendering device and frame timer, mouse and keyboard.
target_sources(zelmar_framework PRIVATE
  Component.cpp
  Application.cpp
  Form.cpp
  GfxPublisher.cpp
  GfxDevice.cpp
  GfxTimer.cpp
  GfxMouse.cpp
  GfxKeyboard.cpp
)
