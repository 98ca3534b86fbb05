// SPDX-License-Identifier: GPL-3.0-or-later
#include "xp/OsGeneration.h"

int OsGeneration()
{
    static const int generation = kOtherSystem;
    return generation;
}

bool PopupsGetShadow(int generation)
{
    return generation < kShadowingSystem;
}
