// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliText.h"

#include "convert/EngineText.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace CliText {
namespace {

constexpr std::array<std::uint8_t, 16> kMagic
    = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95, 0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
// The .qm file's blocks, and the tags inside one message record.
enum Block : std::uint8_t { kHashes = 0x42, kMessages = 0x69 };
enum Tag : std::uint8_t {
    kEnd = 1,
    kSourceText16 = 2,
    kTranslation = 3,
    kContext16 = 4,
    kObsolete1 = 5,
    kSourceText = 6,
    kContext = 7,
    kComment = 8,
    kObsolete2 = 9
};

std::uint32_t ReadBe32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The hash Qt's translator files key their messages by.
std::uint32_t ElfHash(const std::string& text)
{
    std::uint32_t h = 0;
    for (const unsigned char c : text) {
        h = (h << 4) + c;
        if (const std::uint32_t g = h & 0xf0000000u; g != 0) {
            h ^= g >> 24;
            h &= ~g;
        }
    }
    return h != 0 ? h : 1;
}

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xe0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

std::string Utf16BeToUtf8(const std::uint8_t* p, std::size_t bytes)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes; i += 2) {
        std::uint32_t unit = (std::uint32_t{p[i]} << 8) | p[i + 1];
        if (unit >= 0xd800 && unit < 0xdc00 && i + 3 < bytes) {
            const std::uint32_t low = (std::uint32_t{p[i + 2]} << 8) | p[i + 3];
            if (low >= 0xdc00 && low < 0xe000) {
                unit = 0x10000 + ((unit - 0xd800) << 10) + (low - 0xdc00);
                i += 2;
            }
        }
        AppendUtf8(out, unit);
    }
    return out;
}

std::optional<Catalog>& Loaded()
{
    static std::optional<Catalog> catalog;
    return catalog;
}

}  // namespace

std::optional<Catalog> Catalog::Read(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (bytes.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return std::nullopt;
    Catalog catalog;
    std::vector<std::uint8_t> hashes;
    for (std::size_t at = kMagic.size(); at + 5 <= bytes.size();) {
        const std::uint8_t block = bytes[at];
        const std::uint32_t length = ReadBe32(&bytes[at + 1]);
        at += 5;
        if (length > bytes.size() - at)
            return std::nullopt;
        const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(at);
        if (block == kHashes)
            hashes.assign(begin, begin + length);
        else if (block == kMessages)
            catalog.m_messages.assign(begin, begin + length);
        at += length;
    }
    for (std::size_t at = 0; at + 8 <= hashes.size(); at += 8)
        catalog.m_offsets.emplace(ReadBe32(&hashes[at]), ReadBe32(&hashes[at + 4]));
    return catalog;
}

std::optional<std::string> Catalog::Find(const char* context, const char* source) const
{
    const auto [first, last] = m_offsets.equal_range(ElfHash(source));
    for (auto entry = first; entry != last; ++entry) {
        std::optional<std::string> translation;
        bool matches = true;
        const std::uint8_t* p = m_messages.data();
        const std::size_t size = m_messages.size();
        for (std::size_t at = entry->second; at < size && matches;) {
            const std::uint8_t tag = p[at++];
            if (tag == kEnd)
                return matches && translation ? translation : std::nullopt;
            if (tag == kObsolete1)
                continue;
            if (at + 4 > size)
                break;
            std::uint32_t length = ReadBe32(&p[at]);
            at += 4;
            if (length == 0xffffffffu)  // a null text
                length = 0;
            if (length > size - at)
                break;
            const std::string text(reinterpret_cast<const char*>(&p[at]), length);
            if (tag == kTranslation)
                translation = Utf16BeToUtf8(&p[at], length);
            else if (tag == kSourceText)
                matches = text == source;
            else if (tag == kContext)
                matches = text == context;
            else if (tag == kComment)
                matches = text.empty();
            else if (tag != kSourceText16 && tag != kContext16 && tag != kObsolete2)
                break;  // a record this reader does not know
            at += length;
        }
    }
    return std::nullopt;
}

std::vector<std::string> WantedLanguages()
{
    std::vector<std::string> wanted;
    auto add = [&](std::string name) {
        name = name.substr(0, name.find_first_of(".@"));
        if (name.empty() || name == "C" || name == "POSIX")
            return;
        wanted.push_back(name);
        if (const auto underscore = name.find('_'); underscore != std::string::npos)
            wanted.push_back(name.substr(0, underscore));
    };
    if (const char* list = std::getenv("LANGUAGE"); list != nullptr) {
        std::string names = list;
        for (std::size_t start = 0; start <= names.size();) {
            const std::size_t colon = std::min(names.find(':', start), names.size());
            add(names.substr(start, colon - start));
            start = colon + 1;
        }
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
            add(value);
            break;
        }
    }
    return wanted;
}

void LoadFrom(const std::string& folder)
{
    for (const std::string& language : WantedLanguages()) {
        if (language == "en" || language.rfind("en_", 0) == 0)
            return;  // the texts are English already
        if (auto catalog = Catalog::Read(folder + "/vorlanta_" + language + ".qm")) {
            Loaded() = std::move(catalog);
            return;
        }
    }
}

std::string translate(const char* context, const char* source)
{
    if (Loaded()) {
        if (auto text = Loaded()->Find(context, source); text && !text->empty())
            return *text;
    }
    return source;
}

std::string Format(const std::string& text, std::initializer_list<std::string> values)
{
    return Translator::Fill(text, values);
}

}  // namespace CliText
