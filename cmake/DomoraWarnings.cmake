# The warnings of every target of the project. They are errors only with DOMORA_WERROR
# (the developer presets, the test scripts and CI): a user's build with another compiler
# version must not fail on a warning that version adds or gets wrong.
add_library(domora_warnings INTERFACE)
if(MSVC)
    target_compile_options(domora_warnings INTERFACE /W4 $<$<BOOL:${DOMORA_WERROR}>:/WX> /utf-8)
else()
    target_compile_options(domora_warnings INTERFACE
        -Wall -Wextra -Wpedantic $<$<BOOL:${DOMORA_WERROR}>:-Werror> -Wshadow -Wnon-virtual-dtor
        -Wold-style-cast -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
endif()
