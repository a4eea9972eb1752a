// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's chart controls as the chart engine sees them, built the
// way the window builds them (design places, reset values, values table
// filled column by column), without the window itself.

#include "app/MainState.h"
#include "data/ProgramState.h"
#include "chart/ChartControls.h"
#include "chart/ChartEngine.h"
#include "data/Rgb.h"
#include "data/NumberText.h"
#include "platform/DataGrid.h"
#include "platform/PictureBox.h"
#include "data/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <array>
#include <memory>

struct ChartFixture
{
    using Months = std::array<double, 12>;

    QWidget window;
    MainState state;
    ProgramState program;
    ChartControls c;
    std::unique_ptr<ChartEngine> engine;

    static int px(double twips) { return Twips::toPixels(twips); }

    ChartFixture()
    {
        window.resize(px(11880), px(8595));
        c.Grid2 = new DataGrid(&window);
        c.Grid2->setGeometry(px(2520), px(1200), px(1335), px(1695));
        c.Grid2->setRowCount(14);
        c.Grid2->setColumnCount(1);
        c.Grid2->setText(0, 0, QStringLiteral("Month"));
        c.List1 = new QListWidget(&window);

        auto *frame1 = new QGroupBox(&window);
        for (int i = 0; i < 4; ++i) {
            c.teC[i] = new QCheckBox(frame1);
            c.teC[i]->setChecked(true);
            c.TextEsc[i] = new QLineEdit(frame1);
        }
        c.Command1 = new QPushButton(QStringLiteral("Update"), &window);
        c.CommTranspor = new QPushButton(QStringLiteral("Transpose"), &window);

        c.Combo1 = new QComboBox(&window);
        c.Combo2 = new QComboBox(&window);
        for (QComboBox *ticks : {c.Combo1, c.Combo2}) {
            ticks->addItem(QStringLiteral("Default"));
            for (int n = 2; n <= 20; ++n)
                ticks->addItem(QString::number(n));
        }
        c.Combo3 = new QComboBox(&window);
        c.Combo4 = new QComboBox(&window);
        for (QComboBox *decimals : {c.Combo3, c.Combo4}) {
            for (const char *item : {"0", "0.0", "0.00", "0.000", "0.0000"})
                decimals->addItem(QString::fromLatin1(item));
        }
        c.Combo3->setCurrentIndex(1);
        c.Combo4->setCurrentIndex(0);

        auto *frame3 = new QGroupBox(&window);
        c.GridX = new QCheckBox(QStringLiteral("X"), frame3);
        c.GridY = new QCheckBox(QStringLiteral("Y"), frame3);
        c.GridX->setChecked(true);
        c.GridY->setChecked(true);
        c.Frame5 = new QGroupBox(QStringLiteral("Tresholds"), &window);
        c.ChkLimX = new QCheckBox(QStringLiteral("X"), c.Frame5);
        c.ChkLimY = new QCheckBox(QStringLiteral("Y"), c.Frame5);
        c.txtLimInfX = new QLineEdit(c.Frame5);
        c.TxtLimSupX = new QLineEdit(c.Frame5);
        c.txtLimInfY = new QLineEdit(c.Frame5);
        c.TxtLimSupY = new QLineEdit(c.Frame5);

        auto *frame6 = new QGroupBox(QStringLiteral("Graph"), &window);
        c.Option2 = new QRadioButton(QStringLiteral("Tervalo"), frame6);
        c.Option3 = new QRadioButton(QStringLiteral("Normal"), frame6);
        c.Option2->setChecked(true);
        auto *frMeses = new QGroupBox(QStringLiteral("Months"), &window);
        for (int i = 0; i < 5; ++i)
            c.Option1[i] = new QRadioButton(frMeses);
        c.Option1[1]->setChecked(true);

        c.Picture1 = new PictureBox(&window);
        c.Picture1->setGeometry(px(4680), px(2880), px(6900), px(5325));
        c.Check1 = new QCheckBox(QStringLiteral("Title"), &window);
        c.Check1->setChecked(true);
        c.TxTitulo = new QLineEdit(QStringLiteral("Enter your title"), c.Picture1);
        c.TxTitulo->setGeometry(px(720), px(15), px(5400), px(350));
        c.ChkLegenda = new QCheckBox(QStringLiteral("Legend"), &window);
        c.ChkLegenda->setChecked(true);
        c.Frame4 = new QGroupBox(&window);
        c.Picture4 = new PictureBox(c.Picture1);

        // What reset does with the guide lines and the plotting area.
        ChartState &s = state.chart;
        s.axisTop = 480;
        s.axisBottom = 4920;
        s.axisLeft = 720;
        s.axisRight = 6120;
        c.Picture4->setGeometry(px(s.axisLeft), px(s.axisTop), px(s.axisRight - s.axisLeft),
                                px(s.axisBottom - s.axisTop));
        s.plotLeft = 0;
        s.plotRight = c.Picture4->innerWidth();
        s.plotTop = 0;
        s.plotBottom = c.Picture4->innerHeight();
        const char *labels[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul",
                                "Agu", "Sep", "Oct", "Nov", "Dic", "Jan"};
        for (int i = 1; i <= 13; ++i)
            s.monthLabel[i] = QString::fromLatin1(labels[i - 1]);
        for (int i = 0; i <= 10; ++i) {
            state.setMarkerSize[i] = 1;
            state.setLineWidth[i] = 1;
        }
        const qint32 colours[] = {Rgb::pack(255, 0, 0), Rgb::pack(0, 110, 0), Rgb::pack(0, 0, 255),
                                  Rgb::pack(150, 150, 0), Rgb::pack(0, 150, 150), Rgb::pack(0, 0, 150),
                                  Rgb::pack(200, 100, 50)};
        for (int n = 1; n <= 7; ++n)
            program.setColorTable[n] = colours[n - 1];
        c.Picture1->clear();
        c.Picture4->clear();

        engine = std::make_unique<ChartEngine>(state, program, c);
    }

    // The values table columns and the list entry of a newly loaded data
    // set, as the window writes them; no redraw.
    int addDataSet(const Months &temps, const Months &precs, bool checked = true)
    {
        const int n = ++state.setCount;
        DataGrid *grid = c.Grid2;
        grid->setColumnCount(2 * n + 1);
        grid->setText(0, 2 * n - 1, QStringLiteral("Tmp%1").arg(n));
        grid->setText(0, 2 * n, QStringLiteral("Ppt%1").arg(n));
        double sumT = 0, sumP = 0;
        for (int m = 1; m <= 12; ++m) {
            grid->setText(m, 0, QString::number(m));
            grid->setText(m, 2 * n - 1, NumberText::fixed(temps[m - 1], 2));
            grid->setText(m, 2 * n, NumberText::fixed(precs[m - 1], 0));
            sumT += temps[m - 1];
            sumP += precs[m - 1];
        }
        grid->setText(13, 2 * n - 1, NumberText::fixed(sumT / 12, 2));
        grid->setText(13, 2 * n, NumberText::fixed(sumP / 12, 1));
        auto *item = new QListWidgetItem(QStringLiteral("%1 - Place %1").arg(n), c.List1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        state.hasData = true;
        return n;
    }

    void setChecked(int n, bool checked)
    {
        c.List1->item(n - 1)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }

    // Made-up places: a warm humid one, a Mediterranean one, a continental one.
    static Months tropicalTemps() { return {26.5, 26.8, 27.0, 27.2, 27.0, 26.4, 26.0, 26.3, 26.8, 27.1, 27.0, 26.7}; }
    static Months tropicalPrecs() { return {250, 230, 280, 260, 200, 120, 90, 80, 110, 160, 210, 240}; }
    static Months mediterraneanTemps() { return {10.2, 11.0, 13.1, 15.4, 19.0, 23.2, 26.1, 26.4, 23.0, 18.8, 14.2, 11.1}; }
    static Months mediterraneanPrecs() { return {80, 70, 60, 45, 30, 12, 4, 8, 35, 75, 95, 90}; }
    static Months continentalTemps() { return {-8.0, -6.5, -1.0, 7.2, 14.0, 18.3, 20.5, 19.2, 13.5, 6.8, -0.5, -6.0}; }
    static Months continentalPrecs() { return {30, 28, 32, 40, 55, 75, 85, 72, 55, 45, 40, 35}; }
};
