# Cross-compiles for the Debian architecture DEB_HOST_ARCH with Debian's cross
# compiler (crossbuild-essential-ARCH; g++-riscv64-linux-gnu for riscv64) and
# runs the target's programs under qemu-user (qemu-user-static or qemu-user)
# with the libraries that came with the compiler.
set(targets
  # Debian  compiler and libraries  multiarch folder       qemu-user
  arm64     aarch64-linux-gnu       aarch64-linux-gnu      aarch64
  armhf     arm-linux-gnueabihf     arm-linux-gnueabihf    arm
  i386      i686-linux-gnu          i386-linux-gnu         i386
  ppc64el   powerpc64le-linux-gnu   powerpc64le-linux-gnu  ppc64le
  riscv64   riscv64-linux-gnu       riscv64-linux-gnu      riscv64
  s390x     s390x-linux-gnu         s390x-linux-gnu        s390x)
# Only the first column names an architecture: a triplet or a qemu name, found
# in another column, is no choice.
list(FIND targets "${DEB_HOST_ARCH}" at)
math(EXPR column "${at} % 4")
if(at LESS 0 OR NOT column EQUAL 0)
  message(FATAL_ERROR "DEB_HOST_ARCH is '${DEB_HOST_ARCH}'; set it to one of "
          "arm64, armhf, i386, ppc64el, riscv64 or s390x")
endif()
list(SUBLIST targets ${at} 4 target)
list(POP_FRONT target arch triplet multiarch cpu)
# try_compile reads this file again, in a project of its own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DEB_HOST_ARCH)

set(CMAKE_SYSTEM_NAME Linux)
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${triplet})
set(CMAKE_LIBRARY_ARCHITECTURE ${multiarch})
set(CMAKE_C_COMPILER ${triplet}-gcc)
set(CMAKE_CXX_COMPILER ${triplet}-g++)

# Under /usr, libraries go in Debian's multiarch folder, as GNUInstallDirs
# does it for native builds only.
if(CMAKE_INSTALL_PREFIX MATCHES "^/usr/?$")
  set(CMAKE_INSTALL_LIBDIR lib/${multiarch} CACHE PATH "Object code libraries")
endif()

find_program(QEMU_USER NAMES qemu-${cpu}-static qemu-${cpu} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU_USER} -L /usr/${triplet})

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
