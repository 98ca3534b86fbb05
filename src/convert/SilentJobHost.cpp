// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SilentJobHost.h"

#include <utility>

SilentJobHost::SilentJobHost(std::string source, std::string result)
    : m_job{std::move(source), std::move(result), EncodeSettings::Cbr(128)}
{
}
