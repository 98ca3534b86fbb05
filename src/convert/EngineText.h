// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>

// An English text of the engine that a user reads, with the context the
// translators' catalogue files it under. Always written through ENGINE_TEXT:
// lupdate knows that macro as QT_TRANSLATE_NOOP (cmake/Translations.cmake),
// so every such text reaches the .ts files and the translation check.
struct EngineText {
    const char* context;
    const char* english;
};

#define ENGINE_TEXT(context, english) (EngineText{context, english})

// The engine's texts in the user's language. The engine has no Qt: the
// window hands it a look-up through Qt's translators, the command line one
// through its own catalogue reader. Without a look-up the texts stay English,
// exactly as written.
class Translator {
public:
    // The translation of `english` (UTF-8), or `english` itself.
    using Lookup = std::string (*)(const char* context, const char* english);

    Translator() = default;
    explicit Translator(Lookup lookup) : m_lookup(lookup) { }

    std::string operator()(EngineText text) const;
    // A text found at run time, such as a system's reason: translated when
    // the catalogue has it under `context`, otherwise as it is.
    std::string operator()(const char* context, const std::string& english) const;
    // `text` in the user's language with %1, %2 ... replaced by `values`,
    // each shown as LogText::Escaped shows a file's name: no value can break
    // or forge a line. The translation may put them in any order.
    std::string Text(EngineText text, std::initializer_list<std::string> values) const;
    // The same as a log line that stays ("\r\n" appended).
    std::string Line(EngineText text, std::initializer_list<std::string> values) const;

    // `text` with %1 ... %9 replaced by `values` in one pass, so that a value
    // holding "%2" is not replaced again; nothing is escaped.
    static std::string Fill(const std::string& text, std::initializer_list<std::string> values);

private:
    Lookup m_lookup = nullptr;
};
