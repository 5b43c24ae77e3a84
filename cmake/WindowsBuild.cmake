# The Windows build (see mingw-w64-x86_64.cmake): no Qt, no emulators. The plain cores,
# vrk410-cli.exe and attrcheck.exe, and the cores' unit tests, run under Wine by CTest.

# GoogleTest from Debian's sources, built with the cross compiler.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to cross-build")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# (GoogleTest's own CMake files name the GTest::gtest and GTest::gtest_main aliases.)

# localtime_r and the other POSIX thread-safe calls of the C library, as mingw-w64 offers them.
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS=200112L)
# GCC 12 reports a false overlap inside std::string's own copy (-Wrestrict, GCC bug 105329).
add_compile_options(-Wno-restrict)

foreach(folder text files interfaces link transcript survey convert import commands serial cli)
    add_subdirectory(transfer/${folder})
endforeach()
add_subdirectory(attrsetup/schema)
add_subdirectory(attrsetup/attrcheck)

foreach(folder text files link transcript convert import survey commands)
    add_subdirectory(tests/transfer/${folder})
endforeach()
add_subdirectory(tests/attrsetup/schema)
