include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

get_property(vorn_layers GLOBAL PROPERTY VORN_LAYERS)
install(TARGETS vorn vorn_api ${vorn_layers} vorn_cli EXPORT vornTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The public headers, each in the include root of the layer that owns it.
foreach(root IN ITEMS api ${vorn_layers})
  string(REGEX REPLACE "^vorn_" "" root ${root})
  if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/src/${root}/include/vorn)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/${root}/include/vorn
      DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  endif()
endforeach()
install(EXPORT vornTargets NAMESPACE vorn:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vorn)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/vornConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/vornConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vorn)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/vornConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vornConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/vornConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vorn)
