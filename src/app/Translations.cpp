// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Translations.h"

#include "convert/InstallLayout.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

Translations::Translations(const QString& programFolder)
{
    const QLocale locale = QLocale::system();
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // Qt's own texts first, so that ours are looked up before them.
    for (const auto& [name, folder] : {std::pair{QStringLiteral("qtbase"), qtFolder},
                                       std::pair{QStringLiteral("vorlanta"), Folder(programFolder)}}) {
        auto translator = std::make_unique<QTranslator>();
        // An English locale, or one without a translation, keeps the texts as written.
        if (translator->load(locale, name, QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator.get()))
            m_installed.push_back(std::move(translator));
    }
}

Translations::~Translations()
{
    for (const auto& translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
}

QString Translations::Folder(const QString& programFolder)
{
    return QString::fromStdString(InstallLayout::FindData(programFolder.toStdString(), "translations"));
}
