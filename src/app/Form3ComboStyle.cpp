// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form3ComboStyle.h"

#include <QStyleOptionComplex>

#include <algorithm>

namespace {

// Pixels the text field gains: one on the left, the rest taken from the
// blank space before the arrow.
constexpr int gainLeft = 1;
constexpr int gainRight = 4;

} // namespace

Form3ComboStyle::Form3ComboStyle(const QString &baseStyleName)
    : QProxyStyle(baseStyleName)
{
}

QRect Form3ComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                      SubControl subControl, const QWidget *widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (control == CC_ComboBox && subControl == SC_ComboBoxEditField && option
        && option->direction == Qt::LeftToRight) {
        const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
        // Never past the middle of the arrow area less a few pixels for the glyph.
        const int limit = arrow.isValid() ? arrow.center().x() - 6 : rect.right();
        rect.setLeft(rect.left() - gainLeft);
        rect.setRight(std::min(rect.right() + gainRight, limit));
    }
    return rect;
}
