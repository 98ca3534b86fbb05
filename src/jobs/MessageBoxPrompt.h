// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/UserPrompt.h"

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <string>

class UiThreadCall;

// Messages of the conversion (such as an encoder that cannot start): a
// modal message box with an OK button, shown by the UI thread while the
// worker waits for it to be dismissed.
class MessageBoxPrompt : public UserPrompt {
public:
    explicit MessageBoxPrompt(UiThreadCall& ui);

    void MessageBox(const std::string& text) override;

    // UI thread: the window the box belongs to.
    void SetParent(QWidget* parent);
    // While quiet (the window is closing) messages are not shown.
    void SetQuiet(bool quiet);

private:
    void Show(const QString& text);

    UiThreadCall& m_ui;
    QPointer<QWidget> m_parent;
    std::atomic<bool> m_quiet{false};
};
