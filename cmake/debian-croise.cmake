# Construction croisée pour une autre architecture Debian, tests sous
# qemu-user. Paquets : g++-<triplet> et qemu-user-static. Par exemple :
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/debian-croise.cmake -DDEBIAN_ARCH=armhf
# Sans binfmt_misc, l'émulateur est nommé, avec les bibliothèques de la cible.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DEBIAN_ARCH)
if(NOT DEBIAN_ARCH)
    message(FATAL_ERROR "DEBIAN_ARCH manque : l'architecture Debian visée (armhf, s390x, arm64...)")
endif()
execute_process(COMMAND dpkg-architecture -a ${DEBIAN_ARCH} -qDEB_HOST_GNU_TYPE
                OUTPUT_VARIABLE triplet OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
execute_process(COMMAND dpkg-architecture -a ${DEBIAN_ARCH} -qDEB_HOST_GNU_CPU
                OUTPUT_VARIABLE processeur OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT triplet)
    message(FATAL_ERROR "architecture Debian inconnue (ou dpkg-architecture absent) : ${DEBIAN_ARCH}")
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processeur})
set(CMAKE_C_COMPILER ${triplet}-gcc)
set(CMAKE_CXX_COMPILER ${triplet}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Le nom de qemu suit celui du processeur, à quelques exceptions près.
set(qemu ${processeur})
if(processeur MATCHES "^i.86$")
    set(qemu i386)
elseif(processeur STREQUAL "powerpc64le")
    set(qemu ppc64le)
elseif(processeur STREQUAL "powerpc64")
    set(qemu ppc64)
elseif(processeur STREQUAL "powerpc")
    set(qemu ppc)
endif()
find_program(QEMU NAMES qemu-${qemu}-static qemu-${qemu})
if(QEMU)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU} -L /usr/${triplet})
endif()
