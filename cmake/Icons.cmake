# The product icon in the sizes desktops ask for, drawn at build time from its
# scalable picture (icons/wordwell.svg, the design of icons/Wordwell.png, which
# stays the 128-pixel icon): <build>/icons/wordwell-<size>.png. The package
# installs them (cmake/Package.cmake); Setup puts them in the user's theme from
# the distribution folder (cmake/Distribution.cmake).
find_program(WW_RSVG_CONVERT rsvg-convert REQUIRED)
set(WW_ICON_SVG ${PROJECT_SOURCE_DIR}/icons/wordwell.svg)
set(WW_ICON_SIZES 16 24 32 48 64 256)
set(ww_icon_files)
foreach(size ${WW_ICON_SIZES})
  set(png ${PROJECT_BINARY_DIR}/icons/wordwell-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons
    COMMAND ${WW_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${WW_ICON_SVG}
    DEPENDS ${WW_ICON_SVG}
    COMMENT "Drawing the ${size}-pixel icon"
    VERBATIM)
  list(APPEND ww_icon_files ${png})
endforeach()
add_custom_target(icons ALL DEPENDS ${ww_icon_files})
