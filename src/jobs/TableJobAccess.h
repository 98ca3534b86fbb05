#pragma once

#include "convert/JobTableAccess.h"

#include <chrono>
#include <mutex>
#include <optional>
#include <string>

class CMyListView;
class UiThreadCall;

// The job table as the conversion on the worker thread sees it.
//
// Cell reads wait for the UI thread. Status writes from the conversion do
// not: the newest text waits in one slot and a single queued call carries
// it over, so a conversion that reports every frame is never slowed by the
// window. The worker's own writes (SetStatusNow) wait, and always come
// after any text still pending.
//
// Status writes go to the job the worker was started for (the table's
// running job), which is the row the conversion was given.
class TableJobAccess : public JobTableAccess {
public:
    TableJobAccess(CMyListView& table, UiThreadCall& ui);

    std::string CellText(int row, int column) override;
    void SetStatus(int row, const std::string& text) override;

    // Writes the running job's Status and waits until it is shown.
    void SetStatusNow(const std::string& text);

private:
    void DeliverPending();

    static constexpr std::chrono::milliseconds kProgressDelay{40};

    CMyListView& m_table;
    UiThreadCall& m_ui;
    std::mutex m_mutex;
    std::optional<std::string> m_pending;  // newest status not yet shown
};
