// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QString>

#include <vector>

class CMyListView;

// Keeps every text that appears in the table's Status column, with the
// Source File of its row at that moment. The table shows only the newest
// status; this shows the road there.
class StatusRecorder {
public:
    struct Entry {
        QString source;
        QString status;
    };

    explicit StatusRecorder(CMyListView& table);
    ~StatusRecorder();
    StatusRecorder(const StatusRecorder&) = delete;
    StatusRecorder& operator=(const StatusRecorder&) = delete;

    const std::vector<Entry>& Entries() const { return m_entries; }
    // The statuses one source's row went through, in order.
    std::vector<QString> StatusesOf(const QString& source) const;
    bool Saw(const QString& source, const QString& status) const;
    void Clear() { m_entries.clear(); }

private:
    CMyListView& m_table;
    QMetaObject::Connection m_connection;
    std::vector<Entry> m_entries;
};
