// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "EventWait.h"
#include "TempDir.h"
#include "jobs/KeptJobsStore.h"

#include <chrono>
#include <functional>
#include <vector>

// Helpers for the window tests: waiting while the UI thread keeps serving
// events, and answering the modal message boxes a command opens.

// Handles events until `done` holds or `timeout` has passed; true when it held.
inline bool ProcessEventsUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout = std::chrono::milliseconds(10000))
{
    return WaitUntil(done, timeout);
}

// While alive, answers every modal message box that opens with `answer` and
// remembers its caption and text.
class ModalBoxCatcher {
public:
    struct Box {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        // The box's centre and that of the window it belongs to, if any.
        QPoint centre;
        QPoint ownerCentre;
        QString details;
    };

    explicit ModalBoxCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok) : m_answer(answer)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(5);
    }

    const std::vector<Box>& Boxes() const { return m_boxes; }

private:
    void Poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == m_last)
            return;
        m_last = box;
        const QWidget* owner = box->parentWidget() ? box->parentWidget()->window() : nullptr;
        m_boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->frameGeometry().center(),
                           owner ? owner->frameGeometry().center() : QPoint(), box->detailedText()});
        QAbstractButton* button = box->button(m_answer);
        if (button)
            button->click();
        else
            box->reject();
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    QPointer<QMessageBox> m_last;
    std::vector<Box> m_boxes;
};

// Points the kept-jobs file at a folder of its own while alive.
class DataHome {
public:
    DataHome() : m_old(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", m_dir.Path().c_str()); }
    ~DataHome() { qputenv("XDG_DATA_HOME", m_old); }
    QString JobsFile() const { return QString::fromStdString(m_dir.Path()) + "/vorlanta/" + KeptJobsStore::kFileName; }

private:
    TempDir m_dir;
    QByteArray m_old;
};
