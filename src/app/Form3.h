// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form3Controls.h"
#include "app/MainState.h"
#include "chart/ChartDocument.h"
#include "data/ProgramState.h"
#include "output/ChartPicture.h"
#include "platform/AtlasOptions.h"

#include <QByteArray>
#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

struct DataSet;
class ClimateClass;
class DataSetStyle;
class Form3Analysis;
class Form3Chart;
class Form3ComboStyle;
class GridEditing;
class QLabel;
class QAction;
class PopupMenu;
class QMenu;
class QPainter;
class QTableWidgetSelectionRange;
struct PrintTable;

// The main window "Tervalo": the loaded data sets, their lists, the values
// table, the legend and the toolbar. Its members (MainState) live as long as
// the window; its controls (Form3Controls) are built anew by reset all.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    // The program's state is handed in by the program, which outlives the
    // window; without one the window keeps a state of its own.
    explicit Form3(ProgramState &program, QWidget *parent = nullptr);
    explicit Form3(QWidget *parent = nullptr);
    ~Form3() override;

    // At most this many data sets; numbers run 1..50.
    static constexpr int maxDataSets = ::maxDataSets;

    ProgramState &program() { return m_program; }
    MainState &state() { return m_state; }
    const MainState &state() const { return m_state; }
    const Form3Controls &controls() const { return m_controls; }
    Form3Chart *chart() const { return m_engine; }
    DataSetStyle *dataSetStyle() const { return m_style; }
    GridEditing *gridEditing() const { return m_gridEditing; }

    // The chart picture Picture1 as shown (axes, plotting area, title box,
    // legend where it stands) drawn into target through the painter, so
    // that a printer or a vector file gets it sharp.
    void paintChart(QPainter &painter, const QRectF &target) const;
    // Picture1's size in pixels at 1×.
    QSize chartPixelSize() const;

    // Legend label of data set n (0: the header label); nullptr when none.
    QLabel *Lab(int n) const;

    // Start-up and reset.
    void Form_Load();
    void reset();
    // Reset all: the controls are discarded and built again with their
    // design-time values, then Form_Load runs; the members keep whatever
    // reset does not set.
    void resetAll();
    void Form_Resize();

    // Loading data sets and the two lists.
    void carrega();
    // The steps of the Open button after its dialog: the file at path, read
    // and appended as the next data set; a file that does not read, or a
    // 51st data set, changes nothing and returns false (silently, but for
    // the beep of the 51st).
    bool loadDataFile(const QString &path);
    // A place that is already in memory (not read from a file), appended as
    // the Open button appends one.
    bool appendPlace(const DataSet &place);
    // Files handed over by the desktop (named on the command line, dropped
    // on the window), taken one by one in order: a data file is loaded as
    // the Open button loads it, a chart document opened as "Open chart
    // document…" opens it. Returns how many were loaded or opened.
    int loadDataFiles(const QStringList &paths);
    void List1_ItemCheck();
    void List2_Click();
    void Grid2_Fill();
    // Month cells edited by the user (keys, Delete, Paste): the averages of
    // the columns touched are worked out again from the month cells, and
    // the data sets' numbers and climate classes from the cells' numbers.
    void Grid2_Edited(const QTableWidgetSelectionRange &cells);

    // Data set n's Köppen–Geiger climate class, from its months as they
    // stand (the file's or the library's numbers, then edited cells); no
    // class for a number that is not loaded.
    ClimateClass climateClass(int n) const;
    // Its class, name and reasons as the tooltips of its list entries and
    // legend label say them; empty for a number that is not loaded.
    QString climateClassText(int n) const;

    // Toolbar.
    void Bot_Click(int index);
    void Bot_MouseMove(int index);
    void Frame2_MouseMove();
    bool isBotHighlighted(int index) const;

    // Output: the chart copied to the clipboard, printed with a preview,
    // saved as a file.
    void copyChart();
    void Imprimir();
    void saveChartAs();
    // The chart picture Picture1 exactly as shown, with whatever of the
    // window lies over it (the legend, the read-out box).
    QImage chartImage() const;
    // The chart as printing and the vector files draw it.
    ChartPicture chartPicture() const;
    // Chart documents: the whole chart as a value, filled from the controls
    // and the state, and applied to them. Applying replaces the chart: the
    // window is reset all and built up again from the document, then
    // redrawn once.
    ChartDocument chartDocument() const;
    void applyDocument(const ChartDocument &document);
    // The commands: a dialog, then the file. Opening asks first when places
    // are loaded; a document that cannot be read is refused with a message
    // and changes nothing. Both add the file to the recent files.
    void saveChartDocument();
    void openChartDocument();
    bool openChartDocumentFile(const QString &path);
    static bool isChartDocument(const QString &path);
    // An entry of the recent files: opened by its kind; one that is gone is
    // taken off the list, with a message.
    void openRecentFile(const QString &path);
    // The Open button's menu (right button, or held down): open a data file
    // or a chart document, save a chart document, the recent files.
    PopupMenu *fileMenu() const { return m_fileMenu; }

    // "Export atlas…": one chart per checked place, in a PDF.
    void exportAtlas();
    // The chart as a PNG at `dpi` dots per inch (72..600), recorded in its
    // header; empty when it cannot be made.
    QByteArray chartPng(int dpi) const;
    // While the area is measured, the right button on the plotting area
    // belongs to the measurement, not to the chart's menu.
    bool isMeasuringArea() const;

    // The last step of the close button. By default the process ends at
    // once, without running any further event; tests put something harmless
    // here.
    using ProgramEnd = std::function<void()>;
    void setProgramEnd(ProgramEnd end);

    // The window's outer size in twips as the classic window frame gives it:
    // what the border lines and the values table's growth are measured by.
    int outerWidthTwips() const;
    int outerHeightTwips() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();           // builds m_controls at their design places
    void createCollaborators();      // chart engine, style, grid editing
    void connectControls();
    void connectChartMenu();
    void showChartMenu(const QPoint &at);
    void addMonthOrderMenu(QMenu *menu);
    PrintTable printTable() const;
    void connectAnalysis();          // pointer read-out, legend dragging, area (Form3_Analysis.cpp)
    void discardControls();
    void appendDataSet();
    QLabel *createLegendLabel(int n);
    void createFileMenu();
    void fillFileMenu();
    static QString tableText(Quantity quantity, double value);
    void Grid2_Average(int column);
    // Lays the shown legend labels out so that every one shows (Form3_Loading.cpp).
    void arrangeLegend();
    // The climate class (Form3_ClimateClass.cpp): data set n's cell in the
    // class row, under whichever of its columns holds the temperatures,
    // and the tooltips of its list entries and legend label.
    void showClimateClass(int n);
    void showClimateClasses();
    void valuesEdited(const QTableWidgetSelectionRange &cells);
    int temperatureColumn(int n) const;

    ProgramState &m_program;
    std::unique_ptr<ProgramState> m_ownProgram;
    MainState m_state;
    Form3Controls m_controls;
    Form3Chart *m_engine = nullptr;
    DataSetStyle *m_style = nullptr;
    GridEditing *m_gridEditing = nullptr;
    Form3ComboStyle *m_comboStyle = nullptr;
    Form3Analysis *m_analysis = nullptr;
    PopupMenu *m_fileMenu = nullptr;   // the window's own: it outlives reset all
    QAction *m_saveDocumentAction = nullptr;
    // The legend is laid out in columns or a smaller font, not stacked as
    // loading and checking stack it.
    bool m_legendArranged = false;
    ProgramEnd m_programEnd;
    // The resolution of the last PNG saved, offered for the next (dpi), and
    // the atlas's last options.
    int m_pngDpi = 96;
    AtlasOptions m_atlasOptions{4, AtlasOptions::localPaper(), false, false};
};
