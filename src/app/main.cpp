// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AtlasExport.h"
#include "app/ChartExport.h"
#include "app/ClassifyCommand.h"
#include "app/CommandLine.h"
#include "app/Form3.h"
#include "platform/NameOnlyIconProvider.h"

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QStyleFactory>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

void nameTheProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tervalo"));
    QCoreApplication::setApplicationVersion(CommandLine::version());
}

// The whole command line, read before any window system is opened. Without
// a display QApplication's constructor ends the program on the spot, so
// every answer and every mistake is settled here, in the terminal.
CommandLine::Request readCommandLine(int &argc, char *argv[])
{
    QCoreApplication terminal(argc, argv);
    nameTheProgram();
    return CommandLine().parse(CommandLine::arguments(argc, argv));
}

// Prints what the command line asked for (help, version, a mistake) and
// gives the exit code.
int answer(const CommandLine::Request &request)
{
    std::fputs(request.output.toLocal8Bit().constData(), stdout);
    std::fputs(request.error.toLocal8Bit().constData(), stderr);
    return request.exitCode;
}

void useFusionOverWindowsStyle()
{
    // The old Windows look of Qt's fallback style does not suit the small
    // design; Fusion does.
    if (QApplication::style()->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

// An export or an atlas shows no window, so it needs no display: scripts
// run it where there is none. The window system gets none of the line,
// which is all the program's own.
int exportWithoutWindow(char *programName, const CommandLine::Request &request)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char *argv[] = {programName, nullptr};
    QApplication app(argc, argv);
    nameTheProgram();
    useFusionOverWindowsStyle();
    QTextStream errors(stderr);
    if (request.action == CommandLine::Action::Atlas)
        return exportAtlas(request.atlasPath, request.kind, request.atlas, request.files, errors);
    return exportChart(request.exportPath, request.kind, request.dpi, request.files, errors);
}

// Classifying reads files and prints lines: no window system at all.
int classifyWithoutWindow(int &argc, char *argv[], const CommandLine::Request &request)
{
    QCoreApplication terminal(argc, argv);
    nameTheProgram();
    // Unbuffered, each line goes out when it is known: the lines on both
    // streams keep the order of the files in a terminal.
    QFile out;
    QFile errors;
    if (!out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)
        || !errors.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 2;
    return classifyFiles(request.givenFiles, out, errors);
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine::Request request = readCommandLine(argc, argv);
    switch (request.action) {
    case CommandLine::Action::Answer:
        return answer(request);
    case CommandLine::Action::Export:
    case CommandLine::Action::Atlas:
        return exportWithoutWindow(argv[0], request);
    case CommandLine::Action::Classify:
        return classifyWithoutWindow(argc, argv, request);
    case CommandLine::Action::OpenWindow:
        break;
    }

    // The window system takes its own options (-style, -platform …) off
    // the line here; the request above already let them through.
    QApplication app(argc, argv);
    nameTheProgram();
    QApplication::setDesktopFileName(QStringLiteral("io.github.tervalo.Tervalo"));
    useFusionOverWindowsStyle();
    // File dialogs Qt opens by itself (printing to a file) list folders
    // without reading what is in the files, as the program's own do.
    NameOnlyIconProvider::watchFileDialogs(app);
    // Outlives the main window's controls: what survives reset all.
    ProgramState program;
    Form3 window(program);
    window.show();
    window.loadDataFiles(request.files);
    return app.exec();
}
