// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTranslator>
#include <memory>
#include <vector>

// The program's texts and Qt's own (standard buttons, file dialogs) in the
// user's language, as QLocale::system() names it (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG). Installed while the object lives; needs an
// application object.
class Translations {
public:
    // `programFolder` is where the program lies: its translations are
    // beside it in a build folder, in the shared data folder when installed.
    explicit Translations(const QString& programFolder);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // The folder the program's .qm files were looked for in.
    static QString Folder(const QString& programFolder);

private:
    std::vector<std::unique_ptr<QTranslator>> m_installed;
};
