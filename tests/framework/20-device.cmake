# Device, timer, input and application loop on the test backend (no display needed).
zelmar_add_gtest(framework_device_tests LABEL framework
  SOURCES PublisherTest.cpp DeviceTest.cpp TimerTest.cpp InputTest.cpp ApplicationTest.cpp
  LIBS zelmar_framework)

# The SDL2 + OpenGL backend in a real window: needs a display (CI runs it under Xvfb) and fails without one.
# Its tests run alone: a window another test opens on the same display takes the keyboard focus, and a lost
# focus releases every key of the table these tests read.
zelmar_add_gtest(framework_gl_tests LABEL framework
  SOURCES GlBackendTest.cpp ScancodeTest.cpp
  LIBS zelmar_framework SERIAL)

# The tests run in build/bin; make sure it exists even before any program was built into it.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
