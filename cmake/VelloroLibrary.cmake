# velloro_add_library(<target>
#   INCLUDE_ROOT <dir>          directory that holds the public include folder
#   HEADER_DIR <name>           the include folder (headers are included as <name/...>)
#   EXPORT_MACRO <MACRO>        name of the generated export macro
#   EXPORT_HEADER <file>        file name of the generated export header, inside HEADER_DIR
#   [PUBLIC_LINKS ...] [PRIVATE_LINKS ...])
#
# Builds a shared library from every .cpp and .h below INCLUDE_ROOT/HEADER_DIR, with hidden
# symbols, a generated export header <name/<file>>, and installs it into the
# Velloro package under the target name Velloro::<target>.
function(velloro_add_library target)
  cmake_parse_arguments(ARG "" "INCLUDE_ROOT;HEADER_DIR;EXPORT_MACRO;EXPORT_HEADER" "PUBLIC_LINKS;PRIVATE_LINKS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${ARG_INCLUDE_ROOT}/${ARG_HEADER_DIR}/*.cpp")
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS "${ARG_INCLUDE_ROOT}/${ARG_HEADER_DIR}/*.h")
  # Headers under internal/ serve the library's own sources only and are not installed.
  list(FILTER headers EXCLUDE REGEX "/internal/[^/]*$")
  file(GLOB_RECURSE resources CONFIGURE_DEPENDS "${ARG_INCLUDE_ROOT}/${ARG_HEADER_DIR}/*.qrc")

  add_library(${target} SHARED ${sources} ${resources})
  add_library(Velloro::${target} ALIAS ${target})

  set(generated "${CMAKE_CURRENT_BINARY_DIR}/include")
  generate_export_header(${target}
    BASE_NAME ${ARG_EXPORT_MACRO}
    EXPORT_MACRO_NAME ${ARG_EXPORT_MACRO}
    EXPORT_FILE_NAME "${generated}/${ARG_HEADER_DIR}/${ARG_EXPORT_HEADER}")

  target_sources(${target} PUBLIC
    FILE_SET HEADERS
    BASE_DIRS "${ARG_INCLUDE_ROOT}" "${generated}"
    FILES ${headers} "${generated}/${ARG_HEADER_DIR}/${ARG_EXPORT_HEADER}")
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    EXPORT_NAME ${target})

  install(TARGETS ${target} EXPORT VelloroTargets
    LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}"
    ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}"
    RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
    FILE_SET HEADERS DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}")
endfunction()
