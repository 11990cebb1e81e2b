# The kit's libraries, vsupport and vapi. Each is compiled once, with hidden
# visibility: only what its public headers declare (they switch default
# visibility on around their declarations) is seen from outside. From the
# same objects come three libraries:
#
#   NAME         the in-tree static library, every symbol linkable (file
#                libNAME-internal.a): vxhost, lindrel's tests, benchmarks and
#                fuzzers reach the internals through it.
#   NAME_shared  libNAME.so.MAJOR, exporting the public API only.
#   NAME_static  libNAME.a: the library's objects partially linked into one
#                whose hidden symbols are made local, so that no internal
#                name can clash with a client's. The default entry points
#                stay separate members, pulled in only when the client
#                program lacks its own.
#
# Lindrel::NAME is the shared one, or the static one when the consumer sets
# Lindrel_USE_STATIC_LIBS; Lindrel::NAME_shared and Lindrel::NAME_static name
# each. The installed CMake package gives the same names.
#
# lindrel_library(NAME SOURCES ... [DEFAULTS ...] [KIT_DEPENDS lib ...]
#                 [LIBS target ...])
function(lindrel_library name)
  cmake_parse_arguments(K "" "" "SOURCES;DEFAULTS;KIT_DEPENDS;LIBS" ${ARGN})
  set(public_include ${CMAKE_CURRENT_SOURCE_DIR}/include)

  set(parts objects)
  add_library(${name}_objects OBJECT ${K_SOURCES})
  if(K_DEFAULTS)
    list(APPEND parts defaults)
    add_library(${name}_defaults OBJECT ${K_DEFAULTS})
  endif()
  set(all_objects)
  foreach(part ${parts})
    set(t ${name}_${part})
    set_target_properties(${t} PROPERTIES
      POSITION_INDEPENDENT_CODE ON
      C_VISIBILITY_PRESET hidden
      CXX_VISIBILITY_PRESET hidden
      VISIBILITY_INLINES_HIDDEN ON)
    # Weak rather than "unique" template statics, so that they too can be
    # made local in the static library.
    target_compile_options(${t} PRIVATE $<$<COMPILE_LANG_AND_ID:CXX,GNU>:-fno-gnu-unique>)
    target_include_directories(${t} PRIVATE ${public_include} ${CMAKE_CURRENT_SOURCE_DIR})
    foreach(dep ${K_KIT_DEPENDS})
      target_include_directories(${t} PRIVATE ${${dep}_PUBLIC_INCLUDE})
    endforeach()
    target_link_libraries(${t} PRIVATE ${K_LIBS})
    list(APPEND all_objects $<TARGET_OBJECTS:${t}>)
  endforeach()
  set(${name}_PUBLIC_INCLUDE ${public_include} CACHE INTERNAL "")

  # In-tree: the internal headers beside the sources are on the path too.
  add_library(${name} STATIC ${all_objects})
  set_target_properties(${name} PROPERTIES OUTPUT_NAME ${name}-internal)
  target_include_directories(${name} PUBLIC ${public_include} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${K_KIT_DEPENDS} ${K_LIBS})

  if(LINDREL_FUZZ)
    return()  # fuzzers link the internal library only
  endif()

  add_library(${name}_shared SHARED ${all_objects})
  add_library(${name}_static STATIC)
  foreach(kind shared static)
    set(t ${name}_${kind})
    set_target_properties(${t} PROPERTIES OUTPUT_NAME ${name} EXPORT_NAME ${t} LINKER_LANGUAGE CXX)
    target_include_directories(${t} INTERFACE
      $<BUILD_INTERFACE:${public_include}>
      $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    list(TRANSFORM K_KIT_DEPENDS APPEND _${kind} OUTPUT_VARIABLE deps)
    target_link_libraries(${t} PUBLIC ${deps} ${K_LIBS})
    add_library(Lindrel::${t} ALIAS ${t})
  endforeach()
  set_target_properties(${name}_shared PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  target_link_options(${name}_shared PRIVATE
    -Wl,--version-script=${CMAKE_CURRENT_FUNCTION_LIST_DIR}/internal-names.map)
  set_property(TARGET ${name}_shared APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/internal-names.map)
  if(NOT LINDREL_SANITIZE)
    target_link_options(${name}_shared PRIVATE -Wl,--no-undefined)
  endif()

  set(merged ${CMAKE_CURRENT_BINARY_DIR}/${name}_merged.o)
  add_custom_command(OUTPUT ${merged}
    # Template instances (COMDAT groups) become plain sections of the merged
    # object: once made local they must not be dropped as duplicates of
    # another library's copy, which unoptimised builds have many of.
    COMMAND ${CMAKE_LINKER} -r --force-group-allocation -o ${merged} $<TARGET_OBJECTS:${name}_objects>
    # The same names the shared library keeps inside (internal-names.map).
    COMMAND ${CMAKE_OBJCOPY} --localize-hidden --wildcard --localize-symbol=_Z*
            --localize-symbol=__odr_asan* ${merged}
    DEPENDS $<TARGET_OBJECTS:${name}_objects>
    COMMAND_EXPAND_LISTS VERBATIM
    COMMENT "Merging ${name}'s objects, internal symbols made local")
  target_sources(${name}_static PRIVATE ${merged})
  if(K_DEFAULTS)
    target_sources(${name}_static PRIVATE $<TARGET_OBJECTS:${name}_defaults>)
  endif()
  # A static link needs the C++ runtime, even from a C program.
  target_link_libraries(${name}_static INTERFACE stdc++ m)

  if(Lindrel_USE_STATIC_LIBS)
    add_library(Lindrel::${name} ALIAS ${name}_static)
  else()
    add_library(Lindrel::${name} ALIAS ${name}_shared)
  endif()
endfunction()
