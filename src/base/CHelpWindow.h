// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QTextBrowser;

// The help viewer: a window with one browser that shows the program's own
// HTML help pages from the folder "help" beside the executable (or in the
// installed data folder).
class CHelpWindow : public QDialog {
    Q_OBJECT

public:
    // Shows pages of `folder`, the help folder beside the program unless given.
    explicit CHelpWindow(QWidget* parent = nullptr, QString folder = HelpFolder());

    // The folder of the help pages: "help" in the executable's folder, or
    // else in the installed data folder; the current directory plays no part.
    static QString HelpFolder();

    // Shows the page `page` (a file name such as "intro.htm") of the window's
    // folder and brings the window to the front. A missing page shows a
    // short note in the window instead.
    void ShowTopic(const QString& page);

    // The page asked for last, as a local file URL.
    QUrl Topic() const;
    QTextBrowser* Browser() const { return m_browser; }

private:
    QString m_folder;
    QTextBrowser* m_browser;
    QUrl m_requested;
};
