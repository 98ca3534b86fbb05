// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceFormats.h"

#include "convert/EngineText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace {

struct Signature {
    std::size_t at;
    std::string_view bytes;
};

struct Entry {
    SourceFormat format;
    std::array<Signature, 2> signature;  // both must match; an empty second one always does
};

using namespace std::string_view_literals;

// W64 and ASF open with a GUID rather than a four-letter code.
constexpr std::string_view kW64Riff = "riff\x2e\x91\xcf\x11\xa5\xd6\x28\xdb\x04\xc1\x00\x00"sv;
constexpr std::string_view kAsfHeader = "\x30\x26\xb2\x75\x8e\x66\xcf\x11\xa6\xd9\x00\xaa\x00\x62\xce\x6c"sv;

// The names are English; a log shows them translated (context "SourceFormats").
const std::array<Entry, 11> kFormats{{
    {{ENGINE_TEXT("SourceFormats", "FLAC audio").english, "flac", true}, {{{0, "fLaC"}, {0, ""}}}},
    {{ENGINE_TEXT("SourceFormats", "WAVE audio").english, "wav", false}, {{{0, "RIFF"}, {8, "WAVE"}}}},
    {{ENGINE_TEXT("SourceFormats", "RF64 audio").english, "wav", false}, {{{0, "RF64"}, {8, "WAVE"}}}},
    {{ENGINE_TEXT("SourceFormats", "BW64 audio").english, "wav", false}, {{{0, "BW64"}, {8, "WAVE"}}}},
    {{ENGINE_TEXT("SourceFormats", "Wave64 audio").english, "w64", false}, {{{0, kW64Riff}, {0, ""}}}},
    {{ENGINE_TEXT("SourceFormats", "AIFF audio").english, "aiff", false}, {{{0, "FORM"}, {8, "AIF"}}}},
    {{ENGINE_TEXT("SourceFormats", "Ogg audio").english, "ogg", false}, {{{0, "OggS"}, {0, ""}}}},
    {{ENGINE_TEXT("SourceFormats", "MP4/M4A audio").english, "mov", false}, {{{4, "ftyp"}, {0, ""}}}},
    {{ENGINE_TEXT("SourceFormats", "WMA audio").english, "asf", false}, {{{0, kAsfHeader}, {0, ""}}}},
    {{ENGINE_TEXT("SourceFormats", "Monkey's Audio").english, "ape", true}, {{{0, "MAC "}, {0, ""}}}},
    {{ENGINE_TEXT("SourceFormats", "WavPack audio").english, "wv", true}, {{{0, "wvpk"}, {0, ""}}}},
}};

bool Matches(const Signature& signature, const std::uint8_t* bytes, std::size_t length)
{
    return signature.at + signature.bytes.size() <= length
        && std::memcmp(bytes + signature.at, signature.bytes.data(), signature.bytes.size()) == 0;
}

}  // namespace

const SourceFormat* SourceFormat::Recognize(const std::uint8_t* bytes, std::size_t length)
{
    for (const Entry& entry : kFormats) {
        if (Matches(entry.signature[0], bytes, length) && Matches(entry.signature[1], bytes, length))
            return &entry.format;
    }
    return nullptr;
}

const char* SourceFormat::DemuxerWhitelist()
{
    // The demuxers of the table above, by FFmpeg's names ("mov" is listed
    // under its full name so that the whitelist check matches it).
    return "flac,wav,w64,aiff,ogg,mov,mp4,m4a,3gp,3g2,mj2,asf,ape,wv";
}

const std::vector<std::string_view>& SourceFormat::Extensions()
{
    static const std::vector<std::string_view> kExtensions{
        "mp3", "flac", "wav", "rf64", "w64", "aif", "aiff", "aifc", "ogg",
        "oga", "opus", "m4a", "m4b",  "mp4", "wma", "asf",  "ape",  "wv",
    };
    return kExtensions;
}

bool SourceFormat::IsSourceName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = name.substr(dot + 1);
    for (const std::string_view known : Extensions()) {
        if (known.size() == extension.size()
            && std::equal(known.begin(), known.end(), extension.begin(),
                          [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
            return true;
    }
    return false;
}
