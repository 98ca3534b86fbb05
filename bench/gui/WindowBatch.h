// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The window's queue and workers timed as a user meets them (offscreen, the
// real scheduler timing): child modes of vorlanta-bench-gui that the batch
// section of vorlanta-bench runs beside the command line.
namespace WindowBatch {

// Converts every .mp3 in `sources` into `results` through the job table
// with `simultaneous` conversions at once; prints the wall seconds from the
// first job added to the queue running empty.
int Convert(const std::string& sources, const std::string& results, int simultaneous);

// `jobs` jobs added through the Add command as a same-settings batch, then
// converted for a while with every core: prints the seconds the adding took,
// the memory, the window's longest wait while jobs ran and the seconds the
// scheduler's removal of all rows would take.
int Scale(int jobs, const std::string& workFolder);

}  // namespace WindowBatch
