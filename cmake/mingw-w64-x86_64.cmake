# Cross-builds Hardlens for 64-bit Windows with Debian's mingw-w64 compilers:
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DHARDLENS_BUILD_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HARDLENS_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model gives the standard library its threads and mutexes.
find_program(CMAKE_C_COMPILER NAMES ${HARDLENS_MINGW_TRIPLET}-gcc-posix ${HARDLENS_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${HARDLENS_MINGW_TRIPLET}-g++-posix ${HARDLENS_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${HARDLENS_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HARDLENS_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained programs: no compiler runtime DLLs to carry around or to find under wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
