# qb_add_test(<name> SOURCES ... [LIBS ...] [QT_MAIN] [LABELS ...] [TIMEOUT s])
# One test executable per unit, registered with CTest. Widget tests run on the offscreen platform.
# QT_MAIN: the test needs an application object and its event loop (tests/support/TestMain.cpp);
# otherwise gtest_main. SESSION_BUS: the test runs on a D-Bus session bus of its own (dbus-run-session).
function(qb_add_test name)
  cmake_parse_arguments(T "QT_MAIN;SESSION_BUS" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test GTest::gtest GTest::gmock)
  if(T_QT_MAIN)
    target_link_libraries(${name} PRIVATE qb_test_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    QB_TESTDATA_DIR="${QB_TESTDATA_DIR}"
    QB_PROGRAM_DIR="${QB_PROGRAM_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  if(T_SESSION_BUS)
    add_test(NAME ${name} COMMAND dbus-run-session -- $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QB_TESTDATA_DIR=${QB_TESTDATA_DIR}")
endfunction()
