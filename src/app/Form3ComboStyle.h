// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// The window's style for its small drop-down lists: the design gives them
// 60 pixels, where the usual text field leaves no room for "Default". The
// text field is widened towards the arrow, which keeps its place.
class Form3ComboStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit Form3ComboStyle(const QString &baseStyleName);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl subControl,
                         const QWidget *widget = nullptr) const override;
};
