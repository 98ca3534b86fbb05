// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which sample rate a result is encoded at. A source's own rate is kept
// whenever an MP3 stream at that rate can carry the job's bitrate; when it
// cannot, the nearest standard rate that can is used instead.
class OutputRatePlan {
public:
    // The rate to encode at; the input rate itself when no standard rate
    // carries the bitrate (the encoder then refuses the stream).
    static int Choose(int inputRate, int bitrate);
    // Whether a stream at `rate` Hz can be encoded at `bitrate` kbit/s.
    static bool Carries(int rate, int bitrate);
};
