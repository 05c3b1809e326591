# The same sources as 64-bit Windows programs, for test machines whose kernel
# cannot run 32-bit code (and so no 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELTRIN_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
