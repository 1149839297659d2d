# Cross-compiles the Windows programs on Debian with mingw-w64 (64-bit):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The POSIX thread model gives std::thread and std::mutex through winpthreads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KAVEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KAVEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAVEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KAVEL_MINGW_TRIPLET}-windres)

# Libraries, headers and CMake packages only from the Windows side, so that
# the machine's own GTest and Qt are never mistaken for Windows ones.
set(CMAKE_FIND_ROOT_PATH /usr/${KAVEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthreads linked in: the .exe needs only the DLLs
# every Windows has, and runs from a zip.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest and test discovery run the .exe files through Wine, in a prefix of
# the build folder's own.
get_filename_component(KAVEL_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KAVEL_SOURCE_DIR}/tests/windows/wine-run ${CMAKE_BINARY_DIR}/wine)
