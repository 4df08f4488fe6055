# Quenta for other Qt programs: the library with its SONAME, the public headers under
# include/quenta/, and a CMake package, so that find_package(Quenta) gives Quenta::quenta.
include(CMakePackageConfigHelpers)

set(QUENTA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quenta)

install(TARGETS quenta EXPORT QuentaTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES
            dispatch_table.h
            ole_color.h
            property_bag.h
            quenta.h
            quenta_export.h
            value_rules.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quenta)
install(EXPORT QuentaTargets NAMESPACE Quenta:: DESTINATION ${QUENTA_CMAKE_DIR})

configure_package_config_file(cmake/QuentaConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/QuentaConfig.cmake
    INSTALL_DESTINATION ${QUENTA_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuentaConfigVersion.cmake
    VERSION ${PROJECT_VERSION}
    COMPATIBILITY SameMajorVersion)
install(FILES
            ${CMAKE_CURRENT_BINARY_DIR}/QuentaConfig.cmake
            ${CMAKE_CURRENT_BINARY_DIR}/QuentaConfigVersion.cmake
        DESTINATION ${QUENTA_CMAKE_DIR})
