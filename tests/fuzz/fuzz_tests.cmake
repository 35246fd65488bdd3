# Builds the conversion fuzzers with clang and runs each for a few seconds
# in the test suite; scripts/fuzz.sh runs them for longer. Inputs the
# fuzzers find are kept in the build tree, the seeds in the repository are
# only read.
include(${CMAKE_CURRENT_LIST_DIR}/fuzz_targets.cmake)

set(ORLO_FUZZ_SECONDS 4 CACHE STRING "Seconds each conversion fuzzer runs in the test suite")
find_program(ORLO_FUZZ_CXX NAMES clang++ clang++-14)

set(fuzzSource ${CMAKE_CURRENT_LIST_DIR})
set(fuzzBinary ${CMAKE_CURRENT_BINARY_DIR}/fuzz)

if(NOT ORLO_FUZZ_CXX)
    add_test(NAME fuzz_build COMMAND ${CMAKE_COMMAND} -E echo "clang++ is missing: scripts/setup.sh installs it")
    set_tests_properties(fuzz_build PROPERTIES SKIP_REGULAR_EXPRESSION "clang\\+\\+ is missing" LABELS fuzz)
    return()
endif()

add_test(NAME fuzz_build
    COMMAND ${CMAKE_CTEST_COMMAND}
        --build-and-test ${fuzzSource} ${fuzzBinary}
        --build-generator ${CMAKE_GENERATOR}
        --build-noclean
        --build-options -DCMAKE_CXX_COMPILER=${ORLO_FUZZ_CXX})
set_tests_properties(fuzz_build PROPERTIES FIXTURES_SETUP conversion_fuzzers LABELS fuzz COST 70 TIMEOUT 1800)

file(MAKE_DIRECTORY ${fuzzBinary}/artifacts)
# One input taking half a minute has hung; no tighter limit, so a busy
# machine passes as an idle one does.
foreach(target IN LISTS ORLO_FUZZ_TARGETS)
    file(MAKE_DIRECTORY ${fuzzBinary}/found/${target})
    set(dictionary ${fuzzSource}/number.dict)
    if(EXISTS ${fuzzSource}/${target}.dict)
        set(dictionary ${fuzzSource}/${target}.dict)
    endif()
    add_test(NAME fuzz_${target}
        COMMAND ${fuzzBinary}/${target}_fuzz
            -max_total_time=${ORLO_FUZZ_SECONDS} -timeout=30
            -dict=${dictionary}
            -artifact_prefix=${fuzzBinary}/artifacts/${target}-
            ${fuzzBinary}/found/${target} ${fuzzSource}/corpus/${target})
    set_tests_properties(fuzz_${target} PROPERTIES FIXTURES_REQUIRED conversion_fuzzers LABELS fuzz)
endforeach()
