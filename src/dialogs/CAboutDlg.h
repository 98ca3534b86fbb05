// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QPixmap>
#include <QString>
#include <QUrl>
#include <functional>

class CHelpWindow;
class CHyperLink;
class QLabel;
class QPushButton;

// The About box: the program's emblem, name and version, and a link to the
// program's home page or, when none was given at build time, its help pages.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static QString kCaption() { return QCoreApplication::translate("CAboutDlg", "About Vorlanta"); }
    static inline const QString kProductName = QStringLiteral("Vorlanta");
    static QString kVersion() { return QCoreApplication::translate("CAboutDlg", "Version 1.0"); }
    // The link's text when it leads to the help pages shipped with the program.
    static QString kHelpLinkText() { return QCoreApplication::translate("CAboutDlg", "Vorlanta Help"); }
    static QString kMakerLine()
    {
        return QCoreApplication::translate("CAboutDlg", "An MP3 bitrate converter by the Vorlanta developers.");
    }
    static constexpr int kEmblemSize = 128;

    // Hands an address to the desktop's browser; false when there is none
    // to take it. Tests replace it.
    using Launcher = std::function<bool(const QUrl& target)>;

    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    // The home page given at build time, or else the first help page
    // shipped with the program (a local file URL).
    static QString LinkTarget();
    // What the link shows: the home page's address, or kHelpLinkText().
    static QString LinkText();

    // The 128 x 128 emblem: a sound wave in a rounded square.
    static QPixmap Emblem();

    // The link opens its page in the browser, or, where no browser can be
    // started, the help page in the program's own help window.
    void OpenLink(const QUrl& target);
    void SetLauncher(Launcher launcher);
    CHelpWindow* HelpWindow() const { return m_helpWindow; }

    CHyperLink* Link() const { return m_link; }
    QLabel* Picture() const { return m_picture; }
    QLabel* ProductLabel() const { return m_product; }
    QLabel* VersionLabel() const { return m_version; }
    QLabel* MakerLabel() const { return m_maker; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QLabel* AddText(const QString& text, const QRect& geometry, Qt::Alignment alignment);

    Launcher m_launcher;
    CHelpWindow* m_helpWindow = nullptr;
    CHyperLink* m_link = nullptr;
    QLabel* m_picture = nullptr;
    QLabel* m_product = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_maker = nullptr;
    QPushButton* m_ok = nullptr;
};
