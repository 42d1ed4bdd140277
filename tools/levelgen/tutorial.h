// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "levelmaker.h"
#include "prng.h"

namespace levelgen
{

inline constexpr int TutorialCount = 10;

// Tutorial level `number` (1..TutorialCount): a drawn room with its targets, where the
// search places boxes and keeper so that the level shows the lesson's one idea.
TMadeLevel MakeTutorialLevel(TPrng &rng, int number);

} // namespace levelgen
