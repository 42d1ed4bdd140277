// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// Built only by the core_layering test, which expects it not to compile: the core
// library exports its own folder alone, so a window header is not found.
#include "fplay2d.h"

int main()
{
    return 0;
}
