// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form3.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tervalo"));
    // The old Windows look of Qt's fallback style does not suit the small
    // design; Fusion does.
    if (QApplication::style()->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Outlives the main window's controls: what survives reset all.
    ProgramState program;
    Form3 window(program);
    window.show();
    return app.exec();
}
