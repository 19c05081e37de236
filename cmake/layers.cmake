# The program's layers: one static library per folder of src/, each linking only the layers it
# names after USES (and, through them, what those use). A layer's headers are reachable only
# through an include root of its own that holds nothing but a link to its folder, so an include
# of a layer the target does not link fails to compile. scripts/include-graph.py reads the
# vx_layer lines of CMakeLists.txt to check the folders' include graph.

set(VX_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

# vx_layer(NAME [QT] [USES layer...] [EXCLUDE file...]): the library veltranix_NAME from
# src/NAME/**.cpp without the EXCLUDE files (a program's main function).
function(vx_layer name)
    cmake_parse_arguments(LAYER "QT" "" "USES;EXCLUDE" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
    foreach(excluded IN LISTS LAYER_EXCLUDE)
        list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/src/${name}/${excluded})
    endforeach()
    if(LAYER_QT)
        file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.h)
        list(APPEND sources ${headers})
    endif()
    add_library(veltranix_${name} STATIC ${sources})
    set(root ${VX_LAYER_ROOTS}/${name})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
    target_include_directories(veltranix_${name} PUBLIC ${root})
    foreach(used IN LISTS LAYER_USES)
        target_link_libraries(veltranix_${name} PUBLIC veltranix_${used})
    endforeach()
    if(LAYER_QT)
        set_target_properties(veltranix_${name} PROPERTIES AUTOMOC ON)
    else()
        # The search's errors must have the same bits whatever the instruction set: no fused
        # multiply-add anywhere in the core.
        target_compile_options(veltranix_${name} PRIVATE -ffp-contract=off)
    endif()
endfunction()
