#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property is a crash, so that libFuzzer stops and keeps the input that shows it.
inline void require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", property);
        std::abort();
    }
}
