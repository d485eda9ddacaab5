// A broken invariant stops a fuzz target with the line and the condition, as a crash would.
#pragma once

#include <cstdio>
#include <cstdlib>

#define Check(ok)                                                                     \
    do {                                                                              \
        if (!(ok)) {                                                                  \
            std::fprintf(stderr, "invariant broken at line %d: %s\n", __LINE__, #ok); \
            std::abort();                                                             \
        }                                                                             \
    } while (0)
