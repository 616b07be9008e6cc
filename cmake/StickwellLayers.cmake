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
# stickwell_layer_check(dir... FORBID dir...)
#   The build stops when a file of the first folders includes a header of the
#   forbidden folders.

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

# Headers without code (#include "dir/Header.h").
function(stickwell_header_library name dir)
    add_library(${name} INTERFACE)
    stickwell_layer_include(inc ${name} ${dir})
    target_include_directories(${name} INTERFACE ${inc})
endfunction()

# Resource identifiers (#include "resources/resource.h").
function(stickwell_resources)
    stickwell_header_library(resources resources)
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
    cmake_parse_arguments(ARG "" "" "FORBID" ${ARGN})
    set(checked ${ARG_UNPARSED_ARGUMENTS})
    set(files "")
    foreach(dir ${checked})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS
            ${CMAKE_SOURCE_DIR}/${dir}/*.h ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.c)
        list(APPEND files ${found})
    endforeach()
    set(stamp ${CMAKE_BINARY_DIR}/layer_check.stamp)
    string(REPLACE ";" "," checked_arg "${checked}")
    string(REPLACE ";" "," forbid_arg "${ARG_FORBID}")
    set(STICKWELL_LAYER_CHECK_COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR}
        -DCHECKED=${checked_arg} -DFORBID=${forbid_arg} -P ${STICKWELL_LAYER_CHECK_SCRIPT}
        PARENT_SCOPE)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DCHECKED=${checked_arg}
                -DFORBID=${forbid_arg} -P ${STICKWELL_LAYER_CHECK_SCRIPT}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${files} ${STICKWELL_LAYER_CHECK_SCRIPT}
        COMMENT "Checking that ${checked} include nothing of ${ARG_FORBID}"
        VERBATIM)
    add_custom_target(layer_check DEPENDS ${stamp})
    # Every area library waits for the check, so no object is built past a violation.
    foreach(t classlib ado data model uifoundation uibars output appcore)
        if(TARGET ${t})
            add_dependencies(${t} layer_check)
        endif()
    endforeach()
endfunction()
