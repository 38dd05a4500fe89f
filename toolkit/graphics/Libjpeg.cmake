# libjpeg for the cross build: Debian's libjpeg-turbo source (fetched by
# `quill` into the build tree, never committed) built with the same toolchain.
include(ExternalProject)
set(QUILL_LIBJPEG_SOURCE "${CMAKE_BINARY_DIR}/../libjpeg-turbo" CACHE PATH "libjpeg-turbo source tree")
if(NOT EXISTS "${QUILL_LIBJPEG_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "No libjpeg-turbo source at ${QUILL_LIBJPEG_SOURCE}; `./quill build` fetches it")
endif()
set(libjpeg_prefix "${CMAKE_BINARY_DIR}/libjpeg")
ExternalProject_Add(libjpeg_build
  SOURCE_DIR "${QUILL_LIBJPEG_SOURCE}"
  BINARY_DIR "${libjpeg_prefix}/build"
  INSTALL_DIR "${libjpeg_prefix}"
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR> -DENABLE_SHARED=OFF -DWITH_SIMD=OFF
             -DWITH_TURBOJPEG=OFF -DWITH_CRT_DLL=ON -DCMAKE_POLICY_VERSION_MINIMUM=3.5
  BUILD_BYPRODUCTS "${libjpeg_prefix}/lib/libjpeg.a"
)
file(MAKE_DIRECTORY "${libjpeg_prefix}/include")
add_library(libjpeg STATIC IMPORTED GLOBAL)
set_target_properties(libjpeg PROPERTIES
  IMPORTED_LOCATION "${libjpeg_prefix}/lib/libjpeg.a"
  INTERFACE_INCLUDE_DIRECTORIES "${libjpeg_prefix}/include")
add_dependencies(libjpeg libjpeg_build)
