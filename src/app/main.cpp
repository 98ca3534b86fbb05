// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMyApp.h"
#include "convert/BuildInfo.h"

#include <BuildConfig.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption portable{QStringLiteral("portable"),
                                QStringLiteral("Keep the settings (config.ini) beside the program\n"
                                               "instead of in $XDG_CONFIG_HOME/vorlanta.")};

    CommandLine()
    {
        parser.setApplicationDescription(
            QStringLiteral("Converts MP3 files to another bitrate. The FILEs are added to the job\n"
                           "table as if they had been chosen with Job > Add."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(portable);
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("MP3 files to add."),
                                     QStringLiteral("[FILE...]"));
    }
};

// What a bug report needs: the build and the libraries it runs with.
std::string VersionText(const QString& program)
{
    // No application object yet: the program's folder from the kernel.
    std::error_code error;
    const std::string folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
    return BuildInfo::VersionLine(program.toStdString()) + "\nQt " + qVersion() + ", LAME "
        + BuildInfo::LameVersion(folder) + ", mpg123 " + BuildInfo::Mpg123Version() + "\n";
}

QStringList Arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}  // namespace

int main(int argc, char** argv)
{
    const QString program
        = argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).fileName() : QStringLiteral("vorlanta");
    QCoreApplication::setApplicationName(program);
    QCoreApplication::setApplicationVersion(QStringLiteral(VORLANTA_VERSION));

    // --help and --version answer on the terminal, with or without a display.
    CommandLine commandLine;
    if (commandLine.parser.parse(Arguments(argc, argv))) {
        if (commandLine.parser.isSet(commandLine.help)) {
            // Without an application object Qt cannot name the program itself.
            QString help = commandLine.parser.helpText();
            help.replace(QStringLiteral("<executable_name>"), program);
            std::fputs(qPrintable(help), stdout);
            return 0;
        }
        if (commandLine.parser.isSet(commandLine.version)) {
            std::fputs(VersionText(program).c_str(), stdout);
            return 0;
        }
    }
    // Without a display Qt would abort with a terse message; say what to do.
    if (!CMyApp::DisplayConfigured(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"), qgetenv("QT_QPA_PLATFORM"))) {
        std::fputs(qPrintable(CMyApp::NoDisplayMessage(program)), stderr);
        return 2;
    }
    // A file-size limit makes a result's write fail, reported as such,
    // instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication qtApplication(argc, argv);
    // Message boxes carry the program's file name without extension.
    QApplication::setApplicationName(QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    // Lets Wayland compositors match the window with the desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORLANTA_APP_ID));
    // Parsed again without the options Qt itself has taken (-platform, -style...).
    if (!commandLine.parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", qPrintable(program),
                     qPrintable(commandLine.parser.errorText()), qPrintable(program));
        return 2;
    }
    QStringList missing;
    const QStringList files = CMyApp::ExistingFiles(commandLine.parser.positionalArguments(), missing);
    for (const QString& path : missing)
        std::fprintf(stderr, "%s: %s: no such file, not added\n", qPrintable(program), qPrintable(path));

    CMyApp app(SettingsStore(SettingsStore::DefaultLocation(commandLine.parser.isSet(commandLine.portable))));
    app.SetStartFiles(files);
    return app.Run();
}
