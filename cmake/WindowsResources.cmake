# Windows resources of a program: the icon (rendered from the workbench's project icon), a version
# resource and a manifest that makes it long-path aware and, for a window program, per-monitor DPI
# aware as Qt 6 expects. The manifest leaves the process code page alone: UTF-8 there would hide a
# narrow file call that the platform layer should have made wide.
find_program(QUILLON_RSVG_CONVERT rsvg-convert REQUIRED NO_CMAKE_FIND_ROOT_PATH)
find_program(QUILLON_ICOTOOL icotool REQUIRED NO_CMAKE_FIND_ROOT_PATH)

set(QUILLON_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows/quillon.ico)
set(icon_svg ${PROJECT_SOURCE_DIR}/src/workbench/icons/project.svg)
set(icon_pngs)
foreach(size 16 32 48 256)
  set(png ${CMAKE_BINARY_DIR}/windows/quillon-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/windows
    COMMAND ${QUILLON_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
    DEPENDS ${icon_svg} VERBATIM)
  list(APPEND icon_pngs ${png})
endforeach()
add_custom_command(OUTPUT ${QUILLON_WINDOWS_ICON}
  COMMAND ${QUILLON_ICOTOOL} -c -o ${QUILLON_WINDOWS_ICON} ${icon_pngs}
  DEPENDS ${icon_pngs} VERBATIM)
add_custom_target(quillon_windows_icon DEPENDS ${QUILLON_WINDOWS_ICON})

# quillon_windows_resources(TARGET DESCRIPTION WINDOWED): TARGET's resources; WINDOWED programs
# are DPI aware.
function(quillon_windows_resources target description windowed)
  set(QUILLON_PROGRAM ${target})
  set(QUILLON_DESCRIPTION ${description})
  set(QUILLON_ICON ${QUILLON_WINDOWS_ICON})
  set(QUILLON_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(QUILLON_DPI_AWARENESS "")
  if(windowed)
    set(QUILLON_DPI_AWARENESS
      "      <dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2</dpiAwareness>\n")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/share/windows/program.manifest.in ${QUILLON_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/share/windows/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
    OBJECT_DEPENDS "${QUILLON_WINDOWS_ICON};${QUILLON_MANIFEST}")
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  add_dependencies(${target} quillon_windows_icon)
endfunction()
