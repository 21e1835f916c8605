# Cross build of the 32-bit Windows DLL with mingw-w64. Its tests build but
# cannot run where the kernel lacks 32-bit emulation.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TRALVEX_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
