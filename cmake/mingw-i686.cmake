# Cross build of the 32-bit Windows program with Debian's mingw-w64 (posix
# thread model): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(QM_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
