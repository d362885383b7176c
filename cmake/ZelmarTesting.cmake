# zelmar_add_gtest(<name> LABEL <module> SOURCES <files...> [LIBS <targets...>] [ENV <VAR=value...>]
#                  [TIMEOUT <seconds>] [SERIAL])
# Builds one GoogleTest program and registers each of its tests in CTest under the module's label. SERIAL
# runs each of its tests alone: for window tests whose keyboard focus another test's window could take.
# Tests run in build/bin, beside the game's programs and data; the test programs land in build/tests.
include(GoogleTest)

function(zelmar_add_gtest name)
  cmake_parse_arguments(ARG "SERIAL" "LABEL;TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # check-<module> builds every test program of one module (the sanitizer runs build only these).
  if(NOT TARGET check-${ARG_LABEL})
    add_custom_target(check-${ARG_LABEL})
  endif()
  add_dependencies(check-${ARG_LABEL} ${name})
  # A first start speaks the desktop's language: the tests start from English whatever the developer's locale.
  # (A property's value is one word here: a list of variables would be read as more property names.)
  set(properties LABELS ${ARG_LABEL} TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT_MODIFICATION LC_ALL=set:C.UTF-8)
  if(ARG_ENV)
    list(APPEND properties ENVIRONMENT "${ARG_ENV}")
  endif()
  if(ARG_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    PROPERTIES ${properties})
endfunction()
