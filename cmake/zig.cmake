# Construction avec le clang de Zig, qui apporte libc++ et les en-têtes et
# bibliothèques de macOS et de musl. ZIG est le programme zig, ZIG_CIBLE la
# cible de Zig : x86_64-macos et aarch64-macos (construits ici, lancés sur un
# Mac), ou x86_64-linux-musl (un programme statique, lancé ici). Par exemple :
#   cmake -S . -B build-musl -DCMAKE_TOOLCHAIN_FILE=cmake/zig.cmake -DZIG=zig -DZIG_CIBLE=x86_64-linux-musl
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZIG ZIG_CIBLE)
if(NOT ZIG OR NOT ZIG_CIBLE)
    message(FATAL_ERROR "ZIG (le programme zig) et ZIG_CIBLE (x86_64-macos, aarch64-macos, x86_64-linux-musl) manquent")
endif()
# Pour musl sur x86-64, le programme se lance sur cette machine même : ce
# n'est pas une construction croisée, et toute la suite s'y passe.
if(ZIG_CIBLE MATCHES "macos")
    set(CMAKE_SYSTEM_NAME Darwin)
    string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${ZIG_CIBLE})
endif()
# Un compilateur, un archiveur : chacun un script d'une ligne, la cible dedans.
foreach(outil c++ ar ranlib)
    set(option "")
    if(outil STREQUAL "c++")
        set(option " -target ${ZIG_CIBLE}")
    endif()
    file(WRITE ${CMAKE_BINARY_DIR}/zig-${outil} "#!/bin/sh\nexec \"${ZIG}\" ${outil}${option} \"$@\"\n")
    file(CHMOD ${CMAKE_BINARY_DIR}/zig-${outil} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                                                         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CMAKE_CXX_COMPILER ${CMAKE_BINARY_DIR}/zig-c++)
set(CMAKE_AR ${CMAKE_BINARY_DIR}/zig-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${CMAKE_BINARY_DIR}/zig-ranlib CACHE FILEPATH "")
# Zig construit libc++ pour la cible à sa première édition de liens, une
# fois par niveau d'optimisation : les essais de la configuration prennent
# celui de la construction, pour qu'il n'y en ait qu'une.
set(CMAKE_TRY_COMPILE_CONFIGURATION Release)
