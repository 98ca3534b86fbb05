// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/EncodeSettings.h"

#include "convert/VbrTypicalRate.h"

std::string EncodeSettings::Text() const
{
    // Appended piece by piece: "V" + std::string trips GCC 12's -Wrestrict at -O3.
    std::string text;
    switch (mode) {
    case Mode::Vbr:
        text = "V";
        text += std::to_string(quality);
        return text;
    case Mode::Abr:
        text = "A";
        text += std::to_string(bitrate);
        return text;
    case Mode::Cbr:
        break;
    }
    return std::to_string(bitrate);
}

EncodeSettings EncodeSettings::FromText(std::string_view cell)
{
    std::size_t at = 0;
    while (at < cell.size() && (cell[at] == ' ' || cell[at] == '\t'))
        ++at;
    const char lead = at < cell.size() ? cell[at] : '\0';
    if (lead == 'V' || lead == 'v') {
        const std::string_view rest = cell.substr(at + 1);
        // Not a digit: no quality, which Valid refuses.
        return Vbr(!rest.empty() && rest[0] >= '0' && rest[0] <= '9' ? JobVocabulary::LeadingNumber(rest) : -1);
    }
    if (lead == 'A' || lead == 'a')
        return Abr(JobVocabulary::LeadingNumber(cell.substr(at + 1)));
    return Cbr(JobVocabulary::LeadingNumber(cell));
}

int EncodeSettings::ComparableKbps() const
{
    return mode == Mode::Vbr ? VbrTypicalKbps(quality) : bitrate;
}
