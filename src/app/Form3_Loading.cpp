// SPDX-License-Identifier: GPL-3.0-or-later
// Loading data files as data sets; the loaded and the selected lists; the
// legend labels.
#include "app/Form3.h"

#include "analysis/LegendLayout.h"
#include "app/DataSetStyle.h"
#include "app/Form3Chart.h"
#include "app/Form3Design.h"
#include "data/ProgramState.h"
#include "data/DataFile.h"
#include "data/NumberText.h"
#include "platform/DataGrid.h"
#include "platform/Dialogs.h"
#include "platform/RecentFiles.h"
#include "data/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace {

// Data set n's display name: its number, " - ", its place.
QString displayName(int n, const QString &place)
{
    return QString::number(n) + QStringLiteral(" - ") + place;
}

// Rows 0 to 14 (the header, the months, the average and the class) of
// data set n's two columns.
void colourColumns(DataGrid *grid, int n, qint32 colour, bool onlyExisting)
{
    for (int column : {2 * n - 1, 2 * n}) {
        if (onlyExisting && column >= grid->columnCount())
            continue;
        for (int row = 0; row <= Form3Design::gridClassRow; ++row)
            grid->setCellTextColour(row, column, colour);
    }
}

void setIfInRange(QSlider *slider, int value)
{
    if (value >= slider->minimum() && value <= slider->maximum())
        slider->setValue(value);
}

} // namespace

void Form3::carrega()
{
    // Every data set number 1..50 is taken: the load is abandoned before a
    // file is asked for, so nothing can be half added.
    if (m_state.setCount >= maxDataSets) {
        Dialogs::beep();
        return;
    }

    Dialogs::FileRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral("Tervalo(*.tvr)|*.tvr|All files(*.*)|*.*|");
    request.defaultSuffix = QStringLiteral("*.tvr");
    request.directory = QCoreApplication::applicationDirPath();
    const QString path = Dialogs::openFileName(this, request);
    if (path.isEmpty())
        return;
    // A chart document chosen through "All files" opens as one.
    if (isChartDocument(path)) {
        openChartDocumentFile(path);
        return;
    }
    if (loadDataFile(path))
        RecentFiles::add(path);
}

bool Form3::loadDataFile(const QString &path)
{
    if (m_state.setCount >= maxDataSets) {
        Dialogs::beep();
        return false;
    }

    ProgramState &program = m_program;
    program.dataFileName = path;

    // A file that does not read leaves the window as it was, including the
    // month values a later short file would borrow.
    // A file without a single monthly pair is not a data file (a picture, a
    // text of some other kind): taking it would show the previous file's
    // twelve months under a stranger's name.
    const DataFile::ReadResult read = DataFile::readDataFile(path);
    if (!read.ok() || read.pairCount < 1)
        return false;
    for (int month = 1; month <= read.pairCount && month <= 12; ++month) {
        m_state.fileTemp[month] = read.data.temp[month];
        m_state.filePrec[month] = read.data.ppt[month];
    }
    program.placeName = read.data.name;
    m_state.fileInfo = PlaceInfo();
    appendDataSet();
    return true;
}

bool Form3::appendPlace(const DataSet &place)
{
    if (m_state.setCount >= maxDataSets) {
        Dialogs::beep();
        return false;
    }
    for (int month = 1; month <= 12; ++month) {
        m_state.fileTemp[month] = place.temp[month];
        m_state.filePrec[month] = place.ppt[month];
    }
    m_program.placeName = place.name;
    m_state.fileInfo = place.info;
    appendDataSet();
    return true;
}

QLabel *Form3::createLegendLabel(int n)
{
    QLabel *header = m_controls.Lab[0];
    auto *label = new QLabel(m_controls.Frame4);
    label->setObjectName(QStringLiteral("Lab_%1").arg(n));
    label->setFont(header->font());
    label->setToolTip(header->toolTip());
    label->setAlignment(header->alignment());
    label->setGeometry(header->geometry());
    m_controls.Lab[n] = label;
    return label;
}

// Adds the file just read as data set setCount + 1.
void Form3::appendDataSet()
{
    Form3Controls &c = m_controls;
    ProgramState &program = m_program;
    const int n = m_state.setCount + 1;

    m_state.hasData = true;
    if (c.ChkLegenda->isChecked())
        c.Frame4->show();

    QLabel *header = c.Lab[0];
    QLabel *label = createLegendLabel(n);
    label->setText(displayName(n, program.placeName));
    label->resize(label->sizeHint().width(), header->height());
    const int widthTwips = static_cast<int>(Twips::fromPixels(label->width()));
    if (widthTwips > m_state.legendWidth)
        m_state.legendWidth = widthTwips;
    label->show();
    const QLabel *previous = Lab(n - 1) ? Lab(n - 1) : header;
    label->move(header->x(), previous->y() + previous->height());
    DataSetStyle::setLabelColour(label, program.setColorTable[n]);

    c.Frame4->resize(Twips::toPixels(m_state.legendWidth + Form3Design::legendWidthMargin),
                     c.Frame4->height() + header->height());

    c.Grid2->show();

    program.placeName = displayName(n, program.placeName);

    auto *entry = new QListWidgetItem(program.placeName);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
    c.List1->addItem(entry);
    {
        const QSignalBlocker quiet(c.List2);
        c.List2->addItem(program.placeName);
    }

    // Checking the entry rebuilds List2, the table colours and the legend
    // (List1_ItemCheck); the redraw waits until the table holds the values.
    {
        const FlagScope quiet(m_state.suppressRedraw);
        c.List1->setCurrentRow(-1);
        entry->setCheckState(Qt::Checked);
    }

    m_state.setCount = n;
    m_state.setName[n] = program.placeName;
    m_state.setInfo[n] = m_state.fileInfo;
    for (int month = 1; month <= 12; ++month) {
        m_state.setTemp[n][month] = m_state.fileTemp[month];
        m_state.setPpt[n][month] = m_state.filePrec[month];
    }
    std::copy_n(m_state.fileTemp.begin(), 13, m_state.loadedTemp[n].begin());
    std::copy_n(m_state.filePrec.begin(), 13, m_state.loadedPrec[n].begin());

    Grid2_Fill();

    if (m_engine)
        m_engine->reFaz(n == 1);
}

void Form3::List1_ItemCheck()
{
    Form3Controls &c = m_controls;
    {
        const QSignalBlocker quiet(c.List2);
        c.List2->clear();
    }

    // Each checked entry becomes the current one in turn, so the last one
    // stays current; setting it once costs one list layout instead of one
    // per entry.
    int lastChecked = -1;
    for (int i = 0; i < c.List1->count(); ++i) {
        const QListWidgetItem *entry = c.List1->item(i);
        const int n = i + 1;
        if (entry->checkState() == Qt::Checked) {
            lastChecked = i;
            const QSignalBlocker quiet(c.List2);
            auto *selected = new QListWidgetItem(entry->text());
            selected->setToolTip(entry->toolTip());
            c.List2->addItem(selected);
            colourColumns(c.Grid2, n, Form3Design::black, true);
        } else {
            colourColumns(c.Grid2, n, Form3Design::grey, false);
        }
    }
    if (lastChecked >= 0)
        c.List1->setCurrentRow(lastChecked);

    if (c.ChkLegenda->isChecked()) {
        QLabel *header = c.Lab[0];
        const int step = header->height();
        c.Frame4->show();
        int frameHeight = Twips::toPixels(Form3Design::legendBaseHeight);
        for (int n = 1; n <= m_state.setCount; ++n)
            if (QLabel *label = Lab(n))
                label->hide();
        int y = header->y();
        for (int i = 0; i < c.List1->count(); ++i) {
            if (c.List1->item(i)->checkState() != Qt::Checked)
                continue;
            if (QLabel *label = Lab(i + 1)) {
                label->show();
                label->move(label->x(), y + step);
            }
            y += step;
            frameHeight += step;
        }
        c.Frame4->resize(c.Frame4->width(), frameHeight);
        arrangeLegend();
    }

    if (m_engine)
        m_engine->reFaz(true);
}

// The legend as loading and checking stack it, while it fits its room;
// else its labels in columns, in a smaller font when the columns would be
// too wide. Labels only: their positions and fonts are what the screen, the
// page and the files show.
void Form3::arrangeLegend()
{
    const Form3Controls &c = m_controls;
    QLabel *header = c.Lab[0];
    if (!header || !c.ChkLegenda->isChecked())
        return;
    std::vector<QLabel *> shown;
    QStringList texts;
    // Every label there is: while a data set is being added, its label
    // exists before setCount counts it.
    for (int n = 1; n <= maxDataSets; ++n) {
        QLabel *label = Lab(n);
        if (label && !label->isHidden()) {
            shown.push_back(label);
            texts << label->text();
        }
    }

    LegendLayout::Frame frame;
    frame.first = QPoint(header->x(), header->y() + header->height());
    frame.rowStep = header->height();
    frame.baseHeight = Twips::toPixels(Form3Design::legendBaseHeight);
    frame.rightMargin = Twips::toPixels(Form3Design::legendWidthMargin) - header->x();
    frame.columnGap = Twips::toPixels(Form3Design::legendColumnGap);
    frame.room = QSize(Twips::toPixels(Form3Design::legendRoomWidth), Twips::toPixels(Form3Design::legendRoomHeight));
    const LegendLayout::Result layout = LegendLayout::arrange(texts, header->font(), frame);

    if (layout.columns == 1 && layout.font == header->font()) {
        if (!m_legendArranged)
            return;
        // Back to one stacked column at the label font, as wide as the
        // widest label.
        m_legendArranged = false;
        m_state.legendWidth = -1;
        for (int n = 1; n <= maxDataSets; ++n) {
            if (QLabel *label = Lab(n)) {
                label->setFont(header->font());
                label->resize(label->sizeHint().width(), header->height());
                m_state.legendWidth = std::max(m_state.legendWidth, static_cast<int>(Twips::fromPixels(label->width())));
            }
        }
        for (std::size_t i = 0; i < shown.size(); ++i)
            shown[i]->move(frame.first.x(), frame.first.y() + static_cast<int>(i) * frame.rowStep);
        c.Frame4->resize(Twips::toPixels(m_state.legendWidth + Form3Design::legendWidthMargin),
                         frame.baseHeight + static_cast<int>(shown.size()) * frame.rowStep);
        return;
    }

    m_legendArranged = true;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        shown[i]->setFont(layout.font);
        shown[i]->setGeometry(layout.entries[i]);
    }
    c.Frame4->resize(layout.frame);
}

void Form3::List2_Click()
{
    Form3Controls &c = m_controls;
    const FlagScope loading(m_state.loadingStyle);
    const QListWidgetItem *current = c.List2->currentItem();
    if (current && !c.List2->selectedItems().isEmpty()) {
        const double number = NumberText::leadingValue(QStringView(current->text()).left(2));
        if (const std::optional<int> n = NumberText::wholeNumber(number, 0, maxDataSets)) {
            // A stored value the control cannot show (the width 0 that data
            // sets 11..50 start with) leaves the control as it was.
            setIfInRange(c.Slider1, m_state.setMarkerSize[*n]);
            setIfInRange(c.Slider2, m_state.setLineWidth[*n]);
            if (m_state.setLineStyle[*n] >= 0 && m_state.setLineStyle[*n] < c.Combo5->count())
                c.Combo5->setCurrentIndex(m_state.setLineStyle[*n]);
        }
    }
}
