// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartExport.h"
#include "app/Form3.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStyle>
#include <QStyleFactory>
#include <QTextStream>

#include <cstring>

int main(int argc, char *argv[])
{
    // An export shows no window, so it needs no display: scripts run it
    // where there is none.
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--export", 8) == 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tervalo"));
    // The old Windows look of Qt's fallback style does not suit the small
    // design; Fusion does.
    if (QApplication::style()->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    {
        // tervalo --export chart.svg [--kind normal] a.tvr b.tvr: the chart
        // of the places written to a file, and the program ends.
        QCommandLineParser parser;
        const QCommandLineOption exportOption(QStringLiteral("export"),
                                              QStringLiteral("Write the chart of the data files to <file> (.png, .svg or .pdf) and quit."),
                                              QStringLiteral("file"));
        const QCommandLineOption kindOption(QStringLiteral("kind"),
                                            QStringLiteral("Chart kind of the export: tervalo or normal."),
                                            QStringLiteral("kind"), QStringLiteral("tervalo"));
        parser.addOptions({exportOption, kindOption});
        parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Data files (.tvr)."));
        const bool parsed = parser.parse(QApplication::arguments());
        if (parser.isSet(exportOption) || (!parsed && QApplication::arguments().join(u' ').contains(u"--export"))) {
            QTextStream errors(stderr);
            if (!parsed) {
                errors << "tervalo: " << parser.errorText() << Qt::endl;
                return 2;
            }
            return exportChart(parser.value(exportOption), parser.value(kindOption), parser.positionalArguments(),
                               errors);
        }
    }
    Form3 window;
    window.show();
    return app.exec();
}
