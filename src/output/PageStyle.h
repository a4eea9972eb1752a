// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// The look of the program's printed and PDF pages: one text family, and the
// grey of the tables' header cells and rules, so the printed page and the
// atlas read as one program's work.
struct PageStyle
{
    static QFont font(double points, bool bold)
    {
        QFont font;
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                          QStringLiteral("DejaVu Sans")});
        font.setPointSizeF(points);
        font.setBold(bold);
        return font;
    }
    static QColor headerFill() { return QColor(236, 236, 236); }
    static QColor ruleColour() { return QColor(128, 128, 128); }
};
