# Cross build for Windows with mingw-w64. The including toolchain file sets
# VELTRIN_MINGW_TRIPLET (i686-w64-mingw32 or x86_64-w64-mingw32).
set(CMAKE_SYSTEM_NAME Windows)

# The -posix variants: the -win32 thread model of mingw's g++ has no std::mutex.
find_program(CMAKE_C_COMPILER NAMES ${VELTRIN_MINGW_TRIPLET}-gcc-posix ${VELTRIN_MINGW_TRIPLET}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${VELTRIN_MINGW_TRIPLET}-g++-posix ${VELTRIN_MINGW_TRIPLET}-g++
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VELTRIN_MINGW_TRIPLET}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${VELTRIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
