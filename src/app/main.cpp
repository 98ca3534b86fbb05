// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMyApp.h"
#include "app/Translations.h"
#include "convert/BuildInfo.h"

#include <BuildConfig.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QCoreApplication::translate("main", "Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QCoreApplication::translate("main", "Show the version and exit.")};
    QCommandLineOption portable{QStringLiteral("portable"),
                                QCoreApplication::translate("main",
                                                            "Keep the settings (config.ini) beside the program\n"
                                                            "instead of in $XDG_CONFIG_HOME/vorlanta.")};
    // Qt's own options, which QApplication takes off the command line: known
    // here so that they are not called unknown before there is a display.
    QCommandLineOption platform{QStringLiteral("platform"), QString(), QStringLiteral("name")};
    std::vector<QCommandLineOption> qtOptions;

    CommandLine()
    {
        // -platform, -style: Qt's options are words after one dash.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(
            QCoreApplication::translate("main",
                                        "Converts MP3 files to another bitrate, and FLAC, WAV, AIFF, Ogg, Opus, M4A,\n"
                                        "WMA, APE and WavPack files to MP3. The FILEs are added to the job\n"
                                        "table as if they had been chosen with Job > Add, FOLDERs as with\n"
                                        "Job > Add Folder (every audio file below them)."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(portable);
        for (const char* name :
             {"platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
              "display", "style", "stylesheet", "session", "geometry", "title", "name"})
            qtOptions.emplace_back(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
            qtOptions.emplace_back(QString::fromLatin1(name));
        qtOptions.push_back(platform);
        for (QCommandLineOption& option : qtOptions) {
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QCoreApplication::translate("main", "Audio files or folders to add."),
                                     QStringLiteral("[FILE|FOLDER...]"));
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
    std::error_code error;
    const QString folder
        = QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string());

    // --help, --version and a wrong command line answer on the terminal, in
    // the user's language, with or without a display.
    bool portable = false;
    {
        QCoreApplication terminal(argc, argv);
        const Translations translations(folder);
        CommandLine commandLine;
        if (!commandLine.parser.parse(Arguments(argc, argv))) {
            std::fputs(qPrintable(QCoreApplication::translate("main", "%1: %2\nTry '%1 --help'.\n")
                                      .arg(program, commandLine.parser.errorText())),
                       stderr);
            return 2;
        }
        if (commandLine.parser.isSet(commandLine.help)) {
            // Qt names the program as it was called; the help names its file.
            QString help = commandLine.parser.helpText();
            const QString called = QCoreApplication::arguments().value(0);
            if (const qsizetype at = help.indexOf(called); !called.isEmpty() && at >= 0)
                help.replace(at, called.size(), program);
            std::fputs(qPrintable(help), stdout);
            return 0;
        }
        if (commandLine.parser.isSet(commandLine.version)) {
            std::fputs(VersionText(program).c_str(), stdout);
            return 0;
        }
        // Without a display Qt would abort with a terse message; say what to do.
        const QByteArray chosenPlatform = commandLine.parser.isSet(commandLine.platform)
            ? commandLine.parser.value(commandLine.platform).toLocal8Bit()
            : qgetenv("QT_QPA_PLATFORM");
        if (!CMyApp::DisplayConfigured(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"), chosenPlatform)) {
            std::fputs(qPrintable(CMyApp::NoDisplayMessage(program)), stderr);
            return 2;
        }
        portable = commandLine.parser.isSet(commandLine.portable);
    }
    // A file-size limit makes a result's write fail, reported as such,
    // instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication qtApplication(argc, argv);
    const Translations translations(folder);
    // Message boxes carry the program's file name without extension.
    QApplication::setApplicationName(QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    // Lets Wayland compositors match the window with the desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORLANTA_APP_ID));
    // Parsed again without the options Qt itself has taken (-platform, -style...).
    CommandLine commandLine;
    commandLine.parser.process(QApplication::arguments());
    QStringList notAdded;
    const QStringList files = CMyApp::StartFiles(commandLine.parser.positionalArguments(), notAdded);
    for (const QString& line : notAdded)
        std::fprintf(stderr, "%s: %s\n", qPrintable(program), qPrintable(line));

    CMyApp app(SettingsStore(SettingsStore::DefaultLocation(portable)));
    app.SetStartFiles(files);
    app.SetStartNotAdded(notAdded);
    return app.Run();
}
