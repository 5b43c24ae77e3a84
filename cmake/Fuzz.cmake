# add_fuzz_target(NAME SOURCES src... LIBS lib... CORPUS dir)
# Always builds NAME-replay, a plain executable that feeds every file of the corpus to
# LLVMFuzzerTestOneInput, and registers it with CTest (label "core" and "fuzz"). With
# BUILD_FUZZERS on a clang toolchain it also builds NAME, the libFuzzer executable.
function(add_fuzz_target name)
    cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
    add_executable(${name}-replay ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/common/replay_main.cpp)
    project_defaults(${name}-replay)
    target_link_libraries(${name}-replay PRIVATE ${ARG_LIBS})
    add_test(NAME fuzz-replay-${name} COMMAND ${name}-replay ${ARG_CORPUS})
    set_tests_properties(fuzz-replay-${name} PROPERTIES LABELS "core;fuzz")
    if(BUILD_FUZZERS AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        add_executable(${name} ${ARG_SOURCES})
        project_defaults(${name})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    endif()
endfunction()
