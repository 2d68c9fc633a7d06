# libjpeg-turbo for the Windows builds, as target tarnova_jpeg (libjpeg 6b API).
#
# The native build links Debian's libjpeg62-turbo-dev. MinGW has no such
# package, so Debian's own source package of that same version (fetched by
# scripts/fetch-libjpeg-source) is cross-compiled here with the toolchain file
# of this build, SIMD included, and linked statically: the program then needs
# no JPEG DLL beside it and decodes exactly as the native build does.
#
# The library is built once per build folder, under deps/, and only again
# when its configure step changes.

include(ExternalProject)

get_filename_component(_tarnova_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
# Where scripts/fetch-libjpeg-source unpacks Debian's 1:2.1.5-2 source.
set(_tarnova_libjpeg_default_source "${_tarnova_root}/build/deps/libjpeg-turbo-2.1.5")
set(TARNOVA_LIBJPEG_SOURCE "${_tarnova_libjpeg_default_source}" CACHE PATH
  "Unpacked libjpeg-turbo source tree built for the Windows targets")

if(NOT EXISTS "${TARNOVA_LIBJPEG_SOURCE}/CMakeLists.txt")
  if(NOT TARNOVA_LIBJPEG_SOURCE STREQUAL _tarnova_libjpeg_default_source)
    message(FATAL_ERROR "TARNOVA_LIBJPEG_SOURCE=${TARNOVA_LIBJPEG_SOURCE} holds no "
      "libjpeg-turbo source tree (no CMakeLists.txt there).")
  endif()
  message(STATUS "Fetching Debian's libjpeg-turbo source")
  execute_process(
    COMMAND bash "${_tarnova_root}/scripts/fetch-libjpeg-source"
    RESULT_VARIABLE _tarnova_fetch_result
    OUTPUT_VARIABLE _tarnova_fetch_output
    ERROR_VARIABLE _tarnova_fetch_errors)
  if(NOT _tarnova_fetch_result EQUAL 0
     OR NOT EXISTS "${TARNOVA_LIBJPEG_SOURCE}/CMakeLists.txt")
    message(FATAL_ERROR "scripts/fetch-libjpeg-source could not provide the "
      "libjpeg-turbo source in ${TARNOVA_LIBJPEG_SOURCE} (exit status: "
      "${_tarnova_fetch_result}). It needs apt-get, dpkg-dev and access to the "
      "Debian archive; or unpack the source yourself and set "
      "TARNOVA_LIBJPEG_SOURCE. Its output:\n${_tarnova_fetch_errors}")
  endif()
endif()

# The SIMD code is NASM assembly; without it the library would silently fall
# back to plain C, several times slower, so its absence is an error here.
find_program(TARNOVA_NASM nasm)
if(NOT TARNOVA_NASM)
  message(FATAL_ERROR "nasm not found: the Windows builds of libjpeg-turbo "
    "need it for their SIMD code (apt-get install nasm).")
endif()

# Built with the very compiler this build uses, which the toolchain file names.
if(NOT CMAKE_TOOLCHAIN_FILE)
  message(FATAL_ERROR "The Windows builds are cross builds: configure them "
    "with -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake or mingw-i686.cmake.")
endif()
get_filename_component(_tarnova_toolchain "${CMAKE_TOOLCHAIN_FILE}" ABSOLUTE
  BASE_DIR "${CMAKE_BINARY_DIR}")
set(_tarnova_libjpeg_prefix "${PROJECT_BINARY_DIR}/deps/libjpeg")
set(_tarnova_libjpeg_library "${_tarnova_libjpeg_prefix}/lib/libjpeg.a")

ExternalProject_Add(tarnova_libjpeg_build
  SOURCE_DIR "${TARNOVA_LIBJPEG_SOURCE}"
  PREFIX "${PROJECT_BINARY_DIR}/deps/libjpeg-work"
  BINARY_DIR "${PROJECT_BINARY_DIR}/deps/libjpeg-work/build"
  INSTALL_DIR "${_tarnova_libjpeg_prefix}"
  CMAKE_GENERATOR "${CMAKE_GENERATOR}"
  CMAKE_ARGS
    "-DCMAKE_TOOLCHAIN_FILE=${_tarnova_toolchain}"
    -DCMAKE_BUILD_TYPE=Release
    # Its default prefix for Windows is a "c:/..." path, which its configure
    # step rejects on this machine.
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    # Absolute: it would resolve relative ones against its build folder.
    -DCMAKE_INSTALL_LIBDIR=<INSTALL_DIR>/lib
    -DCMAKE_INSTALL_INCLUDEDIR=<INSTALL_DIR>/include
    -DENABLE_SHARED=0
    -DENABLE_STATIC=1
    -DWITH_TURBOJPEG=0
    -DWITH_SIMD=1
    -DREQUIRE_SIMD=1
    "-DCMAKE_ASM_NASM_COMPILER=${TARNOVA_NASM}"
    # Its build files predate a policy newer CMake warns about; not ours to fix.
    -Wno-dev
  BUILD_BYPRODUCTS "${_tarnova_libjpeg_library}"
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_INSTALL ON
  LOG_OUTPUT_ON_FAILURE ON)

# The headers only appear once the external build has installed them, but
# an imported target must name an existing include folder when configured.
file(MAKE_DIRECTORY "${_tarnova_libjpeg_prefix}/include")

add_library(tarnova_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(tarnova_jpeg PROPERTIES
  IMPORTED_LOCATION "${_tarnova_libjpeg_library}"
  INTERFACE_INCLUDE_DIRECTORIES "${_tarnova_libjpeg_prefix}/include")
add_dependencies(tarnova_jpeg tarnova_libjpeg_build)
