// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A private-profile (INI) file: "[Section]" lines, "Key=Value" lines and
// everything else (comments, blank lines, foreign text) kept as it was.
// Sections and keys match case-insensitively, the first match wins, and
// values are read with the blanks around them cut off. Values are written
// verbatim, with no quoting or escaping. Lines are stored as their bytes, so
// whatever this class does not change is saved byte for byte, line endings
// included. Text is UTF-8.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& Path() const { return m_path; }

    // Reads the file. A missing file reads as an empty one; false when the
    // file exists but cannot be read (the contents are then empty).
    bool Load();

    // Replaces the contents by `bytes`, as if they had been read from disk.
    void SetContents(const QByteArray& bytes);
    QByteArray Contents() const;

    std::optional<QString> Value(const QString& section, const QString& key) const;

    // The private-profile read: the value, or `defaultValue` when the
    // section or key is missing, cut to fit a buffer of `size` characters
    // with its terminator, that is to size - 1 characters.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue, int size) const;

    // Sets `key` in `section`, adding the key at the end of the section, or
    // the section at the end of the file, when missing. A value holding a
    // line break is cut there: it could not be read back otherwise, and the
    // rest of it would turn into lines of its own.
    void SetValue(const QString& section, const QString& key, const QString& value);
    // Removes `key` from `section`; nothing when it is not there.
    void RemoveValue(const QString& section, const QString& key);

    // Writes the file atomically: a temporary file beside it replaces the
    // old one only once it has been written completely. False on failure,
    // and the old file is then left as it was.
    bool Save() const;

    // `text` cut to fit a buffer of `size` characters, terminator included;
    // a surrogate pair is never split.
    static QString CutToBuffer(const QString& text, int size);

private:
    struct Line;
    static Line Parse(const QByteArray& raw, bool first);
    int FindSection(const QString& section) const;
    int SectionEnd(int sectionLine) const;
    int FindKey(int sectionLine, const QString& key) const;
    QByteArray Terminated(const QString& text) const;

    QString m_path;
    QList<QByteArray> m_lines;   // raw lines, without their '\n'
    bool m_finalNewline = true;  // whether the last line ended in '\n'
    bool m_crlf = false;         // whether the file uses "\r\n"
};
