# velloro_add_library(<target>
#   INCLUDE_ROOT <dir>          directory that holds the public include folder
#   HEADER_DIR <name>           the include folder (headers are included as <name/...>)
#   EXPORT_MACRO <MACRO>        name of the generated export macro
#   EXPORT_HEADER <file>        file name of the generated export header, inside HEADER_DIR
#   [PUBLIC_LINKS ...] [PRIVATE_LINKS ...])
#
# Builds a shared library from every .cpp and .h below INCLUDE_ROOT/HEADER_DIR, with hidden
# symbols, a generated export header <name/<file>>, and installs it into the
# Velloro package under the target name Velloro::<target>. Headers under an internal/ folder
# are built but never installed.
function(velloro_add_library target)
  cmake_parse_arguments(ARG "" "INCLUDE_ROOT;HEADER_DIR;EXPORT_MACRO;EXPORT_HEADER" "PUBLIC_LINKS;PRIVATE_LINKS" ${ARGN})
  set(root "${ARG_INCLUDE_ROOT}/${ARG_HEADER_DIR}")
  if(NOT IS_DIRECTORY "${root}")
    message(FATAL_ERROR "velloro_add_library(${target}): no folder ${root}")
  endif()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${root}/*.cpp")
  file(GLOB_RECURSE resources CONFIGURE_DEPENDS "${root}/*.qrc")
  velloro_split_headers("${root}" publicHeaders internalHeaders)

  add_library(${target} SHARED ${sources} ${resources} ${internalHeaders})
  add_library(Velloro::${target} ALIAS ${target})

  set(generated "${CMAKE_CURRENT_BINARY_DIR}/include")
  generate_export_header(${target}
    BASE_NAME ${ARG_EXPORT_MACRO}
    EXPORT_MACRO_NAME ${ARG_EXPORT_MACRO}
    EXPORT_FILE_NAME "${generated}/${ARG_HEADER_DIR}/${ARG_EXPORT_HEADER}")

  target_sources(${target} PUBLIC
    FILE_SET HEADERS
    BASE_DIRS "${ARG_INCLUDE_ROOT}" "${generated}"
    FILES ${publicHeaders} "${generated}/${ARG_HEADER_DIR}/${ARG_EXPORT_HEADER}")
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
  velloro_install_library(${target})
  set_property(GLOBAL APPEND PROPERTY VELLORO_STAND_IN_TARGETS ${target})
endfunction()

# velloro_split_headers(<folder> <public-var> <internal-var>)
# The headers below a folder: those under an internal/ folder, which the installed package
# never carries, and the rest, which form the public interface.
function(velloro_split_headers folder publicVar internalVar)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS "${folder}/*.h")
  set(internal ${headers})
  list(FILTER headers EXCLUDE REGEX "/internal/")
  list(FILTER internal INCLUDE REGEX "/internal/")
  set(${publicVar} ${headers} PARENT_SCOPE)
  set(${internalVar} ${internal} PARENT_SCOPE)
endfunction()

function(velloro_install_library target)
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

# velloro_add_subsystem(LINKS <targets...>)
# Called from src/velloro/<subsystem>/CMakeLists.txt. Makes the object library
# velloro_<subsystem> from the folder's sources; libvelloro is built from all of them.
#
# LINKS names everything the subsystem may use: other subsystems by folder name (for example
# "base"), stand-ins and third-party targets by their target names. A subsystem sees only its
# own headers and those of what it links, so an include the layering forbids does not compile.
function(velloro_add_subsystem)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  get_filename_component(subsystem "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  set(target velloro_${subsystem})

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  velloro_split_headers("${CMAKE_CURRENT_SOURCE_DIR}" publicHeaders internalHeaders)
  if(NOT sources AND NOT publicHeaders)
    message(FATAL_ERROR "src/velloro/${subsystem} holds no sources or headers")
  endif()

  # The subsystem's own include tree: <velloro/<subsystem>/...> resolves through a link to its
  # folder, and nothing else of the library is reachable from it.
  set(includeRoot "${VELLORO_SUBSYSTEM_INCLUDE_DIR}/${subsystem}")
  file(MAKE_DIRECTORY "${includeRoot}/velloro")
  file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${includeRoot}/velloro/${subsystem}" SYMBOLIC)

  add_library(${target} OBJECT ${sources} ${publicHeaders} ${internalHeaders})
  # The objects end up in libvelloro: they export its symbols.
  target_compile_definitions(${target} PRIVATE velloro_EXPORTS)
  target_include_directories(${target} PUBLIC "${includeRoot}" "${VELLORO_GENERATED_INCLUDE_DIR}")

  set(links)
  foreach(link IN LISTS ARG_LINKS)
    if(link MATCHES "::")
      list(APPEND links ${link})
    elseif(IS_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/../${link}")
      list(APPEND links velloro_${link})
    else()
      message(FATAL_ERROR "src/velloro/${subsystem}: LINKS names \"${link}\", which is neither "
        "a subsystem folder nor a namespaced target (Qt6::Core, Velloro::kximage, ...)")
    endif()
  endforeach()
  target_link_libraries(${target} PUBLIC ${links})

  set_property(GLOBAL APPEND PROPERTY VELLORO_SUBSYSTEMS ${subsystem})
  set_property(GLOBAL APPEND PROPERTY VELLORO_PUBLIC_HEADERS ${publicHeaders})
endfunction()
