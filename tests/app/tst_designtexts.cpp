// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption of the main window, the editor and the colour chooser, and
// the widest usual texts of the values table, shown whole at the design
// sizes with the fonts the controls actually use. A missing font (a wider
// fallback) cuts texts off, and this test says which.
#include "app/Form3.h"
#include "colour/Form8.h"
#include "data/DataSet.h"
#include "data/ProgramState.h"
#include "editor/Form1.h"
#include "platform/DataGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace {

// Where a control's text is drawn: its style's contents rectangle; the
// painter clips at the control's own rectangle, so the text's height is
// measured against that.
QRect buttonContents(const QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox *>(button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton *>(button))
        element = QStyle::SE_RadioButtonContents;
    else if (const auto *push = qobject_cast<const QPushButton *>(button)) {
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
    }
    return button->style()->subElementRect(element, &option, button);
}

// The height a vertically centred single line of text takes from a box of
// `height` pixels: the whole box when a glyph of it reaches beyond the box.
int inkHeight(const QFontMetrics &metrics, const QString &text, int height)
{
    if (text.contains(u'\n'))
        return metrics.size(0, text).height();
    const double baseline = (height - metrics.height()) / 2.0 + metrics.ascent();
    const QRect ink = metrics.tightBoundingRect(text);
    const bool whole = baseline + ink.top() >= 0 && baseline + ink.bottom() + 1 <= height;
    return whole ? ink.height() : height + 1;
}

// The texts of `window`'s controls that do not fit, one line each.
QStringList cutTexts(const QWidget *window)
{
    QStringList cut;
    const auto check = [&cut](const QWidget *w, const QString &text, QSize need, QSize room) {
        if (need.width() > room.width() || need.height() > room.height())
            cut << QStringLiteral("%1 \"%2\" (%3 %4 px): needs %5 x %6, has %7 x %8")
                       .arg(w->objectName(), text, QFontInfo(w->font()).family())
                       .arg(QFontInfo(w->font()).pixelSize())
                       .arg(need.width()).arg(need.height()).arg(room.width()).arg(room.height());
    };
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        const QFontMetrics metrics(w->font());
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
                continue;
            const QRect room = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
            QSize need = metrics.size(Qt::TextShowMnemonic, label->text());
            need.setHeight(inkHeight(metrics, label->text(), label->contentsRect().height()));
            if (label->wordWrap())
                need = QSize(0, label->heightForWidth(label->width()));
            check(w, label->text(), need, QSize(room.width(), w->height()));
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            if (button->text().isEmpty() || qobject_cast<const QToolButton *>(w))
                continue;
            QSize need = metrics.size(Qt::TextShowMnemonic, button->text());
            need.setHeight(inkHeight(metrics, button->text(), w->height()));
            if (!button->icon().isNull())
                need.rwidth() += button->iconSize().width() + 4;
            check(w, button->text(), need, QSize(buttonContents(button).width(), w->height()));
        } else if (const auto *box = qobject_cast<const QGroupBox *>(w)) {
            if (box->title().isEmpty())
                continue;
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.textAlignment = box->alignment();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            option.lineWidth = 1;
            const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, box);
            // The title's place may run past the box, which shows only its part.
            const QSize text = metrics.size(Qt::TextShowMnemonic, box->title());
            check(w, box->title(), QSize(label.x() + text.width(), text.height()), box->size());
        } else if (const auto *combo = qobject_cast<const QComboBox *>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            option.frame = combo->hasFrame();
            option.subControls = QStyle::SC_All;
            // The edit field less the label's pixel each side, or the line
            // edit's margins when the box is editable.
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            const int room = field.width() - (combo->isEditable() ? 4 : 2);
            for (int i = 0; i < combo->count(); ++i) {
                const QString text = combo->itemText(i);
                check(w, text, QSize(metrics.horizontalAdvance(text), inkHeight(metrics, text, w->height())),
                      QSize(room, w->height()));
            }
        }
    }
    return cut;
}

} // namespace

class TestDesignTexts : public QObject
{
    Q_OBJECT

private slots:
    void captionsFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << "Form3";
        QTest::newRow("editor") << "Form1";
        QTest::newRow("colour chooser") << "Form8";
    }
    void captionsFit()
    {
        QFETCH(QString, window);
        ProgramState program;
        std::unique_ptr<QWidget> shown;
        if (window == u"Form3") {
            auto main = std::make_unique<Form3>();
            main->setProgramEnd([] {});
            shown = std::move(main);
        } else if (window == u"Form1") {
            shown = std::make_unique<Form1>();
        } else {
            shown = std::make_unique<Form8>(program, nullptr);
        }
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        const QStringList cut = cutTexts(shown.get());
        QVERIFY2(cut.isEmpty(), qPrintable(u'\n' + cut.join(u'\n')));
    }

    // The widest usual texts of the values table, in its cells as the
    // first data set's columns have them.
    void valuesTableTextsFit()
    {
        Form3 main;
        main.setProgramEnd([] {});
        main.show();
        DataSet place;
        place.name = QStringLiteral("Place");
        QVERIFY(main.appendPlace(place));
        const DataGrid *grid = main.controls().Grid2;
        const QFontMetrics metrics(grid->font());
        // A cell loses its grid line and the style's text margin on each side.
        const int margin = std::max(0, grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        const int gridLine = grid->showGrid() ? 1 : 0;
        QStringList cut;
        const QList<std::pair<QString, int>> texts = {
            {QStringLiteral("-10.00"), 1}, {QStringLiteral("Tmp50"), 1}, {QStringLiteral("Ppt50"), 2},
            {QStringLiteral("1000"), 2}, {QStringLiteral("Average"), 0}, {QStringLiteral("Month"), 0}};
        for (const auto &[text, column] : texts) {
            const int room = grid->columnWidth(column) - gridLine - 2 * margin;
            if (metrics.horizontalAdvance(text) > room)
                cut << QStringLiteral("\"%1\" (%2 %3 px): needs %4, column %5 has %6")
                           .arg(text, QFontInfo(grid->font()).family())
                           .arg(QFontInfo(grid->font()).pixelSize())
                           .arg(metrics.horizontalAdvance(text)).arg(column).arg(room);
        }
        if (inkHeight(metrics, QStringLiteral("Tmp50"), grid->rowHeight(1) - gridLine) > grid->rowHeight(1) - gridLine)
            cut << QStringLiteral("rows of %1 pixels for a text %2 high").arg(grid->rowHeight(1)).arg(metrics.height());
        QVERIFY2(cut.isEmpty(), qPrintable(u'\n' + cut.join(u'\n')));
    }
};

QTEST_MAIN(TestDesignTexts)
#include "tst_designtexts.moc"
