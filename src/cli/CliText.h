// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The command line's texts in the user's language. The command line has no
// Qt; it reads the window's compiled Qt Linguist catalogues (.qm) itself, so
// that both programs share one translation per language.
namespace CliText {

// A compiled catalogue: looks a text up by context and English source text.
class Catalog {
public:
    // Reads a .qm file; nothing when it cannot be read or is not one.
    static std::optional<Catalog> Read(const std::string& path);
    // The translation in UTF-8; nothing when the catalogue has none.
    std::optional<std::string> Find(const char* context, const char* source) const;

private:
    std::vector<std::uint8_t> m_messages;
    std::multimap<std::uint32_t, std::uint32_t> m_offsets;  // hash of the source text -> record
};

// The languages the user asked for, most wanted first, as catalogue name
// endings ("de_DE", "de"): LANGUAGE's list, then LC_ALL, LC_MESSAGES or LANG.
std::vector<std::string> WantedLanguages();

// Loads the first catalogue vorlanta_<language>.qm found in `folder` for
// the wanted languages; texts stay English when there is none.
void LoadFrom(const std::string& folder);

// The loaded catalogue's text for `source`, or `source` itself. Named as
// Qt's is, so that the translation tools collect these texts too.
std::string translate(const char* context, const char* source);

// `text` with %1, %2 ... replaced by `values`.
std::string Format(const std::string& text, std::initializer_list<std::string> values);

}  // namespace CliText
