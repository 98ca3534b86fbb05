#include "jobs/MessageBoxPrompt.h"

#include "jobs/UiThreadCall.h"

#include <QCoreApplication>
#include <QMessageBox>

MessageBoxPrompt::MessageBoxPrompt(UiThreadCall& ui) : m_ui(ui) {}

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
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    m_parent ? m_parent->window() : nullptr);
    box.exec();
}

void MessageBoxPrompt::SetParent(QWidget* parent)
{
    m_parent = parent;
}

void MessageBoxPrompt::SetQuiet(bool quiet)
{
    m_quiet = quiet;
}
