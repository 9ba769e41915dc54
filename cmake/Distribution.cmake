# The distribution folder, WW_DIST_DIR (<build>/dist): everything Setup copies, gathered
# beside Setup itself, which copies from its current folder. It holds whatever
# this checkout builds; a missing program or help file is simply absent, and
# Setup then reports that copy as a failed step.
set(ww_dist_commands)
set(ww_dist_depends)
foreach(program Setup Wordwell Ridwell)
  if(TARGET ${program})
    list(APPEND ww_dist_commands
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${program}> ${WW_DIST_DIR}/${program})
    list(APPEND ww_dist_depends ${program})
  endif()
endforeach()
if(TARGET help)
  list(APPEND ww_dist_depends help)
endif()
# The modules are built straight into the folder (cmake/ProgramModules.cmake).
foreach(module wordwell-audio wordwell-print wordwell-zip wordwell-history)
  if(TARGET ${module})
    list(APPEND ww_dist_depends ${module})
  endif()
endforeach()

# The help files are taken from the build folder when a step makes them there,
# else from the sources.
set(ww_help_commands)
foreach(name Wordwell.hlp Wordwell.cnt)
  list(APPEND ww_help_commands
    COMMAND ${CMAKE_COMMAND} -DDEST=${WW_DIST_DIR}/${name}
            "-DCANDIDATES=${PROJECT_BINARY_DIR}/help/${name}|${PROJECT_SOURCE_DIR}/help/${name}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CopyFirstExisting.cmake)
endforeach()

add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WW_DIST_DIR}
  ${ww_dist_commands}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/icons/Wordwell.png ${WW_DIST_DIR}/Wordwell.png
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${WW_ICON_SVG} ${ww_icon_files} ${WW_DIST_DIR}
  ${ww_help_commands}
  COMMENT "Gathering the distribution folder"
  VERBATIM)
add_dependencies(dist icons ${ww_dist_depends})
