# Warnings are errors in every target of the project.
add_library(domora_warnings INTERFACE)
if(MSVC)
    target_compile_options(domora_warnings INTERFACE /W4 /WX /utf-8)
else()
    target_compile_options(domora_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor -Wold-style-cast
        -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
endif()
