// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/ActivityLog.h"

#include <QString>

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

class CLogView;
class UiThreadCall;

// The activity log as the conversion on the worker thread sees it: lines go
// to the window's log view on the UI thread without the worker waiting.
//
// Lines are delivered in order. A progress line (ending in a bare "\r") that
// has not been shown yet is replaced by the line that follows it, exactly as
// the log view would replace it on screen; so a conversion reporting every
// frame costs the UI thread one line per delivery, however fast it reports.
class LogViewActivityLog : public ActivityLog {
public:
    using Sink = std::function<void(const QString&)>;

    explicit LogViewActivityLog(UiThreadCall& ui);

    void showmessage(const std::string& text) override;
    // The engine's texts through the application's Qt translators.
    Translator Language() const override { return QtTranslation(); }
    static Translator QtTranslation();

    // UI thread: where lines go. Without a target they are dropped.
    void SetView(CLogView* view);
    void SetSink(Sink sink);

    static bool IsProgressLine(const std::string& text);

private:
    enum class Delivery { Now, Later };
    void DeliverPending(Delivery delivery);

    static constexpr std::chrono::milliseconds kProgressDelay{100};

    UiThreadCall& m_ui;
    Sink m_sink;  // UI thread only
    std::mutex m_mutex;
    std::deque<std::string> m_pending;
    bool m_nowQueued = false;    // a delivery for a line that stays is queued
    bool m_laterQueued = false;  // a delayed delivery for progress is queued
};
