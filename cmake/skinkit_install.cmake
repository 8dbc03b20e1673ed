# Installation: `cmake --install build --prefix P` puts
#   P/include/skinkit/...          every header, in the src/ layout ("controls/skinbutton.h")
#   P/lib/libskinkit.a             one static library holding every layer
#   P/bin/                         the tools (each tools/<name> program installs itself)
#   P/lib/cmake/skinkit/           the CMake package: find_package(skinkit) -> skinkit::skinkit
#   P/lib/pkgconfig/skinkit.pc     for pkg-config --cflags --libs skinkit
# Both packages find the libraries skinkit is built on (zlib, pixman, FreeType, fontconfig,
# libpng, and SDL2 when the display was built with it) through pkg-config, and are relocatable:
# they name the prefix relative to where they are installed.
include(CMakePackageConfigHelpers)

function(skinkit_install)
  get_property(_layers GLOBAL PROPERTY SKINKIT_LAYERS)
  set(_objects "")
  foreach(_layer ${_layers})
    list(APPEND _objects $<TARGET_OBJECTS:${_layer}>)
  endforeach()
  add_library(skinkit_installed STATIC ${_objects})
  set_target_properties(skinkit_installed PROPERTIES OUTPUT_NAME skinkit EXPORT_NAME skinkit
                        LINKER_LANGUAGE CXX)
  target_include_directories(skinkit_installed INTERFACE $<INSTALL_INTERFACE:include/skinkit>)
  target_compile_features(skinkit_installed INTERFACE cxx_std_20)

  # pkg-config modules the library needs, for both packages.
  set(SKINKIT_PC_MODULES "zlib pixman-1 freetype2 fontconfig libpng")
  get_target_property(_display_links sk_display LINK_LIBRARIES)
  if(_display_links AND "PkgConfig::SDL2" IN_LIST _display_links)
    string(APPEND SKINKIT_PC_MODULES " sdl2")
  endif()

  install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/ DESTINATION include/skinkit FILES_MATCHING PATTERN "*.h")
  install(TARGETS skinkit_installed EXPORT skinkitTargets ARCHIVE DESTINATION lib)
  install(EXPORT skinkitTargets NAMESPACE skinkit:: DESTINATION lib/cmake/skinkit)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/skinkitConfig.cmake.in
                 ${CMAKE_BINARY_DIR}/skinkitConfig.cmake @ONLY)
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/skinkitConfigVersion.cmake
                                   VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/skinkitConfig.cmake
                ${CMAKE_BINARY_DIR}/skinkitConfigVersion.cmake DESTINATION lib/cmake/skinkit)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/skinkit.pc.in ${CMAKE_BINARY_DIR}/skinkit.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/skinkit.pc DESTINATION lib/pkgconfig)
endfunction()
