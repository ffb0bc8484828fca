# Installation as a desktop program (program, desktop entry, AppStream metadata,
# icons of the hicolor theme) and the Debian package built by CPack.
if(NOT TARGET ostrevo)
  return()
endif()

include(GNUInstallDirs)
# Installing and packing take what is built and do not build the whole tree
# (tests and benchmarks included) first: build the program, then install it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(OSTREVO_APP_ID io.github.ostrevo.Ostrevo)
set(OSTREVO_ICON_SVG "${PROJECT_SOURCE_DIR}/assets/fuel_pump.svg" CACHE FILEPATH
    "Vector picture installed as the program's icon")
set(OSTREVO_ICON_SIZES 16 32 48 256)

install(TARGETS ostrevo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(OSTREVO_EXECUTABLE ostrevo)
configure_file(${CMAKE_CURRENT_LIST_DIR}/${OSTREVO_APP_ID}.desktop.in
               ${PROJECT_BINARY_DIR}/packaging/${OSTREVO_APP_ID}.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${OSTREVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${OSTREVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The fixed sizes of the icon are rendered from the vector picture when the
# program is built, so that there is a single drawing to maintain.
qt_add_executable(ostrevo_render_icon ${CMAKE_CURRENT_LIST_DIR}/render_icon.cpp)
target_link_libraries(ostrevo_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(ostrevo_icon_pngs)
foreach(size IN LISTS OSTREVO_ICON_SIZES)
  set(png ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}/${OSTREVO_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}
    COMMAND ostrevo_render_icon ${OSTREVO_ICON_SVG} ${png} ${size}
    DEPENDS ostrevo_render_icon ${OSTREVO_ICON_SVG}
    COMMENT "Rendering the ${size}x${size} icon")
  list(APPEND ostrevo_icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(ostrevo_icons ALL DEPENDS ${ostrevo_icon_pngs})
install(FILES ${OSTREVO_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${OSTREVO_APP_ID}.svg)

set(CPACK_PACKAGE_NAME ostrevo)
set(CPACK_PACKAGE_VENDOR "Ostrevo")
set(CPACK_PACKAGE_CONTACT "Ostrevo <ostrevo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "astable multivibrator teaching tool (Italian)")
set(CPACK_PACKAGE_DESCRIPTION
    "Computes the charge and discharge times of an astable multivibrator built on an\n\
inverting Schmitt trigger, designs Rc and Rs of the ideal circuit and plots the\n\
steady-state capacitor and output voltages. The user interface is in Italian.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/ostrevo/ostrevo")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ostrevo)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by the library scan: the font with the metrics the
# fixed window layout was drawn for, and the Wayland platform plugin (without
# it the program runs through XWayland).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
