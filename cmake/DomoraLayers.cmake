# Each layer is reached through an include root of its own in the build tree that holds
# only that layer (a link named after it). A target sees a layer's headers only when it
# links the layer, so core cannot include platform or UI headers and nothing but the UI
# sees Qt.
function(domora_layer target layer)
    set(root ${CMAKE_BINARY_DIR}/layers/${layer})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${layer})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} COPY_ON_ERROR SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PRIVATE domora_warnings)
endfunction()
