# Per-target defaults: every target of the project calls project_defaults() instead of relying on
# directory-wide flags, so each target states its own language level, warnings and sanitizers.

function(project_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion)
    if(WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    # In a unity build GCC takes every file after the first for a header, and warns of test
    # fixtures in an anonymous namespace as it would in a header.
    target_compile_options(${target} PRIVATE
        $<$<BOOL:$<TARGET_PROPERTY:UNITY_BUILD>>:-Wno-subobject-linkage>)
    # The sanitizers find the same faults in code built for debugging, which builds in two thirds
    # of the time (-Og: GCC 12's -O1 warns falsely inside std::string).
    if(SANITIZE)
        target_compile_options(${target} PRIVATE "$<$<NOT:$<CONFIG:Debug>>:-Og;-g1>")
    endif()
    if(SANITIZE STREQUAL "thread")
        target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=thread)
    elseif(SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# Qt targets: the same defaults with moc. Qt's imported include folders already reach the compiler
# as system folders (-isystem), so its headers stay quiet under our warnings.
function(project_qt_defaults target)
    project_defaults(${target})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
endfunction()

# Qt's widget headers and GoogleTest's take seconds to parse for every file: the large Qt targets
# and the test programs compile their files in batches of eight (unity builds), each batch parsing
# them once. The other targets keep one file per unit, so that a file missing an include of its
# own still fails to build.
function(project_batch_sources target)
    if(BATCH_SOURCES)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    endif()
endfunction()

# A GoogleTest executable in one call: project_test(name [QT] SOURCES … LIBS … [DEFINES …]
# LABELS …). QT gives it the Qt defaults (moc); LABELS as for project_add_gtest.
function(project_test target)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;DEFINES;LABELS" ${ARGN})
    # A misspelt keyword would otherwise drop its words, or the test's label, without a sound.
    if(ARG_UNPARSED_ARGUMENTS OR NOT ARG_SOURCES OR NOT ARG_LABELS)
        message(FATAL_ERROR "project_test(${target}): SOURCES and LABELS are needed; not understood: "
                            "${ARG_UNPARSED_ARGUMENTS}")
    endif()
    add_executable(${target} ${ARG_SOURCES})
    if(ARG_QT)
        project_qt_defaults(${target})
    else()
        project_defaults(${target})
    endif()
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    # Test programs gain nothing from -O2 but a third of their build time; the code under test
    # keeps it.
    target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Og>)
    project_batch_sources(${target})
    if(ARG_DEFINES)
        target_compile_definitions(${target} PRIVATE ${ARG_DEFINES})
    endif()
    project_add_gtest(${target} LABELS ${ARG_LABELS})
endfunction()

# Registers a GoogleTest executable with CTest. LABELS: "core" for plain C++ tests (also run under
# the sanitizers), "gui" for offscreen Qt tests, "e2e" for tests on pseudo-terminals or a host.
function(project_add_gtest target)
    cmake_parse_arguments(ARG "" "" "LABELS" ${ARGN})
    # A cross-built test runs through the emulator (Wine) as one test: listing its cases first
    # would start the emulator once more for every executable at build time.
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES LABELS "${ARG_LABELS}")
        return()
    endif()
    include(GoogleTest)
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Code that ends up inside a dlopen()ed plug-in. GCC marks moc and template statics as
# STB_GNU_UNIQUE, which pins a library in memory so dlclose() cannot unmap it; -fno-gnu-unique
# keeps unloading real. Position-independent so static libraries can be linked into the module.
function(project_module_code target)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -fno-gnu-unique)
    endif()
endfunction()
