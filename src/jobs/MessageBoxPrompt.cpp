// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/MessageBoxPrompt.h"

#include "base/AppMessage.h"
#include "jobs/UiThreadCall.h"

MessageBoxPrompt::MessageBoxPrompt(UiThreadCall& ui) : m_ui(ui)
{
}

void MessageBoxPrompt::MessageBox(const std::string& text)
{
    if (m_quiet)
        return;
    const QString message = QString::fromStdString(text);
    m_ui.Run([&] {
        if (!m_quiet)
            Show(message);
    });
}

void MessageBoxPrompt::Show(const QString& text)
{
    AppMessage::Show(m_parent, text);
}

void MessageBoxPrompt::SetParent(QWidget* parent)
{
    m_parent = parent;
}

void MessageBoxPrompt::SetQuiet(bool quiet)
{
    m_quiet = quiet;
}
