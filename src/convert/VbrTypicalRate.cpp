// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/VbrTypicalRate.h"

#include <algorithm>
#include <array>

int VbrTypicalKbps(int quality)
{
    static constexpr std::array<int, 10> kTypical{245, 225, 190, 175, 165, 130, 115, 100, 85, 65};
    return kTypical[static_cast<std::size_t>(std::clamp(quality, 0, 9))];
}
