#include "jobs/TableJobAccess.h"

#include "jobs/CMyListView.h"
#include "jobs/UiThreadCall.h"

TableJobAccess::TableJobAccess(CMyListView& table, UiThreadCall& ui) : m_table(table), m_ui(ui) {}

std::string TableJobAccess::CellText(int row, int column)
{
    std::string text;
    m_ui.Run([&] { text = m_table.CellText(row, column).toStdString(); });
    return text;
}

void TableJobAccess::SetStatus(int /*row*/, const std::string& text)
{
    bool deliveryQueued = false;
    {
        std::lock_guard lock(m_mutex);
        deliveryQueued = m_pending.has_value();
        m_pending = text;
    }
    // Progress is shown a few times a second, not once per frame: the worker
    // never waits for the window, and the window does not redraw for nothing.
    if (!deliveryQueued)
        m_ui.PostDelayed([this] { DeliverPending(); }, kProgressDelay);
}

void TableJobAccess::DeliverPending()
{
    std::optional<std::string> text;
    {
        std::lock_guard lock(m_mutex);
        text.swap(m_pending);
    }
    if (text)
        m_table.SetRunningJobStatus(QString::fromStdString(*text));
}

void TableJobAccess::SetStatusNow(const std::string& text)
{
    // Any progress text still pending goes first, so the order of texts is kept.
    m_ui.Run([&] {
        DeliverPending();
        m_table.SetRunningJobStatus(QString::fromStdString(text));
    });
}
