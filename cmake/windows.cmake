# SETUP.EXE and the Win32 test programs (MinGW-w64 cross builds).
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Small, self-contained executables: no C++ runtime DLLs, unused sections dropped.
# msvcrt's own printf family instead of MinGW's portable one, and no unwind tables (the
# program has no exceptions).
set(AOF_SMALL_CODE -Os -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections
    -fno-asynchronous-unwind-tables -fno-unwind-tables)
add_compile_definitions(__USE_MINGW_ANSI_STDIO=0)
# cmake/small-sections.ld drops the runtime's unused unwind tables and folds its small
# sections into .data (3.5 KiB of the i686 SETUP.EXE).
set(AOF_SECTIONS_SCRIPT ${CMAKE_SOURCE_DIR}/cmake/small-sections.ld)
set(AOF_STATIC_LINK -static -static-libgcc -static-libstdc++ -Wl,--gc-sections
    -Wl,-T,${AOF_SECTIONS_SCRIPT})

# windres does not report the pictures and the icon as dependencies of the resources.
file(GLOB AOF_ART CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/ui/art/*.bmp ${CMAKE_SOURCE_DIR}/src/ui/art/*.ico)
set_source_files_properties(${AOF_RESOURCES} PROPERTIES OBJECT_DEPENDS
    "${AOF_ART};${CMAKE_SOURCE_DIR}/src/ui/setup.manifest;${CMAKE_SOURCE_DIR}/src/ui/resource_ids.h")

set(AOF_LIBRARY_SOURCES ${AOF_ALL_SOURCES})
list(REMOVE_ITEM AOF_LIBRARY_SOURCES ${AOF_WINMAIN} ${AOF_CHECKER_MAIN})
add_library(aofsetup STATIC ${AOF_LIBRARY_SOURCES})
target_include_directories(aofsetup PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(aofsetup PRIVATE ${AOF_SMALL_CODE})
target_link_libraries(aofsetup PUBLIC comctl32 shell32 advapi32 user32 gdi32 kernel32)

# A shipping program on the library: small, static, stripped, its size printed at every build.
function(aof_shipping_program target name)
    add_executable(${target} ${ARGN})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name} SUFFIX ".EXE")
    target_compile_options(${target} PRIVATE ${AOF_SMALL_CODE})
    target_link_options(${target} PRIVATE ${AOF_STATIC_LINK} -s)
    set_target_properties(${target} PROPERTIES LINK_DEPENDS ${AOF_SECTIONS_SCRIPT})
    target_link_libraries(${target} PRIVATE aofsetup)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}> -P ${CMAKE_SOURCE_DIR}/cmake/print-size.cmake
        VERBATIM)
endfunction()

aof_shipping_program(setup SETUP WIN32 ${AOF_WINMAIN} ${AOF_RESOURCES})
# AFUCHECK.EXE, the package author's checker: a console program on the same library.
aof_shipping_program(afucheck AFUCHECK ${AOF_CHECKER_MAIN})

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/wine/CMakeLists.txt)
    add_subdirectory(tests/wine)
endif()
add_subdirectory(tests/ui)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/scenarios/fixtures/CMakeLists.txt)
    add_subdirectory(tests/scenarios/fixtures)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/CMakeLists.txt)
    add_subdirectory(tools)
endif()
