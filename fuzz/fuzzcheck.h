#pragma once

#include <cstdio>
#include <cstdlib>

// A property of a fuzz target that does not hold: reported and aborted, so that libFuzzer
// keeps the input and the corpus replay fails. Active in every build type, unlike assert.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__,          \
                         #condition);                                                      \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)
