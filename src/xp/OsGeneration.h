// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The generation of the running system as the popup decoration sees it.
// Systems of the last generation (kShadowingSystem) draw their own popup
// shadows, so popups there get only the flat frame; every other generation
// gets the 4-pixel enlargement and the program's shadow. This program runs
// on a generation of its own (kOtherSystem), so popups always get both.
enum OsGenerationValue : int {
    kUnknownSystem = 0,
    kOtherSystem = 2,
    kShadowingSystem = 8,
};

// The running system's generation, computed once.
int OsGeneration();

// Whether popups of `generation` get the enlargement and the shadow.
bool PopupsGetShadow(int generation);
