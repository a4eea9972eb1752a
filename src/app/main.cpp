// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form3.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tervalo"));
    Form3 window;
    window.show();
    return app.exec();
}
