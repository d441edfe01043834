# cmake -DFROM=<folder> -DTO=<folder> -P CopyMissing.cmake
# Copies the files of FROM into TO, each only when TO does not have it yet, so that a
# rebuild never overwrites what the program has written beside itself (the alarm file, the
# server list the user extended).
file(GLOB_RECURSE files RELATIVE ${FROM} ${FROM}/*)
foreach(file ${files})
    if(NOT EXISTS ${TO}/${file})
        get_filename_component(folder ${TO}/${file} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(COPY_FILE ${FROM}/${file} ${TO}/${file})
    endif()
endforeach()
