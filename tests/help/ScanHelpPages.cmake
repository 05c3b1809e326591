# Writes the header that names every help page the programs open: each
# string literal "<name>.htm" in the sources of the cleaner and the editor.
#   cmake -DROOT=<source tree> -DOUT=<header> -P ScanHelpPages.cmake
file(GLOB_RECURSE sources ${ROOT}/cleaner/*.cpp ${ROOT}/editor/*.cpp)
set(pages "")
foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "\"[a-z0-9.]+\\.htm\"")
    foreach(line ${lines})
        string(REGEX MATCHALL "\"[a-z0-9.]+\\.htm\"" names "${line}")
        list(APPEND pages ${names})
    endforeach()
endforeach()
list(REMOVE_DUPLICATES pages)
list(SORT pages)
list(JOIN pages ",\n    " list)
file(WRITE ${OUT}.new "// Written by the build: the help pages named in the programs' code.
#pragma once

const char* const kHelpPagesInCode[] = {
    ${list}};
")
configure_file(${OUT}.new ${OUT} COPYONLY)
file(REMOVE ${OUT}.new)
