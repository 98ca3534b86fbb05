// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/BatchSummary.h"

#include <gtest/gtest.h>

TEST(BatchSummary, SummaryLineAndOneLinePerFailure)
{
    BatchSummary summary;
    for (int i = 0; i < 18; ++i)
        summary.AddConverted();
    summary.AddFailed("/m/a.mp3", "No MP3 frame found in file /m/a.mp3, nothing converted");
    summary.AddSkipped();
    summary.AddFailed("/m/b.mp3", "");
    EXPECT_EQ(summary.Text(102), "18 converted, 2 failed, 1 skipped in 1:42");
    EXPECT_EQ(summary.FailureLines(),
              (std::vector<std::string>{"Failed: No MP3 frame found, nothing converted \u2014 a.mp3",
                                        "Failed: no reason given \u2014 b.mp3"}));
    EXPECT_EQ(BatchSummary().Text(0.34), "0 converted, 0 failed, 0 skipped in 0.3 s");
    EXPECT_EQ(BatchSummary::Duration(59.96), "1:00");
    EXPECT_EQ(BatchSummary::Duration(3723), "1:02:03");
    EXPECT_EQ(BatchSummary::Clock(7.4), "0:07");
}

// The failure line names the file once, after the reason; the folder only
// where two failed files share a name.
TEST(BatchSummary, FailureLineNamesTheFileOnceAfterTheReason)
{
    BatchSummary summary;
    summary.AddFailed("/lib/A/03 x.mp3", "/lib/A/03 x.mp3 is not an MP3 file (no frame sync), not converted");
    summary.AddFailed("/lib/B/03 x.mp3", "Dest file write failed in file /out/03 x_128.mp3: No space left on device");
    summary.AddFailed("/lib/C/n.mp3", "Source file read failed in file /lib/C/n.mp3, it changed while converting");
    summary.AddFailed("here.mp3", "A folder for here.mp3 cannot be made");  // a path without a folder
    EXPECT_EQ(
        summary.FailureLines(),
        (std::vector<std::string>{"Failed: not an MP3 file (no frame sync), not converted \u2014 03 x.mp3 (in /lib/A)",
                                  "Failed: Dest file write failed in file /out/03 x_128.mp3: No space left on device "
                                  "\u2014 03 x.mp3 (in /lib/B)",
                                  "Failed: Source file read failed, it changed while converting \u2014 n.mp3",
                                  "Failed: A folder for here.mp3 cannot be made \u2014 here.mp3"}));
}

namespace {
std::string GermanLead(const char*, const char* english)
{
    return std::string(english) == "%1 is " ? "%1 ist " : english;
}
std::string FrenchLead(const char*, const char* english)
{
    return std::string(english) == "%1 is " ? "%1 " : english;
}
}  // namespace

// In another language the words left out after the name are the
// translator's: German leaves out "ist", French only the name.
TEST(BatchSummary, FailureLineLeavesOutTheTranslatedStartOfTheReason)
{
    BatchSummary summary;
    summary.AddFailed("/m/a.mp3", "/m/a.mp3 ist keine MP3-Datei (kein MPEG-Audio gefunden), nicht konvertiert");
    summary.AddFailed("/m/b.mp3", "/m/b.mp3 n'est pas un fichier MP3 (aucun audio MPEG), non converti");
    EXPECT_EQ(summary.FailureLines(Translator(&GermanLead))[0],
              "Failed: keine MP3-Datei (kein MPEG-Audio gefunden), nicht konvertiert \u2014 a.mp3");
    EXPECT_EQ(summary.FailureLines(Translator(&FrenchLead))[1],
              "Failed: n'est pas un fichier MP3 (aucun audio MPEG), non converti \u2014 b.mp3");
}

// A name's control characters reach the window's log escaped, as in every
// other line: none can split the failure line or act on a terminal.
TEST(BatchSummary, FailureLineShowsControlCharactersEscaped)
{
    BatchSummary summary;
    summary.AddFailed("/m/x\n\x1b[2J.mp3", "Encoder failed in file /m/x\n\x1b[2J.mp3, no result written");
    summary.AddNotStarted("/m/y\r.mp3");
    EXPECT_EQ(summary.FailureLines(),
              (std::vector<std::string>{"Failed: Encoder failed, no result written \u2014 "
                                        "x\\n\\x1b[2J.mp3",
                                        "Not started: /m/y\\r.mp3"}));
}
