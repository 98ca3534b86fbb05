// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

struct ConversionOutcome;

// The words the engine, the command line and the window share about jobs:
// the bitrates a result may have, the status text a job shows, and how a
// number is read from a table cell or a settings value. Each lives here once.
namespace JobVocabulary {

// The MPEG-1 Layer III bitrates in kbit/s, ascending: the fourteen a result
// may have.
inline constexpr std::array<int, 14> kBitrates{32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
inline constexpr int kDefaultBitrate = 128;

bool IsBitrate(int kbps);
// "32 40 48 ... 320", for help and error texts.
std::string BitrateList();

// The Status cell: "0" waiting, "1%" to "99%" converting, "100%" converted
// or stopped, "ERR" failed. Readers take the leading number (see
// LeadingNumber), so "100%" reads as 100.
inline constexpr const char* kWaiting = "0";
inline constexpr const char* kStarted = "1%";
inline constexpr const char* kEnded = "100%";
inline constexpr const char* kFailed = "ERR";
inline constexpr int kEndedNumber = 100;

// The status a finished job leaves: failed ("ERR" for a failed or refused
// job), waiting again after a restart request, or ended.
const char* StatusAfter(const ConversionOutcome& outcome);

// The leading decimal number of `text`, read as atol reads it: leading
// blanks, an optional sign, digits up to the first other character; 0 when
// there are none. A number too large for an int is clamped, never wrapped.
int LeadingNumber(std::string_view text);

}  // namespace JobVocabulary
