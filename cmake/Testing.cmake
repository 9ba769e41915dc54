# ww_add_test(<name> <source>... LIBS <lib>...): one Qt Test executable, run by CTest
# headless in its own temporary home (see testsupport/), with the modules of
# the distribution folder (a test program has none beside it).
function(ww_add_test name)
  if(NOT WW_TESTS OR WW_FUZZ)
    return()
  endif()
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} testsupport Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;WORDWELL_MODULE_DIR=${WW_DIST_DIR};ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1"
    TIMEOUT 300)
endfunction()

# ww_add_no_audio_run(<test>): runs <test> once more with the sound system pointed
# at a server that does not exist, so it sees no audio device at all.
function(ww_add_no_audio_run name)
  if(NOT WW_TESTS OR WW_FUZZ)
    return()
  endif()
  get_test_property(${name} ENVIRONMENT env)
  add_test(NAME ${name}_nodevice COMMAND ${name})
  set_tests_properties(${name}_nodevice PROPERTIES
    ENVIRONMENT "${env};PULSE_SERVER=unix:/nonexistent/wordwell-no-sound;WW_EXPECT_NO_AUDIO=1"
    TIMEOUT 300)
endfunction()
