# Shared helpers for the project's CMake files.

set(ORBISTO_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Woverloaded-virtual -Wno-unused-parameter)

function(orbisto_setup_target target)
    target_compile_options(${target} PRIVATE ${ORBISTO_WARNINGS})
    target_compile_definitions(${target} PRIVATE QT_NO_CONTEXTLESS_CONNECT QT_USE_QSTRINGBUILDER)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# orbisto_add_layer(name deps...): a static library that folders fill with target_sources().
function(orbisto_add_layer name)
    add_library(${name} STATIC)
    target_link_libraries(${name} PUBLIC ${ARGN})
    orbisto_setup_target(${name})
    # Program code spells out every conversion from 8-bit text; tests may be terser.
    target_compile_definitions(${name} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_URL_CAST_FROM_STRING)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# Where the data folder is found at run time: next to the executable in the build tree
# (a symlink to the source data/), under the platform data dir once installed.
set(ORBISTO_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/orbisto)

# orbisto_add_test(name SOURCES files... [LIBS libs...] [GUI]): a Qt Test executable under CTest.
# Tests run headless (offscreen platform) with a private XDG_CONFIG_HOME.
function(orbisto_add_test name)
    cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    orbisto_setup_target(${name})
    target_compile_definitions(${name} PRIVATE
        ORBISTO_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/fixtures"
        ORBISTO_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data"
        ORBISTO_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set(ambiente "QT_QPA_PLATFORM=offscreen")
    if(ORBISTO_SANITIZE)
        # Stop at the first report, whatever the environment says.
        list(APPEND ambiente
            "ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=0:strict_string_checks=1"
            "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${ambiente}"
        TIMEOUT 120)
endfunction()

# orbisto_add_benchmark(name SOURCES files... [LIBS libs...]): a QBENCHMARK program, not run by CTest.
function(orbisto_add_benchmark name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${B_LIBS})
    orbisto_setup_target(${name})
    target_compile_definitions(${name} PRIVATE ORBISTO_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
endfunction()
