// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"

#include <string>

// One conversion job as a value: what is read, what is written, and how.
// The job table's row is its view; a worker reads the row once into this.
struct JobSpec {
    std::string source;
    std::string result;
    EncodeSettings settings;

    bool operator==(const JobSpec&) const = default;
};
