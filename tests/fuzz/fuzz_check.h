#pragma once

#include "reference_numbers.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Stops the run with an account of the broken promise; libFuzzer then saves
// the input that broke it as a crash file to replay.
[[noreturn]] inline void failCheck(std::string_view promise, std::string_view input,
                                   const std::string &actual, const std::string &expected)
{
    std::fprintf(stderr, "\nBROKEN: %.*s\n  input:    %s\n  actual:   %s\n  expected: %s\n",
                 static_cast<int>(promise.size()), promise.data(),
                 reference::escaped(input).c_str(), reference::escaped(actual).c_str(),
                 reference::escaped(expected).c_str());
    std::abort();
}

// The message strings are only built once a check has failed.
#define FUZZ_CHECK(holds, promise, input, actual, expected)                 \
    do {                                                                     \
        if (!(holds))                                                        \
            failCheck((promise), (input), (actual), (expected));             \
    } while (false)
