# Installation as a desktop program and the package CPack builds from it:
# - Linux: the program, its desktop entry, AppStream metadata and the icons of
#   the hicolor theme; a Debian package with its library dependencies.
# - Windows and macOS: the program with the Qt libraries and plugins it needs,
#   gathered by Qt's deployment tool; a ZIP archive or a disk image.
if(NOT TARGET ostrevo)
  return()
endif()

include(GNUInstallDirs)
# Installing and packing take what is built and do not build the whole tree
# (tests and benchmarks included) first: build the program, then install it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(OSTREVO_APP_ID io.github.ostrevo.Ostrevo)
# The icon: the waveform window's vector drawing, and its hand-drawn pixels at
# the two small sizes, where they are sharper than any rendering.
set(OSTREVO_ICON_SVG ${PROJECT_SOURCE_DIR}/assets/fuel_pump.svg)
set(OSTREVO_ICON_PIXEL_ART_SIZES 16 32)
set(OSTREVO_ICON_RENDERED_SIZES 48 256)

function(ostrevo_install_linux_desktop_files)
  set(OSTREVO_EXECUTABLE ostrevo)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${OSTREVO_APP_ID}.desktop.in
                 ${PROJECT_BINARY_DIR}/packaging/${OSTREVO_APP_ID}.desktop @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/${OSTREVO_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${OSTREVO_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${OSTREVO_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${OSTREVO_APP_ID}.svg)

  foreach(size IN LISTS OSTREVO_ICON_PIXEL_ART_SIZES)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/fuel_pump_${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${OSTREVO_APP_ID}.png)
  endforeach()

  # The larger fixed sizes are rendered from the vector drawing when the
  # program is built.
  qt_add_executable(ostrevo_render_icon ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/render_icon.cpp)
  target_link_libraries(ostrevo_render_icon PRIVATE Qt6::Gui Qt6::Svg)
  set(pngs)
  foreach(size IN LISTS OSTREVO_ICON_RENDERED_SIZES)
    set(directory ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size})
    add_custom_command(OUTPUT ${directory}/${OSTREVO_APP_ID}.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${directory}
      COMMAND ostrevo_render_icon ${OSTREVO_ICON_SVG} ${directory}/${OSTREVO_APP_ID}.png ${size}
      DEPENDS ostrevo_render_icon ${OSTREVO_ICON_SVG}
      COMMENT "Rendering the ${size}x${size} icon")
    list(APPEND pngs ${directory}/${OSTREVO_APP_ID}.png)
    install(FILES ${directory}/${OSTREVO_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(ostrevo_icons ALL DEPENDS ${pngs})
endfunction()

# Compresses SOURCE as Debian's tools do (gzip -9n: best compression, no name
# or time in the header) and installs it as DESTINATION/NAME; the compressed
# file is added to the list OUTPUTS.
function(ostrevo_install_gzipped source destination name outputs)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
  set(copy ${PROJECT_BINARY_DIR}/${relative})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND ${OSTREVO_GZIP} -9nf ${copy}
    DEPENDS ${source}
    VERBATIM)
  install(FILES ${copy}.gz DESTINATION ${destination} RENAME ${name})
  set(${outputs} ${${outputs}} ${copy}.gz PARENT_SCOPE)
endfunction()

# What a Debian package documents besides the program: the copyright, the
# changelog, the manual page in English and in Italian, and the README with the
# screenshots it shows.
function(ostrevo_install_linux_docs)
  set(packaging ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(docdir ${CMAKE_INSTALL_DATADIR}/doc/ostrevo)
  file(STRINGS ${packaging}/changelog latest LIMIT_COUNT 1)
  if(NOT latest MATCHES "^ostrevo \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog: the latest entry is not version ${PROJECT_VERSION}")
  endif()

  find_program(OSTREVO_GZIP gzip REQUIRED)
  set(compressed)
  ostrevo_install_gzipped(${packaging}/changelog ${docdir} changelog.gz compressed)
  ostrevo_install_gzipped(${packaging}/man/ostrevo.1 ${CMAKE_INSTALL_MANDIR}/man1 ostrevo.1.gz compressed)
  ostrevo_install_gzipped(${packaging}/man/it/ostrevo.1 ${CMAKE_INSTALL_MANDIR}/it/man1 ostrevo.1.gz compressed)
  add_custom_target(ostrevo_docs ALL DEPENDS ${compressed})

  install(FILES ${packaging}/copyright ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${docdir})
  set(readme ${PROJECT_SOURCE_DIR}/README.md)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme})
  file(READ ${readme} text)
  string(REGEX MATCHALL "\\(docs/[^)]+\\.png\\)" screenshots "${text}")
  list(TRANSFORM screenshots REPLACE "^\\((.+)\\)$" "${PROJECT_SOURCE_DIR}/\\1")
  list(REMOVE_DUPLICATES screenshots)
  install(FILES ${screenshots} DESTINATION ${docdir}/docs)
endfunction()

# windeployqt or macdeployqt, run by the script Qt generates, copy the Qt
# libraries and plugins next to the program or into its bundle.
function(ostrevo_install_qt_runtime)
  set_target_properties(ostrevo PROPERTIES
    WIN32_EXECUTABLE ON
    MACOSX_BUNDLE ON
    MACOSX_BUNDLE_BUNDLE_NAME Ostrevo
    MACOSX_BUNDLE_GUI_IDENTIFIER ${OSTREVO_APP_ID}
    MACOSX_BUNDLE_BUNDLE_VERSION ${PROJECT_VERSION}
    MACOSX_BUNDLE_SHORT_VERSION_STRING ${PROJECT_VERSION})
  if(Qt6_VERSION VERSION_LESS 6.5)
    qt_generate_deploy_app_script(TARGET ostrevo FILENAME_VARIABLE deploy_script)
  else()
    qt_generate_deploy_app_script(TARGET ostrevo OUTPUT_SCRIPT deploy_script NO_TRANSLATIONS)
  endif()
  install(SCRIPT ${deploy_script})
endfunction()

install(TARGETS ostrevo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)
if(WIN32 OR APPLE)
  ostrevo_install_qt_runtime()
else()
  # Stripped as Debian's tools strip programs: without the compilers' version
  # notes either (.comment).
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/ostrevo\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")
  ostrevo_install_linux_desktop_files()
  ostrevo_install_linux_docs()
endif()

set(CPACK_PACKAGE_NAME ostrevo)
set(CPACK_PACKAGE_VENDOR "Ostrevo")
set(OSTREVO_PACKAGE_CONTACT "Ostrevo <ostrevo@users.noreply.github.com>" CACHE STRING
    "Maintainer named in the packages: set it to whoever publishes them")
set(CPACK_PACKAGE_CONTACT "${OSTREVO_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "astable multivibrator teaching tool (Italian)")
set(CPACK_PACKAGE_DESCRIPTION
    "Computes the charge and discharge times of an astable multivibrator built on an\n\
inverting Schmitt trigger, designs Rc and Rs of the ideal circuit and plots the\n\
steady-state capacitor and output voltages. The user interface is in Italian.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Ostrevo)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
elseif(APPLE)
  set(CPACK_GENERATOR DragNDrop)
else()
  set(CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by the library scan: the font with the metrics the
# fixed window layout was drawn for, and the Wayland platform plugin (without
# it the program runs through XWayland).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
