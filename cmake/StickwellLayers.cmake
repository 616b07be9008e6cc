# The area libraries and the direction of their dependencies.
#
# stickwell_area_library(name dir [DEPENDS lib...] [WHOLE_ARCHIVE])
#   A static library of the sources under dir. It exports dir itself (for
#   #include "Header.h") and a folder in the build tree that holds dir under its
#   own relative path (for #include "dir/Header.h"). Both reach only the
#   targets that link the library, so a file sees only the areas below it.
#   WHOLE_ARCHIVE: classes of the library are created by name (serialization,
#   document templates); every target that links it takes all its objects.
#
# stickwell_link(target lib...)
#   Links a program with the named libraries and what they stand on.
#
# stickwell_header_library(name dir [DEPENDS lib...]), stickwell_resources([DEPENDS lib...])
#   Headers (and resource scripts) without code, standing on the named libraries.
#
# stickwell_layer_check()
#   The build stops when a library names one of its own floor or above, or a file of any
#   library includes a header of a folder that the library does not stand on (as
#   CMakeLists.txt names them), or names a header through a macro (cmake/CheckLayers.cmake).

set(STICKWELL_LAYER_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/layers)

# A folder that holds only <relative dir> (a link to the source folder).
function(stickwell_layer_include out name dir)
    set(root ${STICKWELL_LAYER_INCLUDE_ROOT}/${name})
    get_filename_component(parent ${root}/${dir} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT EXISTS ${root}/${dir})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dir} ${root}/${dir} SYMBOLIC)
    endif()
    set(${out} ${root} PARENT_SCOPE)
endfunction()

# The link item of a library: whole archive where classes are created by name.
function(stickwell_link_item out lib)
    get_property(whole GLOBAL PROPERTY STICKWELL_WHOLE_${lib})
    if(whole)
        set(${out} "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>" PARENT_SCOPE)
    else()
        set(${out} ${lib} PARENT_SCOPE)
    endif()
endfunction()

# Headers without code (#include "dir/Header.h"), standing on the DEPENDS libraries.
function(stickwell_header_library name dir)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    add_library(${name} INTERFACE)
    set_property(GLOBAL APPEND PROPERTY STICKWELL_HEADER_DIRS ${dir})
    stickwell_layer_include(inc ${name} ${dir})
    target_include_directories(${name} INTERFACE ${inc})
    if(ARG_DEPENDS)
        target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
    endif()
endfunction()

# Resource identifiers and scripts (#include "resources/resource.h").
function(stickwell_resources)
    stickwell_header_library(resources resources ${ARGN})
endfunction()

function(stickwell_area_library name dir)
    cmake_parse_arguments(ARG "WHOLE_ARCHIVE" "" "DEPENDS" ${ARGN})
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.c)
    list(FILTER srcs EXCLUDE REGEX "/exe/")
    if(NOT srcs)
        return()
    endif()
    add_library(${name} STATIC ${srcs})
    set_property(GLOBAL APPEND PROPERTY STICKWELL_AREAS ${name})
    set_property(GLOBAL APPEND PROPERTY STICKWELL_AREA_DIRS ${dir})
    stickwell_layer_include(inc ${name} ${dir})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/${dir} ${inc})
    if(ARG_WHOLE_ARCHIVE)
        set_property(GLOBAL PROPERTY STICKWELL_WHOLE_${name} ON)
    endif()
    foreach(dep ${ARG_DEPENDS})
        if(TARGET ${dep})
            stickwell_link_item(item ${dep})
            target_link_libraries(${name} PUBLIC ${item})
        endif()
    endforeach()
    if(NOT ARG_DEPENDS)
        # The bottom: the system libraries come after every project library.
        target_link_libraries(${name} INTERFACE ${STICKWELL_SYSTEM_LIBS})
    endif()
endfunction()

function(stickwell_link target)
    foreach(lib ${ARGN})
        if(NOT TARGET ${lib})
            message(FATAL_ERROR "${target}: no library ${lib}")
        endif()
        stickwell_link_item(item ${lib})
        target_link_libraries(${target} PRIVATE ${item})
    endforeach()
    target_link_libraries(${target} PRIVATE ${STICKWELL_SYSTEM_LIBS})
endfunction()

set(STICKWELL_LAYER_CHECK_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake)

function(stickwell_layer_check)
    get_property(dirs GLOBAL PROPERTY STICKWELL_AREA_DIRS)
    get_property(header_dirs GLOBAL PROPERTY STICKWELL_HEADER_DIRS)
    set(files ${CMAKE_SOURCE_DIR}/CMakeLists.txt)
    foreach(dir ${dirs} ${header_dirs})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS
            ${CMAKE_SOURCE_DIR}/${dir}/*.h ${CMAKE_SOURCE_DIR}/${dir}/*.hpp
            ${CMAKE_SOURCE_DIR}/${dir}/*.inl ${CMAKE_SOURCE_DIR}/${dir}/*.rc
            ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.c)
        list(APPEND files ${found})
    endforeach()
    set(stamp ${CMAKE_BINARY_DIR}/layer_check.stamp)
    set(command ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -P ${STICKWELL_LAYER_CHECK_SCRIPT})
    set(STICKWELL_LAYER_CHECK_COMMAND ${command} PARENT_SCOPE)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${command}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${files} ${STICKWELL_LAYER_CHECK_SCRIPT}
        COMMENT "Checking that each library includes only the libraries it stands on"
        VERBATIM)
    add_custom_target(layer_check DEPENDS ${stamp})
    # Every area library waits for the check, so no object is built past a violation.
    get_property(areas GLOBAL PROPERTY STICKWELL_AREAS)
    foreach(t ${areas})
        add_dependencies(${t} layer_check)
    endforeach()
endfunction()
