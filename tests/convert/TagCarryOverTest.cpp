// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/TagCarryOver.h"

#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"
#include "convert/SourceFile.h"

#include <gtest/gtest.h>

namespace {

struct Probed {
    int kind;
    std::uint32_t length;
    std::vector<std::uint8_t> v2;
    std::array<std::uint8_t, 128> v1;
};

Probed ProbeBytes(const std::vector<std::uint8_t>& bytes)
{
    TempDir dir;
    SyntheticAudio::WriteFile(dir.File("s.mp3"), bytes);
    SourceFile source;
    EXPECT_TRUE(source.Open(dir.File("s.mp3")));
    RecordingHost host("", "", "");
    TagCarryOver tags = TagCarryOver::Probe(source, host);
    Probed probed{tags.kind, tags.id3v2Length, {}, tags.id3v1};
    if (tags.id3v2)
        probed.v2.assign(tags.id3v2.get(), tags.id3v2.get() + tags.id3v2Length);
    return probed;
}

std::vector<std::uint8_t> Header(const char* magic, std::uint8_t s0, std::uint8_t s1, std::uint8_t s2, std::uint8_t s3)
{
    return {static_cast<std::uint8_t>(magic[0]),
            static_cast<std::uint8_t>(magic[1]),
            static_cast<std::uint8_t>(magic[2]),
            3,
            0,
            0,
            s0,
            s1,
            s2,
            s3};
}

}  // namespace

TEST(TagCarryOver, SynchsafeSizes)
{
    const std::uint8_t a[4]{0x00, 0x00, 0x02, 0x01};
    const std::uint8_t b[4]{0x00, 0x01, 0x00, 0x00};
    const std::uint8_t c[4]{0x7F, 0x7F, 0x7F, 0x7F};
    const std::uint8_t d[4]{0x80, 0x80, 0x80, 0x81};
    EXPECT_EQ(TagCarryOver::SynchsafeSize(a), 257u);
    EXPECT_EQ(TagCarryOver::SynchsafeSize(b), 16384u);
    EXPECT_EQ(TagCarryOver::SynchsafeSize(c), 268435455u);
    EXPECT_EQ(TagCarryOver::SynchsafeSize(d), 1u);
}

TEST(TagCarryOver, Id3v2BlockIsCarriedWithItsHeader)
{
    const auto header = Header("ID3", 0, 0, 2, 1);
    std::vector<std::uint8_t> bytes(2000, 0x55);
    std::copy(header.begin(), header.end(), bytes.begin());
    const Probed probed = ProbeBytes(bytes);
    EXPECT_EQ(probed.kind, TagCarryOver::V2Only);
    ASSERT_EQ(probed.length, 267u);
    EXPECT_TRUE(std::equal(probed.v2.begin(), probed.v2.end(), bytes.begin()));
}

TEST(TagCarryOver, MagicLettersAndEmptyTags)
{
    for (const char* magic : {"id3", "iD3", "Id3"}) {
        auto bytes = Header(magic, 0, 0, 0, 5);
        bytes.resize(300, 0);
        EXPECT_EQ(ProbeBytes(bytes).kind, TagCarryOver::V2Only) << magic;
    }
    auto notThree = Header("ID4", 0, 0, 0, 5);
    notThree.resize(300, 0);
    EXPECT_EQ(ProbeBytes(notThree).kind, TagCarryOver::None);

    // An empty tag is a tag: its ten bytes are carried.
    auto empty = Header("ID3", 0, 0, 0, 0);
    empty.resize(300, 0);
    EXPECT_EQ(ProbeBytes(empty).kind, TagCarryOver::V2Only);
    EXPECT_EQ(ProbeBytes(empty).length, 10u);
    const auto v1 = SyntheticAudio::Id3v1Tag("x");
    EXPECT_EQ(ProbeBytes(SyntheticAudio::Concat({&empty, &v1})).kind, TagCarryOver::Both);
}

TEST(TagCarryOver, Id3v1InAnyCaseAndBothTags)
{
    std::vector<std::uint8_t> bytes(500, 0x11);
    auto lower = std::vector<std::uint8_t>(128, 0x42);
    lower[0] = 't';
    lower[1] = 'a';
    lower[2] = 'g';
    const auto withLower = SyntheticAudio::Concat({&bytes, &lower});
    const Probed probed = ProbeBytes(withLower);
    EXPECT_EQ(probed.kind, TagCarryOver::V1Only);
    EXPECT_TRUE(std::equal(probed.v1.begin(), probed.v1.end(), lower.begin()));

    const auto v2 = SyntheticAudio::Id3v2Tag("song");
    const auto v1 = SyntheticAudio::Id3v1Tag("song");
    EXPECT_EQ(ProbeBytes(SyntheticAudio::Concat({&v2, &bytes, &v1})).kind, TagCarryOver::Both);

    // Exactly 128 bytes that start with "TAG" are a tag.
    EXPECT_EQ(ProbeBytes(v1).kind, TagCarryOver::V1Only);
    // Too short for either tag.
    EXPECT_EQ(ProbeBytes({'I', 'D', '3'}).kind, TagCarryOver::None);
}

TEST(TagCarryOver, Version4FooterIsCarriedToo)
{
    const auto tag = SyntheticAudio::Id3v2Tag("song", 0, 4, true);
    std::vector<std::uint8_t> audio(400, 0x22);
    const Probed probed = ProbeBytes(SyntheticAudio::Concat({&tag, &audio}));
    ASSERT_EQ(probed.length, tag.size());
    EXPECT_EQ(probed.v2, tag);
    EXPECT_EQ(probed.v2[probed.v2.size() - 10], '3');  // the footer's "3DI"
}

TEST(TagCarryOver, HeaderLongerThanTheFileIsZeroFilled)
{
    auto bytes = Header("ID3", 0, 0, 0x10, 0);  // 2048 bytes announced
    bytes.resize(100, 0x77);
    const Probed probed = ProbeBytes(bytes);
    ASSERT_EQ(probed.length, 2058u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), probed.v2.begin()));
    EXPECT_TRUE(std::all_of(probed.v2.begin() + 100, probed.v2.end(), [](std::uint8_t b) { return b == 0; }));
}
