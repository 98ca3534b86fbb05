// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobVocabulary.h"

#include "convert/ConversionOutcome.h"

#include <algorithm>
#include <climits>

namespace JobVocabulary {

bool IsBitrate(int kbps)
{
    return std::find(kBitrates.begin(), kBitrates.end(), kbps) != kBitrates.end();
}

std::string BitrateList()
{
    std::string list;
    // Appended piece by piece: "text" + std::string trips GCC 12's -Wrestrict at -O3.
    for (int kbps : kBitrates) {
        if (!list.empty())
            list += ' ';
        list += std::to_string(kbps);
    }
    return list;
}

const char* StatusAfter(const ConversionOutcome& outcome)
{
    if (outcome.IsFailure())
        return kFailed;
    if (outcome.kind == ConversionOutcome::Kind::RestartRequested)
        return kWaiting;
    return kEnded;
}

int LeadingNumber(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    long long number = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        number = number * 10 + (text[pos] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            break;  // clamped below; reading on could only overflow
    }
    if (negative)
        number = -number;
    return static_cast<int>(std::clamp<long long>(number, INT_MIN, INT_MAX));
}

}  // namespace JobVocabulary
