// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartExport.h"
#include "app/ClassifyCommand.h"
#include "app/CommandLine.h"
#include "app/Form3.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QTextStream>

#include <cstdio>

namespace {

// Prints what the command line asked for (help, version, a mistake) and
// gives the exit code.
int answer(const CommandLine::Request &request)
{
    std::fputs(request.output.toLocal8Bit().constData(), stdout);
    std::fputs(request.error.toLocal8Bit().constData(), stderr);
    return request.exitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    if (CommandLine::asksOnlyForText(argc, argv)) {
        QCoreApplication terminal(argc, argv);
        return answer(CommandLine().parse(QCoreApplication::arguments()));
    }
    // Classifying reads files and prints lines: no window system at all.
    if (CommandLine::asksToClassify(argc, argv)) {
        QCoreApplication terminal(argc, argv);
        const CommandLine::Request request = CommandLine().parse(QCoreApplication::arguments());
        if (request.exitNow || !request.classifying)
            return answer(request);
        QTextStream out(stdout);
        QTextStream errors(stderr);
        return classifyFiles(request.givenFiles, out, errors);
    }
    // An export shows no window, so it needs no display: scripts run it
    // where there is none.
    if (CommandLine::asksForExport(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tervalo"));
    QApplication::setApplicationVersion(CommandLine::version());
    QApplication::setDesktopFileName(QStringLiteral("io.github.tervalo.Tervalo"));
    const CommandLine::Request request = CommandLine().parse(QApplication::arguments());
    if (request.exitNow)
        return answer(request);
    // The old Windows look of Qt's fallback style does not suit the small
    // design; Fusion does.
    if (QApplication::style()->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (request.exporting) {
        QTextStream errors(stderr);
        return exportChart(request.exportPath, request.kind, request.files, errors);
    }
    // Outlives the main window's controls: what survives reset all.
    ProgramState program;
    Form3 window(program);
    window.show();
    window.loadDataFiles(request.files);
    return app.exec();
}
