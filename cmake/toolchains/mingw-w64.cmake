# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread):
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64.cmake \
#         -DQ7X_WINDOWS_DEPS=$(tools/windows/build-deps.sh)
#
# Q7X_WINDOWS_DEPS is the prefix holding the static libpng, libjpeg and GoogleTest built for Windows;
# pkg-config and find_package look there and in MinGW's own folder only. Programs run through Wine
# (tests, and the build's own tools run on the built programs).
set (CMAKE_SYSTEM_NAME Windows)
set (CMAKE_SYSTEM_PROCESSOR x86_64)

set (Q7X_MINGW_TRIPLET x86_64-w64-mingw32)
set (CMAKE_C_COMPILER ${Q7X_MINGW_TRIPLET}-gcc-posix)
set (CMAKE_CXX_COMPILER ${Q7X_MINGW_TRIPLET}-g++-posix)
set (CMAKE_RC_COMPILER ${Q7X_MINGW_TRIPLET}-windres)

set (Q7X_WINDOWS_DEPS "" CACHE PATH "Prefix of the libraries built by tools/windows/build-deps.sh")
set (CMAKE_FIND_ROOT_PATH /usr/${Q7X_MINGW_TRIPLET} ${Q7X_WINDOWS_DEPS})
set (CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set (CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set (CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set (CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if (Q7X_WINDOWS_DEPS)
    set (ENV{PKG_CONFIG_LIBDIR} ${Q7X_WINDOWS_DEPS}/lib/pkgconfig)
    set (ENV{PKG_CONFIG_PATH} "")
endif()

# Debian's JUCE: the module sources are the same for every platform, and its juceaide runs here.
set (JUCE_DIR /usr/lib/x86_64-linux-gnu/cmake/JUCE-7.0.5 CACHE PATH "Debian's JUCE CMake package")

find_program (Q7X_WINE wine)
set (CMAKE_CROSSCOMPILING_EMULATOR ${Q7X_WINE})

# Statically linked: the programs need nothing but Windows' own DLLs.
set (CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
