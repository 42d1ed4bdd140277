// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis.h"
#include "prng.h"
#include "puzzle.h"
#include "reversesearch.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace levelgen
{

// `count` target cells among `allowed`, each one a lone box can be pulled at least two
// pushes away from: with the given chance a store gathered around a far cell, else
// scattered. Empty when there are too few such cells.
std::vector<int> PlaceTargets(TPrng &rng, const TRoom &room, int count, TCellSet allowed,
                              int storePercent);

// A keeper cell in `area`, off the targets when the area allows.
int PickKeeper(TPrng &rng, const std::vector<int> &area, const std::vector<int> &targets);

// The forward pushes from `state` to the solved position along the search's parents.
std::vector<TPush> PushesFrom(const TReverseSearch &search, const TRoom &room, std::uint32_t state);

// A start reached from `from` by `pulls` pulls drawn at random, each of a box of
// `pullable` (followed as it moves; the other boxes stand still), the keeper walking
// anywhere he can between them: solvable whenever `from` is, its optimum unknown. The
// keeper starts on a cell drawn at random in his area of `from`, or on any free cell
// when from.Keeper < 0 (a solved position, which any area solves). While a pulled box
// stands on a target the pulls go on, up to four times as many; a box may still end
// on one.
TPuzzle PulledStart(TPrng &rng, const TPuzzle &from, TCellSet pullable, int pulls);

struct TCandidate {
    std::uint32_t State;
    int Score;
};

// Lets a caller turn down a state, given its forward pushes.
using TStateFilter = std::function<bool(std::uint32_t state, const std::vector<TPush> &pushes)>;

// The best-scoring states of depth minPushes..maxPushes with no box on a target, best
// first, at most `kept`; large layers are sampled evenly. `accept` may be empty. The
// score adds pushes, twice the box changes, the box lines, and `detourWeight` times
// the detour over the matching bound.
std::vector<TCandidate> BestCandidates(const TReverseSearch &search, const TRoom &room,
                                       TCellSet targets, int minPushes, int maxPushes,
                                       std::size_t kept, const TStateFilter &accept,
                                       int detourWeight = 3);

} // namespace levelgen
