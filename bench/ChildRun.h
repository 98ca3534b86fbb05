// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// One run of another program: processor time (user and system, which other
// load on the machine does not inflate), wall time, peak memory (the
// program's own, through GNU time where installed), exit status, and what
// it printed on its standard output.
struct ChildRun {
    double seconds = 0;  // processor time
    double wallSeconds = 0;
    long peakKiB = 0;
    int status = -1;
    std::string output;

    static ChildRun Of(const std::vector<std::string>& argv);
    // The best (fastest) of `times` runs; peak memory is the largest seen.
    static ChildRun Best(const std::vector<std::string>& argv, int times);
    // Several programs started at once: the wall time until the last has
    // ended, their processor time summed; status 0 only if all succeeded.
    // Their output is not kept.
    static ChildRun Together(const std::vector<std::vector<std::string>>& argvs);
};

// The median of figures from several runs (0 for none): on a machine whose
// speed drifts, the middle run counts, not the luckiest.
double Median(std::vector<double> values);
