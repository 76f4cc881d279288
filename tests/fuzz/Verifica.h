#pragma once

#include <cstdio>
#include <cstdlib>

// A property of a reader that must hold for every input: a failure stops the fuzzer with the
// input that broke it.
#define VERIFICA(condizione)                                                                       \
    do {                                                                                           \
        if (!(condizione)) {                                                                       \
            std::fprintf(stderr, "%s:%d: proprietà violata: %s\n", __FILE__, __LINE__,             \
                         #condizione);                                                             \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
