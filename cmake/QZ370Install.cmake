# What `cmake --install` puts under the prefix: the public headers in
# include/qz370 (qz370.h, the windows.h it needs off Windows, and the headless
# display's API as qz370_headless.h), the static libraries with a CMake
# package and a pkg-config file in lib/, and the programs in bin/.
include(CMakePackageConfigHelpers)

set(QZ370_INCLUDE_DIR include/qz370)
set(QZ370_LIBRARY_DIR lib)
set(QZ370_PACKAGE_DIR ${QZ370_LIBRARY_DIR}/cmake/QZ370)

install(FILES library/qz370.h platform/win32/windows.h DESTINATION ${QZ370_INCLUDE_DIR})
install(FILES platform/display/headless/headless.h DESTINATION ${QZ370_INCLUDE_DIR} RENAME qz370_headless.h)

# Installed, the targets are QZ370::qz370 (a program with WinMain) and its
# parts QZ370::library, QZ370::platform, QZ370::raster, QZ370::menus, QZ370::sdl (built
# for the web QZ370::web) and
# QZ370::entry.
set_target_properties(qz370 PROPERTIES EXPORT_NAME library)
set_target_properties(qz370_program PROPERTIES EXPORT_NAME qz370)
foreach(part platform raster menus ${QZ370_SCREEN} entry)
  set_target_properties(qz370_${part} PROPERTIES EXPORT_NAME ${part})
endforeach()
target_include_directories(qz370 INTERFACE $<INSTALL_INTERFACE:${QZ370_INCLUDE_DIR}>)

install(TARGETS qz370_program qz370 qz370_platform qz370_raster qz370_menus qz370_${QZ370_SCREEN} qz370_entry
        EXPORT QZ370Targets ARCHIVE DESTINATION ${QZ370_LIBRARY_DIR})
install(EXPORT QZ370Targets NAMESPACE QZ370:: DESTINATION ${QZ370_PACKAGE_DIR})

# Built with emcmake, the package also makes pages: qz370_web_page().
if(EMSCRIPTEN)
  install(FILES cmake/QZ370Web.cmake cmake/qz370_page.html.in platform/display/web/web_page.js
          DESTINATION ${QZ370_PACKAGE_DIR})
endif()

configure_package_config_file(cmake/QZ370Config.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/QZ370Config.cmake
                              INSTALL_DESTINATION ${QZ370_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QZ370ConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QZ370Config.cmake ${CMAKE_CURRENT_BINARY_DIR}/QZ370ConfigVersion.cmake
        DESTINATION ${QZ370_PACKAGE_DIR})

# The .pc file finds its prefix from where it lies, so --prefix may be given
# at install time.
configure_file(cmake/qz370.pc.in ${CMAKE_CURRENT_BINARY_DIR}/qz370.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qz370.pc DESTINATION ${QZ370_LIBRARY_DIR}/pkgconfig)
