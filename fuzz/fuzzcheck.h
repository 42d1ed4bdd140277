#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: name it and abort, so libFuzzer keeps the input.
inline void Require(bool holds, const char *invariant)
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}
