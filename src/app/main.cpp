#include "app/CMyApp.h"

#include <QApplication>
#include <QFileInfo>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    // Without a display Qt would abort with a terse message; say what to do.
    if (!CMyApp::DisplayConfigured(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
                                   qgetenv("QT_QPA_PLATFORM"))) {
        const QString program = argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()
                                         : QStringLiteral("vorlanta");
        std::fputs(qPrintable(CMyApp::NoDisplayMessage(program)), stderr);
        return 2;
    }
    // A file-size limit makes a result's write fail, reported as such,
    // instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication qtApplication(argc, argv);
    // Message boxes carry the program's file name without extension.
    QApplication::setApplicationName(QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    CMyApp app;
    return app.Run();
}
