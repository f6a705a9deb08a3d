# Cross build of the 64-bit Windows program with Debian's mingw-w64 (posix
# thread model): cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(QM_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
