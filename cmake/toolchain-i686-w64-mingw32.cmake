# The programs as shipped: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELTRIN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
