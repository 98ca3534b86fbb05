// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CHelpWindow.h"

#include "convert/InstallLayout.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <utility>

CHelpWindow::CHelpWindow(QWidget* parent, QString folder)
    : QDialog(parent), m_folder(std::move(folder)), m_browser(new QTextBrowser(this))
{
    setWindowTitle(tr("Vorlanta Help"));
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 520);
}

QString CHelpWindow::HelpFolder()
{
    return QString::fromStdString(
        InstallLayout::FindData(QCoreApplication::applicationDirPath().toStdString(), "help"));
}

void CHelpWindow::ShowTopic(const QString& page)
{
    const QString path = m_folder + QLatin1Char('/') + page;
    if (QFileInfo::exists(path)) {
        m_browser->setSource(QUrl::fromLocalFile(path));
    } else {
        m_browser->setHtml(tr("<p>The help page <b>%1</b> was not found.</p>"
                              "<p>The help pages belong in the folder <tt>%2</tt>.</p>")
                               .arg(page.toHtmlEscaped(), m_folder.toHtmlEscaped()));
    }
    m_requested = QUrl::fromLocalFile(path);
    show();
    raise();
    activateWindow();
}

QUrl CHelpWindow::Topic() const
{
    return m_requested;
}
