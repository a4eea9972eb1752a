// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/Rgb.h"

#include <QtGlobal>

// The main window's design: every position, size and colour of its fixed
// layout, in twips (1/1440 inch, 15 to a screen pixel). Positions are
// relative to the control's container (the window's client area unless
// said otherwise). Nothing here moves with the window except what
// Form_Resize computes from the window size.
namespace Form3Design {

struct Place
{
    int left;
    int top;
    int width;
    int height;
};

// Window: client area at design time.
inline constexpr int clientWidth = 11880;
inline constexpr int clientHeight = 8595;
// The border lines and the values table's growth limit are measured against
// the window's outer size as the classic window frame gives it: a border of
// 60 on each side, and 345 of caption bar above the client area.
inline constexpr int frameExtraWidth = 120;
inline constexpr int frameExtraHeight = 405;

// Toolbar frame and its contents.
inline constexpr Place Frame2{15, 0, 11595, 885};
inline constexpr int toolbarLeft = 130;          // Form_Resize: left = 130, width = W − 330
inline constexpr int toolbarWidthMargin = 330;
inline constexpr int botFirstLeft = 2160;
inline constexpr int botStep = 1220;
inline constexpr int botTop = 210;
inline constexpr int botWidth = 720;             // 48 pixels
inline constexpr int botHeight = 570;            // 38 pixels
inline constexpr int botIconPixels = 32;          // the drawn icon, centred in its button
inline constexpr Place Image1{720, 142, 600, 600};   // the program's picture, 40 × 40 pixels

// Border lines: dark grey; 8 pixels wide, the toolbar's top line 10.
inline constexpr qint32 lineColour = Rgb::pack(64, 64, 64);
inline constexpr int lineWidthPixels = 8;
inline constexpr int topLineWidthPixels = 10;
inline constexpr int leftLineX = 80;
inline constexpr int rightLineInset = 130;       // x = W − 130
inline constexpr int bottomLineInset = 415;      // y = H − 415 (255 + 160)
inline constexpr int topLineY = 30;              // inside Frame2

// Left column, middle column and status controls.
inline constexpr Place Label3_0{360, 960, 1695, 255};
// The data set list gives up its last 255 to the Graph frame, which holds
// the chart kinds in two rows.
inline constexpr Place List1{240, 1200, 2055, 1125};
inline constexpr Place Grid2{2520, 1200, 1335, 1695};
inline constexpr Place Picture2{5040, 1200, 855, 615};
inline constexpr Place ProgBar{7110, 1200, 2400, 330};
inline constexpr Place Label5{10320, 2160, 495, 255};
inline constexpr Place Frame6{270, 2340, 2025, 750};
inline constexpr Place Option2{150, 225, 900, 240};     // inside Frame6
inline constexpr Place Option3{1065, 225, 900, 240};    // inside Frame6
inline constexpr Place OptionWalterLieth{150, 465, 1815, 240};   // inside Frame6, second row
inline constexpr Place Command1{2565, 2970, 1095, 285};
inline constexpr Place CommTranspor{3690, 2970, 915, 285};
inline constexpr Place Command3{2565, 3240, 1095, 255};
inline constexpr Place Shape1{210, 3180, 2175, 2715};
inline constexpr Place Label3_1{450, 3255, 1695, 255};
inline constexpr Place List2{330, 3495, 1935, 1005};
inline constexpr Place FrMeses{3420, 3555, 1095, 1560};
inline constexpr int option1Left = 105;                 // inside FrMeses
inline constexpr int option1FirstTop = 270;
inline constexpr int option1Step = 240;
inline constexpr int option1Width = 960;
inline constexpr int option1Height = 240;
inline constexpr Place Label3_2{2520, 3570, 735, 255};
inline constexpr Place Combo1{2460, 3870, 900, 315};
inline constexpr Place Label3_3{2550, 4260, 735, 255};
inline constexpr Place Combo2{2460, 4485, 900, 315};
inline constexpr Place Label1_0{330, 4575, 975, 255};
inline constexpr Place Slider1{1530, 4575, 735, 255};
inline constexpr Place Label1_1{330, 4860, 975, 255};
inline constexpr Place Slider2{1515, 4860, 735, 255};
inline constexpr Place Label3_6{330, 5175, 735, 255};
inline constexpr Place Combo5{1515, 5175, 765, 315};
inline constexpr Place Label3_4{2505, 5265, 870, 255};
inline constexpr Place Combo3{2505, 5580, 900, 315};
inline constexpr Place Label3_5{3510, 5265, 930, 255};
inline constexpr Place Combo4{3540, 5580, 900, 315};
inline constexpr Place CommCor{375, 5595, 1095, 255};
inline constexpr Place Command2{1560, 5595, 735, 255};
inline constexpr Place ChkLegenda{195, 5970, 1095, 255};
inline constexpr Place Check1{195, 6225, 1095, 255};
inline constexpr Place Check2{1080, 6240, 855, 255};

// Scale box: the X column (TextEsc 3 over 2) left, the Y column (0 over 1)
// right, each text box with its automatic check box to its right.
inline constexpr Place Frame1{2010, 6000, 2580, 1110};
inline constexpr Place Label2_0{180, 225, 900, 210};    // "X", over the X column
inline constexpr Place Label2_1{1335, 225, 900, 210};   // "Y", over the Y column
inline constexpr int scaleBoxXColumn = 180;
inline constexpr int scaleBoxYColumn = 1335;
inline constexpr int scaleBoxTopRow = 450;
inline constexpr int scaleBoxBottomRow = 765;
inline constexpr int scaleTextWidth = 810;
inline constexpr int scaleTextHeight = 285;
inline constexpr int scaleCheckOffset = 855;            // check box left, from its text box's left
inline constexpr int scaleCheckSize = 255;

inline constexpr Place Frame3{180, 6540, 1245, 570};
inline constexpr Place GridX{150, 240, 495, 255};       // inside Frame3
inline constexpr Place GridY{660, 240, 495, 255};

// Thresholds: two rows, "X" and "Y", each with a lower and an upper box.
inline constexpr Place Frame5{120, 7200, 4455, 1095};
inline constexpr int thresholdRowTop[2] = {270, 645};
inline constexpr int thresholdCheckLeft = 135;
inline constexpr int thresholdCheckWidth = 525;
inline constexpr int thresholdLowerLabelLeft = 705;
inline constexpr int thresholdLowerBoxLeft = 1245;
inline constexpr int thresholdUpperLabelLeft = 2400;
inline constexpr int thresholdUpperBoxLeft = 2940;
inline constexpr int thresholdLabelWidth = 525;
inline constexpr int thresholdBoxWidth = 1080;
inline constexpr int thresholdRowHeight = 285;

// Chart picture and what it holds (positions inside Picture1).
inline constexpr Place Picture1{4680, 2880, 6900, 5325};
inline constexpr Place TxTitulo{720, 15, 5400, 350};
inline constexpr Place Picture4{735, 495, 5385, 4425};
inline constexpr int eixoYX = 720, eixoYTop = 480, eixoYBottom = 4920;
inline constexpr int eixoXY = 4920, eixoXLeft = 720, eixoXRight = 6120;
inline constexpr Place tagPic{7050, 3120, 1935, 285};

// Legend frame and its header label; every data set label is a copy of the
// header label, stacked below it.
inline constexpr Place Frame4{5520, 3480, 1455, 450};
inline constexpr Place Lab0{75, 30, 1290, 195};
inline constexpr int legendBaseHeight = 240;     // the frame's height with no label shown
inline constexpr int legendWidthMargin = 215;    // frame width = widest label + 215
inline constexpr double legendFontPoints = 8.25;
// Room for the legend: from its design place to the far ends of the axes,
// so that in its place it covers no axis and no axis label.
inline constexpr int legendRoomWidth = Picture1.left + eixoXRight - Frame4.left;
inline constexpr int legendRoomHeight = Picture1.top + eixoYBottom - Frame4.top;
inline constexpr int legendColumnGap = 150;      // between columns, when one does not hold every label

// Values table.
inline constexpr int gridDataColumnWidth = 540;
inline constexpr int gridMonthColumnWidth = 900;
inline constexpr int gridClassRow = 14;          // under the averages: each data set's climate class
inline constexpr int gridWindowMargin = 600;     // the table stops growing this far from the window's right

// Colours.
inline constexpr qint32 black = Rgb::pack(0, 0, 0);
inline constexpr qint32 grey = Rgb::pack(200, 200, 200);

// Caption font of the window's controls.
inline constexpr double captionFontPoints = 8.0;
inline constexpr double titleFontPoints = 9.75;

} // namespace Form3Design
