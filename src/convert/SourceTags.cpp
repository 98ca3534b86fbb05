// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SourceTags.h"

#include <taglib/aifffile.h>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/asffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/commentsframe.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/uniquefileidentifierframe.h>
#include <taglib/unsynchronizedlyricsframe.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/wavpackfile.h>
#include <taglib/xiphcomment.h>

#include <array>
#include <memory>
#include <optional>

namespace {

using TagLib::String;

// How a field is written.
enum class Frame {
    Text,      // a text frame: `id`
    Position,  // TRCK/TPOS: "number/total", the total from the row's `total` keys when apart
    Year,      // TYER (and TDAT for a full date)
    Comment,   // COMM, no description
    Lyrics,    // USLT, no description
    UserText,  // TXXX with `description`
    UniqueId,  // UFID owned by `description`
};

struct Mapping {
    Frame frame;
    const char* id;
    const char* description;
    std::array<const char*, 2> keys;   // the source's field names, as TagLib's property keys
    std::array<const char*, 2> total;  // Position: where the total may stand apart
};

// The one table of what is carried over: a source field (first key found
// wins) and the ID3v2.3 frame it becomes. README's "Tags of other formats"
// lists it for users.
const std::array<Mapping, 23> kTagMapping{{
    {Frame::Text, "TIT2", "", {"TITLE", nullptr}, {}},
    {Frame::Text, "TPE1", "", {"ARTIST", nullptr}, {}},
    {Frame::Text, "TALB", "", {"ALBUM", nullptr}, {}},
    {Frame::Text, "TPE2", "", {"ALBUMARTIST", "ALBUM ARTIST"}, {}},
    {Frame::Position, "TRCK", "", {"TRACKNUMBER", nullptr}, {"TRACKTOTAL", "TOTALTRACKS"}},
    {Frame::Position, "TPOS", "", {"DISCNUMBER", nullptr}, {"DISCTOTAL", "TOTALDISCS"}},
    {Frame::Year, "TYER", "", {"DATE", "YEAR"}, {}},
    {Frame::Text, "TCON", "", {"GENRE", nullptr}, {}},
    {Frame::Text, "TCOM", "", {"COMPOSER", nullptr}, {}},
    {Frame::Comment, "COMM", "", {"COMMENT", "DESCRIPTION"}, {}},
    {Frame::Lyrics, "USLT", "", {"LYRICS", "UNSYNCEDLYRICS"}, {}},
    {Frame::Text, "TCMP", "", {"COMPILATION", nullptr}, {}},
    {Frame::UniqueId, "UFID", "http://musicbrainz.org", {"MUSICBRAINZ_TRACKID", nullptr}, {}},
    {Frame::UserText, "TXXX", "MusicBrainz Album Id", {"MUSICBRAINZ_ALBUMID", nullptr}, {}},
    {Frame::UserText, "TXXX", "MusicBrainz Artist Id", {"MUSICBRAINZ_ARTISTID", nullptr}, {}},
    {Frame::UserText, "TXXX", "MusicBrainz Album Artist Id", {"MUSICBRAINZ_ALBUMARTISTID", nullptr}, {}},
    {Frame::UserText, "TXXX", "MusicBrainz Release Group Id", {"MUSICBRAINZ_RELEASEGROUPID", nullptr}, {}},
    {Frame::UserText, "TXXX", "MusicBrainz Release Track Id", {"MUSICBRAINZ_RELEASETRACKID", nullptr}, {}},
    {Frame::UserText, "TXXX", "MusicBrainz Work Id", {"MUSICBRAINZ_WORKID", nullptr}, {}},
    {Frame::UserText, "TXXX", "REPLAYGAIN_TRACK_GAIN", {"REPLAYGAIN_TRACK_GAIN", nullptr}, {}},
    {Frame::UserText, "TXXX", "REPLAYGAIN_TRACK_PEAK", {"REPLAYGAIN_TRACK_PEAK", nullptr}, {}},
    {Frame::UserText, "TXXX", "REPLAYGAIN_ALBUM_GAIN", {"REPLAYGAIN_ALBUM_GAIN", nullptr}, {}},
    {Frame::UserText, "TXXX", "REPLAYGAIN_ALBUM_PEAK", {"REPLAYGAIN_ALBUM_PEAK", nullptr}, {}},
}};

struct Cover {
    String mime;
    TagLib::ByteVector bytes;
};

// What a source's tags hold, read once.
struct SourceFields {
    TagLib::PropertyMap fields;
    std::optional<Cover> cover;
};

// Latin-1 where every character fits, UTF-16 (with its byte-order mark)
// otherwise: ID3v2.3 knows no UTF-8.
String::Type EncodingFor(const String& text)
{
    for (const wchar_t c : text) {
        if (static_cast<unsigned>(c) > 0xFF)
            return String::UTF16;
    }
    return String::Latin1;
}

String Joined(const TagLib::StringList& values)
{
    return values.toString("; ");
}

std::optional<String> Field(const TagLib::PropertyMap& fields, const std::array<const char*, 2>& keys)
{
    for (const char* key : keys) {
        if (key == nullptr)
            continue;
        const auto found = fields.find(key);
        if (found != fields.end() && !found->second.isEmpty() && !found->second.front().isEmpty())
            return Joined(found->second);
    }
    return std::nullopt;
}

String MimeOf(const TagLib::ByteVector& bytes)
{
    if (bytes.startsWith("\x89PNG"))
        return "image/png";
    if (bytes.startsWith("GIF8"))
        return "image/gif";
    if (bytes.startsWith("BM"))
        return "image/bmp";
    return "image/jpeg";
}

void AddText(TagLib::ID3v2::Tag& tag, const char* id, const String& text)
{
    auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id, EncodingFor(text));
    frame->setText(text);
    tag.addFrame(frame);
}

void AddPosition(TagLib::ID3v2::Tag& tag, const Mapping& row, const TagLib::PropertyMap& fields, String number)
{
    if (number.find("/") < 0) {  // not "n/N" yet
        if (const std::optional<String> total = Field(fields, row.total))
            number += "/" + *total;
    }
    AddText(tag, row.id, number);
}

// ID3v2.3 keeps the year in TYER and day and month in TDAT ("DDMM").
void AddYear(TagLib::ID3v2::Tag& tag, const String& date)
{
    AddText(tag, "TYER", date.substr(0, 4));
    if (date.size() >= 10 && date[4] == '-' && date[7] == '-')
        AddText(tag, "TDAT", date.substr(8, 2) + date.substr(5, 2));
}

void AddMapped(TagLib::ID3v2::Tag& tag, const Mapping& row, const TagLib::PropertyMap& fields, const String& value)
{
    switch (row.frame) {
    case Frame::Text:
        AddText(tag, row.id, value);
        break;
    case Frame::Position:
        AddPosition(tag, row, fields, value);
        break;
    case Frame::Year:
        AddYear(tag, value);
        break;
    case Frame::Comment: {
        auto* frame = new TagLib::ID3v2::CommentsFrame(EncodingFor(value));
        frame->setLanguage("eng");
        frame->setText(value);
        tag.addFrame(frame);
        break;
    }
    case Frame::Lyrics: {
        auto* frame = new TagLib::ID3v2::UnsynchronizedLyricsFrame(EncodingFor(value));
        frame->setLanguage("eng");
        frame->setText(value);
        tag.addFrame(frame);
        break;
    }
    case Frame::UserText: {
        auto* frame = new TagLib::ID3v2::UserTextIdentificationFrame(EncodingFor(value));
        frame->setDescription(row.description);
        frame->setText(value);
        tag.addFrame(frame);
        break;
    }
    case Frame::UniqueId:
        tag.addFrame(new TagLib::ID3v2::UniqueFileIdentifierFrame(row.description, value.data(String::Latin1)));
        break;
    }
}

std::vector<std::uint8_t> Render(const SourceFields& source)
{
    TagLib::ID3v2::Tag tag;
    for (const Mapping& row : kTagMapping) {
        if (const std::optional<String> value = Field(source.fields, row.keys))
            AddMapped(tag, row, source.fields, *value);
    }
    if (source.cover) {
        auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
        frame->setTextEncoding(String::Latin1);
        frame->setMimeType(source.cover->mime);
        frame->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
        frame->setPicture(source.cover->bytes);
        tag.addFrame(frame);
    }
    if (tag.isEmpty() && !source.cover)
        return {};
    const TagLib::ByteVector rendered = tag.render(TagLib::ID3v2::v3);
    return {rendered.begin(), rendered.end()};
}

// The front cover among a list of pictures, else the first.
template <typename Picture, typename TypeOf> const Picture* FrontOf(const TagLib::List<Picture>& pictures, TypeOf type)
{
    const Picture* first = nullptr;
    for (const Picture& picture : pictures) {
        if (first == nullptr)
            first = &picture;
        if (type(picture))
            return &picture;
    }
    return first;
}

std::optional<Cover> CoverOf(const TagLib::List<TagLib::FLAC::Picture*>& pictures)
{
    const auto* const* picture = FrontOf(
        pictures, [](const TagLib::FLAC::Picture* p) { return p->type() == TagLib::FLAC::Picture::FrontCover; });
    if (picture == nullptr)
        return std::nullopt;
    return Cover{(*picture)->mimeType(), (*picture)->data()};
}

std::optional<Cover> CoverOf(TagLib::ID3v2::Tag* tag)
{
    if (tag == nullptr)
        return std::nullopt;
    const TagLib::ID3v2::FrameList& frames = tag->frameList("APIC");
    const auto* const* found = FrontOf(frames, [](const TagLib::ID3v2::Frame* frame) {
        return static_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame)->type()
            == TagLib::ID3v2::AttachedPictureFrame::FrontCover;
    });
    if (found == nullptr)
        return std::nullopt;
    const auto* picture = static_cast<const TagLib::ID3v2::AttachedPictureFrame*>(*found);
    return Cover{picture->mimeType(), picture->picture()};
}

std::optional<Cover> CoverOf(TagLib::MP4::Tag* tag)
{
    if (tag == nullptr || !tag->contains("covr"))
        return std::nullopt;
    const TagLib::MP4::CoverArtList covers = tag->item("covr").toCoverArtList();
    if (covers.isEmpty())
        return std::nullopt;
    return Cover{MimeOf(covers.front().data()), covers.front().data()};
}

std::optional<Cover> CoverOf(TagLib::ASF::Tag* tag)
{
    if (tag == nullptr || !tag->contains("WM/Picture"))
        return std::nullopt;
    const TagLib::ASF::AttributeList& attributes = tag->attribute("WM/Picture");
    const auto* found = FrontOf(attributes, [](const TagLib::ASF::Attribute& attribute) {
        return attribute.toPicture().type() == TagLib::ASF::Picture::FrontCover;
    });
    if (found == nullptr || !found->toPicture().isValid())
        return std::nullopt;
    const TagLib::ASF::Picture picture = found->toPicture();
    return Cover{picture.mimeType(), picture.picture()};
}

// APE tags keep a cover as "file name\0picture bytes".
std::optional<Cover> CoverOf(TagLib::APE::Tag* tag)
{
    if (tag == nullptr)
        return std::nullopt;
    const auto& items = tag->itemListMap();
    const auto found = items.find("COVER ART (FRONT)");
    if (found == items.end())
        return std::nullopt;
    const TagLib::ByteVector data = found->second.binaryData();
    const int nul = data.find('\0');
    if (nul < 0)
        return std::nullopt;
    const TagLib::ByteVector bytes = data.mid(static_cast<unsigned>(nul) + 1);
    return Cover{MimeOf(bytes), bytes};
}

// MP4 freeform atoms and ASF attributes that TagLib's property map leaves
// out (ReplayGain), under their upper-case names.
void AddLooseFields(TagLib::PropertyMap& fields, const String& name, const TagLib::StringList& values)
{
    const String key = name.upper();
    if (!values.isEmpty() && !fields.contains(key))
        fields.insert(key, values);
}

SourceFields FromMp4(TagLib::MP4::File& file)
{
    if (!file.isValid())
        return {};
    SourceFields source{file.properties(), CoverOf(file.tag())};
    if (file.tag() != nullptr) {
        static const String kFreeform = "----:com.apple.iTunes:";
        for (const auto& [name, item] : file.tag()->itemMap()) {
            if (name.startsWith(kFreeform))
                AddLooseFields(source.fields, name.substr(kFreeform.size()), item.toStringList());
        }
    }
    return source;
}

SourceFields FromAsf(TagLib::ASF::File& file)
{
    if (!file.isValid())
        return {};
    SourceFields source{file.properties(), CoverOf(file.tag())};
    if (file.tag() != nullptr) {
        for (const auto& [name, attributes] : file.tag()->attributeListMap()) {
            TagLib::StringList values;
            for (const TagLib::ASF::Attribute& attribute : attributes) {
                if (attribute.type() == TagLib::ASF::Attribute::UnicodeType)
                    values.append(attribute.toString());
            }
            AddLooseFields(source.fields, name, values);
        }
    }
    return source;
}

// A damaged file is no tag source: TagLib must not be asked for the
// properties of a file it could not parse (its MP4 reader then crashes).
SourceFields Read(TagLib::IOStream& stream, std::string_view demuxer, std::string_view codec)
{
    if (demuxer == "flac") {
        TagLib::FLAC::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
        if (!file.isValid())
            return {};
        return {file.properties(), CoverOf(file.pictureList())};
    }
    if (demuxer == "ogg" && codec == "vorbis") {
        TagLib::Ogg::Vorbis::File file(&stream, false);
        if (!file.isValid())
            return {};
        return {file.properties(), file.tag() ? CoverOf(file.tag()->pictureList()) : std::nullopt};
    }
    if (demuxer == "ogg" && codec == "opus") {
        TagLib::Ogg::Opus::File file(&stream, false);
        if (!file.isValid())
            return {};
        return {file.properties(), file.tag() ? CoverOf(file.tag()->pictureList()) : std::nullopt};
    }
    if (demuxer == "ogg" && codec == "flac") {
        TagLib::Ogg::FLAC::File file(&stream, false);
        if (!file.isValid())
            return {};
        return {file.properties(), file.tag() ? CoverOf(file.tag()->pictureList()) : std::nullopt};
    }
    if (demuxer == "mov") {
        TagLib::MP4::File file(&stream, false);
        return FromMp4(file);
    }
    if (demuxer == "asf") {
        TagLib::ASF::File file(&stream, false);
        return FromAsf(file);
    }
    if (demuxer == "ape") {
        TagLib::APE::File file(&stream, false);
        if (!file.isValid())
            return {};
        return {file.properties(), CoverOf(file.APETag(false))};
    }
    if (demuxer == "wv") {
        TagLib::WavPack::File file(&stream, false);
        if (!file.isValid())
            return {};
        return {file.properties(), CoverOf(file.APETag(false))};
    }
    if (demuxer == "wav") {
        TagLib::RIFF::WAV::File file(&stream, false);
        if (!file.isValid())
            return {};
        return {file.properties(), file.hasID3v2Tag() ? CoverOf(file.ID3v2Tag()) : std::nullopt};
    }
    if (demuxer == "aiff") {
        TagLib::RIFF::AIFF::File file(&stream, false);
        if (!file.isValid())
            return {};
        return {file.properties(), file.hasID3v2Tag() ? CoverOf(file.tag()) : std::nullopt};
    }
    return {};
}

}  // namespace

namespace SourceTags {

std::vector<std::uint8_t> Id3v2FromFile(const std::string& path, std::string_view demuxer, std::string_view codec)
{
    TagLib::FileStream stream(path.c_str(), true);
    if (!stream.isOpen())
        return {};
    return Render(Read(stream, demuxer, codec));
}

std::vector<std::uint8_t> Id3v2FromBytes(const std::uint8_t* data, std::size_t size, std::string_view demuxer,
                                         std::string_view codec)
{
    TagLib::ByteVector bytes(reinterpret_cast<const char*>(data), static_cast<unsigned>(size));
    TagLib::ByteVectorStream stream(bytes);
    return Render(Read(stream, demuxer, codec));
}

}  // namespace SourceTags
