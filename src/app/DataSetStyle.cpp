// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataSetStyle.h"

#include "app/MainState.h"
#include "data/ProgramState.h"
#include "colour/Form8.h"
#include "data/Rgb.h"
#include "data/NumberText.h"
#include "data/Twips.h"

#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include <limits>
#include <memory>
#include <utility>

namespace {

// The per-data-set tables run from 0 to 50; a number outside them stores nothing.
bool inTables(int n)
{
    return n >= 0 && n <= maxDataSets;
}

// The legend frame is this much wider than its widest label, in twips.
constexpr int legendFrameMargin = 160;

} // namespace

DataSetStyle::DataSetStyle(MainState &state, ProgramState &program, const StyleControls &controls,
                           std::function<void(bool)> reFaz, QObject *parent)
    : QObject(parent), m_state(state), m_program(program), m_controls(controls),
      m_reFaz(std::move(reFaz))
{
    if (m_controls.Combo5)
        connect(m_controls.Combo5, &QComboBox::activated, this, &DataSetStyle::Combo5_Click);
    if (m_controls.Slider1)
        connectUserChanges(m_controls.Slider1, &DataSetStyle::Slider1_Change);
    if (m_controls.Slider2)
        connectUserChanges(m_controls.Slider2, &DataSetStyle::Slider2_Click);
    if (m_controls.CommCor)
        connect(m_controls.CommCor, &QPushButton::clicked, this, &DataSetStyle::CommCor_Click);
    if (m_controls.Command2)
        connect(m_controls.Command2, &QPushButton::clicked, this, &DataSetStyle::Command2_Click);
}

// A slider's handler runs for what the user does: a step by keyboard, wheel
// or a click in the track (actionTriggered comes just before the value
// follows), and a dragged thumb once it is let go. Values set by code raise
// no action and so store nothing.
void DataSetStyle::connectUserChanges(QAbstractSlider *slider, void (DataSetStyle::*handler)())
{
    auto userStep = std::make_shared<bool>(false);
    connect(slider, &QAbstractSlider::actionTriggered, this, [slider, userStep](int) {
        if (!slider->isSliderDown() && slider->sliderPosition() != slider->value())
            *userStep = true;
    });
    connect(slider, &QAbstractSlider::valueChanged, this, [this, userStep, handler] {
        if (!*userStep)
            return;
        *userStep = false;
        (this->*handler)();
    });
    // Without tracking the value follows the thumb only after the release,
    // as a user step caught above.
    connect(slider, &QAbstractSlider::sliderReleased, this, [this, slider, handler] {
        if (slider->hasTracking())
            (this->*handler)();
    });
}

Form8 *DataSetStyle::chooser() const
{
    return m_chooser;
}

void DataSetStyle::setLabelColour(QLabel *label, qint32 colour)
{
    if (!label)
        return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Rgb::toQColor(colour));
    label->setPalette(palette);
}

// The data set of List2's current item: the number its first two characters
// begin with, rounded halves to even; 0 when they hold none.
int DataSetStyle::currentDataSet() const
{
    const QListWidgetItem *item = m_controls.List2 ? m_controls.List2->currentItem() : nullptr;
    const QString text = item ? item->text() : QString();
    const double value = NumberText::leadingValue(QStringView(text).left(2));
    return NumberText::wholeNumber(value, std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max())
        .value_or(0);
}

bool DataSetStyle::anySelected() const
{
    return m_controls.List2 && !m_controls.List2->selectedItems().isEmpty();
}

void DataSetStyle::Combo5_Click()
{
    if (m_state.loadingStyle == 1)
        return;
    if (anySelected() && m_controls.Combo5) {
        const int k = currentDataSet();
        if (inTables(k))
            m_state.setLineStyle[k] = m_controls.Combo5->currentIndex();
    }
    // Switching black-and-white on again writes the new line type's name
    // into the legend.
    if (m_state.blackWhite) {
        m_state.blackWhite = false;
        Command2_Click();
    }
    m_reFaz(false);
}

void DataSetStyle::Slider1_Change()
{
    if (m_state.loadingStyle == 1)
        return;
    if (anySelected() && m_controls.Slider1) {
        const int k = currentDataSet();
        if (inTables(k))
            m_state.setMarkerSize[k] = m_controls.Slider1->value();
    }
    m_reFaz(false);
}

void DataSetStyle::Slider2_Click()
{
    if (m_state.loadingStyle == 1)
        return;
    if (anySelected() && m_controls.Slider2) {
        const int k = currentDataSet();
        if (inTables(k))
            m_state.setLineWidth[k] = m_controls.Slider2->value();
    }
    m_reFaz(false);
}

// Opens the colour chooser for the current data set and waits, handling the
// window's events, until it closes; then redraws. A colour stored by "Done"
// is also kept in savedColor, the colour that black-and-white mode restores,
// in either mode: it is the user's latest choice. Opening the chooser keeps
// nothing, since in black-and-white mode the colour it starts from is black
// and keeping that would lose the user's own. A second press while the chooser is
// open brings the same chooser forward and waits too; both waits end when it
// closes.
void DataSetStyle::CommCor_Click()
{
    if (!anySelected())
        return;
    const int k = currentDataSet();
    m_program.colorEditIndex = k;
    m_program.colorChooserOpen = 1;

    if (!m_chooser) {
        QWidget *owner = m_controls.CommCor ? m_controls.CommCor->window() : nullptr;
        QPointer<DataSetStyle> self(this);
        m_chooser = new Form8(
            m_program,
            [self](int n, qint32 colour) {
                if (!self)
                    return;
                if (inTables(n))
                    self->m_state.savedColor[n] = colour;
                if (self->m_controls.Lab)
                    setLabelColour(self->m_controls.Lab(n), colour);
            },
            owner);
        // A closed chooser is on its way out; the next press makes a new one.
        connect(m_chooser, &Form8::closed, this, [this] { m_chooser = nullptr; });
    }
    Form8 *chooser = m_chooser;
    chooser->show();
    chooser->raise();
    chooser->activateWindow();

    QPointer<DataSetStyle> self(this);
    QEventLoop wait;
    connect(chooser, &Form8::closed, &wait, &QEventLoop::quit);
    if (m_program.colorChooserOpen == 1) {
        ++m_waits;
        wait.exec();
        if (!self)
            return;
        --m_waits;
    }
    m_reFaz(false);
    if (m_waits == 0) {
        const std::vector<std::function<void()>> afterWaits = std::exchange(m_afterWaits, {});
        for (const std::function<void()> &then : afterWaits)
            then();
    }
}

void DataSetStyle::whenNotWaiting(std::function<void()> then)
{
    if (m_waits == 0)
        then();
    else
        m_afterWaits.push_back(std::move(then));
}

void DataSetStyle::setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    // Legend labels are as wide as their caption.
    label->resize(label->sizeHint().width(), label->height());
}

void DataSetStyle::measureLegendLabel(QLabel *label)
{
    const int width = static_cast<int>(Twips::fromPixels(label->width()));
    if (width > m_state.legendWidth)
        m_state.legendWidth = width;
}

// Black-and-white on: every data set black, its legend label naming its line
// type after the name. Off: the names alone and the colours kept in
// savedColor. The legend frame follows the widest label.
void DataSetStyle::Command2_Click()
{
    const int count = m_controls.List1 ? m_controls.List1->count() : 0;
    m_state.legendWidth = -1;
    auto labelOf = [this](int n) -> QLabel * {
        return m_controls.Lab ? m_controls.Lab(n) : nullptr;
    };

    if (m_state.blackWhite) {
        m_state.blackWhite = false;
        for (int n = 1; n <= count && inTables(n); ++n) {
            QLabel *label = labelOf(n);
            const qsizetype nameLength = m_state.setName[n].size();
            if (label)
                setCaption(label, label->text().left(nameLength));
            m_program.setColorTable[n] = m_state.savedColor[n];
            if (label) {
                setLabelColour(label, m_program.setColorTable[n]);
                measureLegendLabel(label);
            }
        }
    } else {
        m_state.blackWhite = true;
        for (int n = 1; n <= count && inTables(n); ++n) {
            m_program.setColorTable[n] = 0;
            QLabel *label = labelOf(n);
            if (!label)
                continue;
            setLabelColour(label, 0);
            const QString &name = m_state.setName[n];
            const QString lineType =
                m_controls.Combo5 ? m_controls.Combo5->itemText(m_state.setLineStyle[n]) : QString();
            // Cut back to the name first, so that a suffix is replaced, never doubled.
            setCaption(label, label->text().left(name.size()) + QLatin1Char(' ') + lineType);
            measureLegendLabel(label);
        }
    }

    if (m_controls.Frame4)
        m_controls.Frame4->resize(Twips::toPixels(m_state.legendWidth + legendFrameMargin),
                                  m_controls.Frame4->height());
    if (m_controls.legendChanged)
        m_controls.legendChanged();
    m_reFaz(false);
}
