// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/EngineText.h"

#include "convert/LogText.h"

#include <vector>

namespace {

std::string FillFrom(const std::string& text, const std::string* values, std::size_t count)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t index = at + 1 < text.size() ? static_cast<std::size_t>(text[at + 1] - '1') : count;
        if (text[at] == '%' && index < count && index < 9) {
            out += values[index];
            ++at;
        } else {
            out += text[at];
        }
    }
    return out;
}

}  // namespace

std::string Translator::operator()(EngineText text) const
{
    return m_lookup != nullptr ? m_lookup(text.context, text.english) : std::string(text.english);
}

std::string Translator::operator()(const char* context, const std::string& english) const
{
    return m_lookup != nullptr && !english.empty() ? m_lookup(context, english.c_str()) : english;
}

std::string Translator::Text(EngineText text, std::initializer_list<std::string> values) const
{
    std::vector<std::string> shown;
    shown.reserve(values.size());
    for (const std::string& value : values)
        shown.push_back(LogText::Escaped(value));
    return FillFrom((*this)(text), shown.data(), shown.size());
}

std::string Translator::Line(EngineText text, std::initializer_list<std::string> values) const
{
    return Text(text, values) + "\r\n";
}

std::string Translator::Fill(const std::string& text, std::initializer_list<std::string> values)
{
    return FillFrom(text, values.begin(), values.size());
}
