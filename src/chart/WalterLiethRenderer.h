// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"
#include "data/Rgb.h"

#include <QRectF>
#include <QString>
#include <QtGlobal>

#include <vector>

class Canvas;

// One Walter–Lieth diagram as drawn: its plotting area (in the canvas's
// twips), the heights of its bottom and top on the left axis (°C) and the
// month it starts with. The pointer read-out works from this.
struct WalterLiethDiagram
{
    QRectF plot;
    double bottom = 0;
    double top = 50;
    int firstMonth = 1;
};

// Draws Walter–Lieth climate diagrams from values onto any canvas, in
// twips: one diagram per place, each whole with its header (name,
// elevation, period, annual mean temperature and precipitation, climate
// class), its two scales, its curves and its humid, arid and very wet areas.
// The canvas is not cleared: the caller decides what lies beneath.
class WalterLiethRenderer
{
public:
    // More places than this are not drawn; a line says how many.
    static constexpr int maxDiagrams = 4;

    // The colours of the diagram (red + 256 × green + 65536 × blue).
    static constexpr qint32 temperatureColour = Rgb::pack(220, 20, 20);    // red
    static constexpr qint32 precipitationColour = Rgb::pack(20, 60, 220);  // blue
    static constexpr qint32 humidColour = Rgb::pack(60, 110, 230);         // the humid hatching, lighter
    static constexpr qint32 aridColour = Rgb::pack(230, 100, 0);           // the arid dots, orange
    static constexpr qint32 wetColour = Rgb::pack(0, 0, 139);              // above 100 mm, dark blue
    static constexpr qint32 wetGrey = Rgb::pack(96, 96, 96);               // the same in black and white

    // Up to four of `places` in `area`: one fills it, two stand side by
    // side, three or four in a 2 × 2 grid. With more places a line at the
    // foot of the area says how many are not shown. Returns the diagrams
    // drawn, in the order of `places`.
    static std::vector<WalterLiethDiagram> draw(const WalterLiethSettings &settings,
                                                const std::vector<WalterLiethPlace> &places, Canvas &canvas,
                                                const QRectF &area);
    // One diagram filling `frame`.
    static WalterLiethDiagram drawOne(const WalterLiethSettings &settings, const WalterLiethPlace &place,
                                      Canvas &canvas, const QRectF &frame);

    // Where the diagrams of `count` places (at most four) lie in `area`.
    static std::vector<QRectF> frames(const QRectF &area, int count);
    // The line for the places beyond the fourth.
    static QString notShownText(int count);
};
