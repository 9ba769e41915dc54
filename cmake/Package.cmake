# The packaged layout (`cmake --install`, used by scripts/package-deb with the
# prefix /usr): Wordwell in bin, its modules and help files where it looks for
# them in a package (platform/modules/modules.h), and what the desktop reads.
# Setup and Ridwell are not installed: a package is removed by the package
# manager (docs/package.md).
if(NOT TARGET Wordwell)
  return()
endif()
install(TARGETS Wordwell RUNTIME DESTINATION bin)
foreach(module wordwell-audio wordwell-print wordwell-zip wordwell-history)
  if(TARGET ${module})
    install(TARGETS ${module} LIBRARY DESTINATION ${WW_INSTALL_MODULE_DIR})
  endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/help/Wordwell.hlp ${PROJECT_SOURCE_DIR}/help/Wordwell.cnt
        DESTINATION ${WW_INSTALL_DATA_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/com.tolvane.Wordwell.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/com.tolvane.Wordwell.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/wordwell-spelling-list.xml DESTINATION share/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/icons/Wordwell.png DESTINATION share/icons/hicolor/128x128/apps
        RENAME wordwell.png)
install(FILES ${WW_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)
foreach(size ${WW_ICON_SIZES})
  install(FILES ${PROJECT_BINARY_DIR}/icons/wordwell-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME wordwell.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/wordwell)
