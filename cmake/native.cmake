# The platform-free core, built with the host compiler for unit tests, sanitizers and fuzzing.
if(AOF_FUZZ)
    if(EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
        add_subdirectory(tests/fuzz)
    endif()
    return()
endif()

if(AOF_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

add_library(aofcore STATIC ${AOF_CORE_SOURCES})
target_include_directories(aofcore PUBLIC ${CMAKE_SOURCE_DIR}/src)

enable_testing()
find_package(GTest REQUIRED)
file(GLOB AOF_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${AOF_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE aofcore GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests)
