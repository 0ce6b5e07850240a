# 64-bit Windows: the same tests under wine64 where the kernel refuses 32-bit programs.
set(mingw_arch x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
