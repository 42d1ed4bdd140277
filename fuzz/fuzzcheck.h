// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "global.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <vector>

// A broken invariant is a finding: name it and abort, so libFuzzer keeps the input.
inline void Require(bool holds, const char *invariant)
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

// Grids compared cell by cell in a plain loop: operator== would compare each column
// with memcmp, which goes through the fuzzer's comparison hook and fills its tables
// with the targets' own checks.
inline bool SameCells(const TTablo &a, const TTablo &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t x = 0; x < a.size(); ++x) {
        const std::vector<char> &left = a[x];
        const std::vector<char> &right = b[x];
        if (left.size() != right.size())
            return false;
        for (std::size_t y = 0; y < left.size(); ++y) {
            if (left[y] != right[y])
                return false;
        }
    }
    return true;
}

// Freed memory stays poisoned for a while to catch late use. An input frees a few
// kilobytes at most, so 32 MB still spans thousands of inputs, and a run holds far
// less than with the default 256 MB and the allocator's caches behind it.
//
// Every allocation and release is recorded with its stack, kept for good in the
// sanitizer's stack depot. The system's Qt libraries have no frame pointers, so past
// the first Qt frame the fast unwinder reads stale stack slots, and nearly every such
// trace would be new and kept. Two frames, where the block is taken or given back and
// its caller, are exact and few, so a run's memory stays flat. To see a finding's
// full allocation stacks, run its input again with ASAN_OPTIONS=malloc_context_size=30.
// Each target includes this header once.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the sanitizer runtime looks for this name.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=32:malloc_context_size=2";
}

// Fontconfig's configuration, parsed when Qt first lays out text, is never freed;
// the check at exit would report it as the last input's leak.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the sanitizer runtime looks for this name.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
