# What `cmake --install` puts under the prefix: the public headers in
# include/qz370 (qz370.h and, off Windows, the windows.h it needs and the
# headless display's API as qz370_headless.h), the static libraries with a
# CMake package and a pkg-config file in lib/, and off Windows the programs in
# bin/ and the carried faces' licences in share/doc/qz370/fonts. On Windows
# this is what the zip of `make dist-windows` carries.
include(CMakePackageConfigHelpers)

set(QZ370_INCLUDE_DIR include/qz370)
set(QZ370_LIBRARY_DIR lib)
set(QZ370_PACKAGE_DIR ${QZ370_LIBRARY_DIR}/cmake/QZ370)

install(FILES library/qz370.h DESTINATION ${QZ370_INCLUDE_DIR})

# Installed, the targets are QZ370::qz370 (a program with WinMain) and its
# parts: QZ370::library and, off Windows, QZ370::platform, QZ370::raster,
# QZ370::menus, QZ370::sdl (built for the web, QZ370::web) and QZ370::entry.
set_target_properties(qz370 PROPERTIES EXPORT_NAME library)
set_target_properties(qz370_program PROPERTIES EXPORT_NAME qz370)
target_include_directories(qz370 INTERFACE $<INSTALL_INTERFACE:${QZ370_INCLUDE_DIR}>)
set(QZ370_INSTALLED_TARGETS qz370_program qz370)

# The C++ runtime and the maths library close the pkg-config link line too,
# for programs in C.
if(WIN32)
  set(QZ370_PC_REQUIRES "")
  set(QZ370_PC_LIBS "-lqz370 -luser32 -lgdi32 -lkernel32 -lstdc++ -lm -static")
else()
  install(FILES platform/win32/windows.h DESTINATION ${QZ370_INCLUDE_DIR})
  install(FILES platform/display/headless/headless.h DESTINATION ${QZ370_INCLUDE_DIR} RENAME qz370_headless.h)
  foreach(part platform raster menus ${QZ370_SCREEN} entry)
    set_target_properties(qz370_${part} PROPERTIES EXPORT_NAME ${part})
    list(APPEND QZ370_INSTALLED_TARGETS qz370_${part})
  endforeach()
  if(EMSCRIPTEN)
    set(QZ370_PC_REQUIRES "freetype2")
  else()
    set(QZ370_PC_REQUIRES "sdl2 freetype2")
  endif()
  set(QZ370_PC_LIBS "-lqz370 -lqz370_entry -lqz370_${QZ370_SCREEN} -lqz370_menus -lqz370_platform -lqz370_raster -lstdc++ -lm")
endif()

# Off Windows the libraries carry the faces they draw text with: their
# licences go with them.
if(NOT WIN32)
  install(FILES platform/gdi/fonts/faces/LICENSE-DejaVu.txt platform/gdi/fonts/faces/LICENSE-Liberation.txt
          DESTINATION share/doc/qz370/fonts)
endif()

install(TARGETS ${QZ370_INSTALLED_TARGETS} EXPORT QZ370Targets ARCHIVE DESTINATION ${QZ370_LIBRARY_DIR})
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
