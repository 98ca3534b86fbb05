// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <utility>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool IsComment(const QString& trimmed)
{
    return trimmed.startsWith(u';') || trimmed.startsWith(u'#');
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The text up to its first line break.
QString FirstLine(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n') {
        ++end;
    }
    return text.left(end);
}

}  // namespace

struct IniFile::Line {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    QString name;   // section name or key
    QString value;  // the key's value
};

IniFile::IniFile(QString path) : m_path(std::move(path))
{
}

bool IniFile::Load()
{
    QFile file(m_path);
    if (!file.exists()) {
        SetContents({});
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        SetContents({});
        return false;
    }
    SetContents(file.readAll());
    return true;
}

void IniFile::SetContents(const QByteArray& bytes)
{
    m_lines = bytes.split('\n');
    m_finalNewline = bytes.isEmpty() || bytes.endsWith('\n');
    if (m_finalNewline) {
        m_lines.removeLast();  // split() leaves an empty piece after the last '\n'
    }
    m_crlf = !m_lines.isEmpty() && m_lines.first().endsWith('\r');
}

QByteArray IniFile::Contents() const
{
    QByteArray bytes = m_lines.join('\n');
    if (m_finalNewline && !m_lines.isEmpty()) {
        bytes.append('\n');
    }
    return bytes;
}

IniFile::Line IniFile::Parse(const QByteArray& raw, bool first)
{
    QByteArray bytes = raw;
    if (first && bytes.startsWith(kUtf8Bom)) {
        bytes.remove(0, kUtf8Bom.size());
    }
    const QString trimmed = QString::fromUtf8(bytes).trimmed();
    Line line;
    if (trimmed.isEmpty() || IsComment(trimmed)) {
        return line;
    }
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        line.kind = Line::Kind::Section;
        line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals > 0) {
        line.kind = Line::Kind::Key;
        line.name = trimmed.left(equals).trimmed();
        line.value = trimmed.mid(equals + 1).trimmed();
    }
    return line;
}

int IniFile::FindSection(const QString& section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line line = Parse(m_lines.at(i), i == 0);
        if (line.kind == Line::Kind::Section && SameName(line.name, section)) {
            return i;
        }
    }
    return -1;
}

int IniFile::SectionEnd(int sectionLine) const
{
    int end = sectionLine + 1;
    while (end < m_lines.size() && Parse(m_lines.at(end), false).kind != Line::Kind::Section) {
        ++end;
    }
    return end;
}

int IniFile::FindKey(int sectionLine, const QString& key) const
{
    const int end = SectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        const Line line = Parse(m_lines.at(i), false);
        if (line.kind == Line::Kind::Key && SameName(line.name, key)) {
            return i;
        }
    }
    return -1;
}

std::optional<QString> IniFile::Value(const QString& section, const QString& key) const
{
    const int sectionLine = FindSection(section);
    if (sectionLine < 0) {
        return std::nullopt;
    }
    const int keyLine = FindKey(sectionLine, key);
    if (keyLine < 0) {
        return std::nullopt;
    }
    return Parse(m_lines.at(keyLine), false).value;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue, int size) const
{
    return CutToBuffer(Value(section, key).value_or(defaultValue), size);
}

QByteArray IniFile::Terminated(const QString& text) const
{
    QByteArray bytes = text.toUtf8();
    if (m_crlf) {
        bytes.append('\r');
    }
    return bytes;
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value)
{
    const QByteArray keyLine = Terminated(FirstLine(key) + u'=' + FirstLine(value));
    const int sectionLine = FindSection(section);
    if (sectionLine < 0) {
        if (!m_lines.isEmpty() && !QString::fromUtf8(m_lines.last()).trimmed().isEmpty()) {
            m_lines.append(Terminated({}));
        }
        m_lines.append(Terminated(u'[' + FirstLine(section) + u']'));
        m_lines.append(keyLine);
        m_finalNewline = true;
        return;
    }
    const int existing = FindKey(sectionLine, key);
    if (existing >= 0) {
        m_lines[existing] = keyLine;
        return;
    }
    // A new key goes behind the section's last non-blank line, so the blank
    // lines that part it from the next section stay where they are.
    int insertAt = SectionEnd(sectionLine);
    while (insertAt > sectionLine + 1 && QString::fromUtf8(m_lines.at(insertAt - 1)).trimmed().isEmpty()) {
        --insertAt;
    }
    m_lines.insert(insertAt, keyLine);
    if (insertAt == m_lines.size() - 1) {
        m_finalNewline = true;
    }
}

void IniFile::RemoveValue(const QString& section, const QString& key)
{
    const int sectionLine = FindSection(section);
    const int existing = sectionLine < 0 ? -1 : FindKey(sectionLine, key);
    if (existing >= 0) {
        m_lines.removeAt(existing);
    }
}

bool IniFile::Save() const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = Contents();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString IniFile::CutToBuffer(const QString& text, int size)
{
    const qsizetype room = size > 0 ? size - 1 : 0;
    if (text.size() <= room) {
        return text;
    }
    qsizetype keep = room;
    if (keep > 0 && text.at(keep - 1).isHighSurrogate()) {
        --keep;
    }
    return text.left(keep);
}
