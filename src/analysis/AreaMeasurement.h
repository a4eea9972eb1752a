// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"
#include "data/Rgb.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <array>

class QWidget;

// The superposed-area measurement behind the "Area" button: how much two
// climate diagrams overlap, as a share of the area the two cover together.
//
// The first press draws the two diagrams alone (no legend, grid, month
// labels or markers, solid lines: a dashed outline would let the flood
// through its gaps), floods everything outside them black and counts what
// is left as the total; each right-click on the plotting area then floods
// the region under the pointer grey and counts every grey pixel. The second
// press puts the chart settings back and reports the share.
//
// The measurement works on the plotting area's pixels through Canvas and on
// the main window through Window, so it knows no widget of its own.
class AreaMeasurement
{
public:
    // The plotting area's pixels: (0, 0) at the top-left, colours in the
    // program's red + 256 × green + 65536 × blue form.
    class Canvas
    {
    public:
        virtual ~Canvas() = default;
        virtual QSize size() const = 0;
        // The colour a cleared picture has.
        virtual qint32 background() const = 0;
        // -1 outside the picture.
        virtual qint32 pixel(int x, int y) const = 0;
        // 4-connected: the region of (x, y)'s colour connected to it through
        // pixel edges takes `colour`.
        virtual void floodFill(int x, int y, qint32 colour) = 0;
        // Every region of `background` that touches the picture's edge takes
        // `colour`.
        virtual void floodFillFromEdges(qint32 background, qint32 colour) = 0;
        virtual qint64 countPixels(qint32 colour, const QRect &area) const = 0;
    };

    // The main window as the measurement uses it. Setting a check box runs
    // its click handler, as a click would.
    class Window
    {
    public:
        virtual ~Window() = default;
        // Checked entries of the loaded list.
        virtual int checkedDataSets() const = 0;
        virtual bool isLegendChecked() const = 0;
        virtual void setLegendChecked(bool checked) = 0;
        virtual bool isGridXChecked() const = 0;
        virtual void setGridXChecked(bool checked) = 0;
        virtual bool isGridYChecked() const = 0;
        virtual void setGridYChecked(bool checked) = 0;
        // Index 0..4 of the selected month label option, -1 for none.
        virtual int monthLabelOption() const = 0;
        // The month label handler with its redraw; the options stay as they are.
        virtual void Option1_Click(int index) = 0;
        // The selected list (the checked data sets): item i becomes the
        // current one, which loads its style into the style controls; the
        // result is the item's text.
        virtual int selectedItemCount() const = 0;
        virtual QString selectItem(int index) = 0;
        virtual int markerSize(int n) const = 0;
        virtual void setMarkerSize(int n, int size) = 0;
        // Line type 0..4 of data set n; 0 is solid.
        virtual int lineStyle(int n) const = 0;
        virtual void setLineStyle(int n, int style) = 0;
        virtual void reFaz(bool rescale) = 0;
        virtual Canvas &plottingArea() = 0;
        virtual void setProgressVisible(bool visible) = 0;
        virtual void setProgress(int percent) = 0;
        // Label5: carries the result from the right-clicks to the final message.
        virtual QString resultText() const = 0;
        virtual void setResultText(const QString &text) = 0;
        virtual void setButtonCaption(const QString &caption) = 0;
        // Owner of the message boxes.
        virtual QWidget *dialogParent() const = 0;
        // The chart kind chosen: the Walter–Lieth diagrams have no area to
        // measure.
        virtual ChartKind chartKind() const { return ChartKind::Climate; }
    };

    static constexpr qint32 outside = Rgb::pack(0, 0, 0);
    static constexpr qint32 overlap = Rgb::pack(120, 120, 120);

    // `measuring` and `totalPixels` are the main window's areaMode and
    // plotAreaPixels: a reset clears the first without the Finish steps.
    AreaMeasurement(Window &window, bool &measuring, int &totalPixels);

    // "Area": starts a measurement, or finishes the one under way.
    void Command3_Click();
    // A press on the plotting area at pixel (x, y); button 2 is the right
    // button. Only a right-click during a measurement does anything.
    void Picture4_MouseDown(int button, double x, double y);

    bool isMeasuring() const { return m_measuring; }
    // Reset all is ending the measurement without Finish: the line types it
    // made solid and the marker sizes it set to 0 are put back, since reset
    // all keeps them (the marker sizes of data sets 11..50).
    void abandon();

private:
    void start();
    void finish();
    // The total area: everything the outside flood leaves.
    void FillPolygon();

    Window &m_window;
    bool &m_measuring;
    int &m_totalPixels;

    // Settings saved by the press that starts a measurement.
    bool m_savedLegend = false;
    bool m_savedGridX = false;
    bool m_savedGridY = false;
    int m_savedMonthStyle = 0;
    std::array<int, 51> m_savedMarker{};
    std::array<int, 51> m_savedLineStyle{};
    std::array<int, 51> m_setIndex{};
};
