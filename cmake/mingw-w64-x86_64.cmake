# Cross-building for 64-bit Windows with mingw-w64 on Linux. The posix thread model is
# needed: the win32 one lacks std::thread and std::mutex. Programs are linked statically,
# so they run without the compiler's DLLs, and run under Wine through cmake/wine-run.sh,
# which keeps a Wine prefix of its own under the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DOMORA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DOMORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DOMORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${DOMORA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DOMORA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Each program runs as: wine-run.sh <prefix> <program> <arguments>.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
