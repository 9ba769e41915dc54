# ww_add_module(<name> <source>... LIBS <lib>...): one of the programs' modules
# (platform/modules), <name>.so, built straight into the distribution folder,
# where the programs look for them. Only its entry point is exported.
function(ww_add_module name)
  cmake_parse_arguments(M "" "" "LIBS" ${ARGN})
  add_library(${name} MODULE ${M_UNPARSED_ARGUMENTS})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${WW_DIST_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${name} PRIVATE ${M_LIBS})
  # A symbol left to be found in the program would only fail when the module
  # loads. (clang's sanitizers leave their runtime to the program, so not there.)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_link_options(${name} PRIVATE LINKER:--no-undefined)
  endif()
endfunction()
