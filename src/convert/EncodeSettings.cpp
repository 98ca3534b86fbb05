// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/EncodeSettings.h"

std::string EncodeSettings::Text() const
{
    return std::to_string(bitrate);
}

EncodeSettings EncodeSettings::FromText(std::string_view cell)
{
    return Cbr(JobVocabulary::LeadingNumber(cell));
}
