// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

// While alive, takes every modal dialog that opens (message boxes aside,
// which ModalBoxCatcher answers), remembers its class and caption, and
// either hands it to `handle` or cancels it.
class ModalDialogCatcher {
public:
    struct Dialog {
        QString className;
        QString caption;
    };
    using Handler = std::function<void(QDialog& dialog)>;

    explicit ModalDialogCatcher(Handler handle = {}) : m_handle(std::move(handle))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(5);
    }

    const std::vector<Dialog>& Dialogs() const { return m_dialogs; }

private:
    void Poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || qobject_cast<QMessageBox*>(dialog) || dialog == m_last)
            return;
        m_last = dialog;
        m_dialogs.push_back({QString::fromLatin1(dialog->metaObject()->className()), dialog->windowTitle()});
        if (m_handle)
            m_handle(*dialog);
        else
            dialog->reject();
    }

    Handler m_handle;
    QTimer m_timer;
    QPointer<QDialog> m_last;
    std::vector<Dialog> m_dialogs;
};
