# gcc's line and branch counters for scripts/coverage; every program and test
# writes its counts beside its objects in the build folder when it exits.
if(WW_COVERAGE)
  add_compile_options(--coverage)
  add_link_options(--coverage)
endif()
