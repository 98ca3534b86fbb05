// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The typical bitrate, in kbit/s, of a result at LAME's variable-bitrate
// quality `quality` (0 best to 9), for "Skip sources at or below the target
// bitrate": a source already at or below what the quality typically spends
// gains nothing from it. The figures are the average bitrates LAME's own
// documentation (its usage notes on -V) and the Hydrogenaudio LAME
// recommendations list for LAME 3.98 and later on typical music:
// V0 245, V1 225, V2 190, V3 175, V4 165, V5 130, V6 115, V7 100, V8 85,
// V9 65. Quality outside 0-9 is taken as the nearest end.
int VbrTypicalKbps(int quality);
