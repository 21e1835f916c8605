# Cross build of the 64-bit Windows DLL and its tests with mingw-w64. The
# -posix compilers carry std::mutex and std::thread; the plain names may point
# to the win32 thread model, which lacks them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRALVEX_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
