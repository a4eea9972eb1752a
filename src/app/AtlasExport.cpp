// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AtlasExport.h"

#include "app/ChartExport.h"
#include "analysis/ClimateClass.h"
#include "app/Form3.h"
#include "chart/MonthLabels.h"
#include "chart/Scale.h"
#include "chart/WalterLiethScale.h"
#include "data/FileName.h"
#include "output/ChartFile.h"
#include "platform/DataGrid.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int averageRow = 13;

// The numbers a place's column of `quantity` holds in the values table:
// the months as loaded, then as edited (an emptied cell holds none).
std::array<std::optional<double>, 13> shownMonths(const DocumentPlace &place, Quantity quantity)
{
    const std::array<double, 13> &loaded =
        quantity == Quantity::Temperature ? place.data.temp : place.data.ppt;
    std::array<std::optional<double>, 13> months;
    for (int month = 1; month <= 12; ++month)
        months[month] = loaded[month];
    for (const TableEdit &edit : place.edits)
        if (edit.quantity == quantity && edit.month >= 1 && edit.month <= 12)
            months[edit.month] = edit.value;
    return months;
}

// The running extremes as the chart's scale keeps them, widened by what
// `places` put on the axis (X holds the temperature unless a place is
// transposed).
void widen(DocumentAxis &axis, Axis which, const std::vector<DocumentPlace> &places)
{
    for (const DocumentPlace &place : places) {
        const bool temperature = (which == Axis::X) != place.transposed;
        for (const std::optional<double> &value :
             shownMonths(place, temperature ? Quantity::Temperature : Quantity::Precipitation)) {
            if (!value)
                continue;
            axis.dataMinimum = std::min(axis.dataMinimum, *value);
            axis.dataMaximum = std::max(axis.dataMaximum, *value);
        }
    }
}

// The one place's values table as the chart's table shows it, turned on its
// side to fit under the chart: the months across, then one row for each of
// its two columns, named by their header without the place's number.
std::vector<QStringList> valuesTable(const DataGrid &grid)
{
    const std::array<QString, 15> months = MonthLabels::of(MonthLabels::initialStyle);
    std::vector<QStringList> rows(3);
    rows[0] << grid.text(0, 0);
    for (int month = 1; month <= 12; ++month)
        rows[0] << months[month];
    rows[0] << grid.text(averageRow, 0);
    for (int column = 1; column <= 2 && column < grid.columnCount(); ++column) {
        QString header = grid.text(0, column);
        while (!header.isEmpty() && header.back().isDigit())
            header.chop(1);
        rows[column] << header;
        for (int row = 1; row <= averageRow && row < grid.rowCount(); ++row)
            rows[column] << grid.text(row, column);
    }
    return rows;
}

// The place's climate class as its table's values give it: "Csa: Temperate,
// dry summer, hot summer"; empty when a month holds no number.
QString climateClassOf(const DocumentPlace &place)
{
    const auto temp = shownMonths(place, Quantity::Temperature);
    const auto ppt = shownMonths(place, Quantity::Precipitation);
    std::array<double, 13> t{};
    std::array<double, 13> p{};
    for (int month = 1; month <= 12; ++month) {
        if (!temp[month] || !ppt[month])
            return QString();
        t[month] = *temp[month];
        p[month] = *ppt[month];
    }
    const ClimateClass climate = ClimateClass::of(t, p);
    return climate.isValid() ? climate.codeAndName() : QString();
}

// The top of the Walter–Lieth diagram that every one of `places` fits
// under: the highest that one of them needs alone.
double sharedTop(const std::vector<DocumentPlace> &places)
{
    double top = WalterLiethScale::leastTop;
    for (const DocumentPlace &place : places) {
        // A month that holds no number keeps its loaded value, as the chart draws it.
        const auto temp = shownMonths(place, Quantity::Temperature);
        const auto ppt = shownMonths(place, Quantity::Precipitation);
        WalterLiethScale::Months t{};
        WalterLiethScale::Months p{};
        for (int month = 1; month <= 12; ++month) {
            t[month] = temp[month].value_or(place.data.temp[month]);
            p[month] = ppt[month].value_or(place.data.ppt[month]);
        }
        top = std::max(top, WalterLiethScale::top(t, p));
    }
    return top;
}

int failure(QTextStream &errors, const QString &why)
{
    errors << "tervalo: " << why << Qt::endl;
    return 2;
}

} // namespace

AtlasExport::AtlasExport(const ChartDocument &document) : m_document(document)
{
    for (const DocumentPlace &place : document.places)
        if (place.checked)
            m_places.push_back(place);
}

AtlasExport::~AtlasExport() = default;

ChartDocument AtlasExport::alone(const DocumentPlace &place, const QString &heading) const
{
    ChartDocument document = m_document;
    document.places = {place};
    document.places.front().checked = true;
    // A worksheet's station shows nowhere under the place's own name.
    document.places.front().data.name = heading;
    // The page gives each chart its heading; the chart's own title and
    // legend would repeat it, or give a worksheet's answer away.
    document.titleShown = false;
    document.legendShown = false;
    for (DocumentAxis *axis : {&document.x, &document.y}) {
        const DocumentAxis &extremes = axis == &document.x ? m_extremesX : m_extremesY;
        axis->dataMinimum = extremes.dataMinimum;
        axis->dataMaximum = extremes.dataMaximum;
    }
    return document;
}

AtlasChart AtlasExport::draw(const ChartDocument &document)
{
    // Applying a document builds the window's controls anew and leaves the
    // old ones, and the events their building posted, for later; without an
    // event loop turning between charts (the command line has none) they
    // would pile up, and each deletion looks through all the events
    // waiting: fifty charts took half again as long and three times the
    // memory.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_drawing->applyDocument(document);
    AtlasChart chart;
    chart.picture = m_drawing->chartPicture();
    if (const DataGrid *grid = m_drawing->controls().Grid2)
        chart.table = valuesTable(*grid);
    return chart;
}

AtlasFile::Result AtlasExport::compose(const AtlasOptions &options, quint32 seed, const AtlasFile::Progress &progress)
{
    std::vector<AtlasPlace> places;
    for (const DocumentPlace &place : m_places)
        places.push_back({place.data.name, place.data.info.period, climateClassOf(place)});
    const AtlasPlan plan = AtlasLayout::plan(places, options.worksheet, seed);

    // Each chart's automatic bounds follow its own place from reset
    // extremes; for the same scale they start from the extremes of all the
    // places together, which a single place cannot widen.
    m_extremesX = DocumentAxis();
    m_extremesY = DocumentAxis();
    if (options.sameScale) {
        widen(m_extremesX, Axis::X, m_places);
        widen(m_extremesY, Axis::Y, m_places);
    }

    std::vector<QString> headings(m_places.size());
    for (const AtlasPlan::Chart &chart : plan.charts)
        headings[chart.place] = chart.heading;
    m_drawing = std::make_unique<Form3>();
    ChartState &drawing = m_drawing->state().chart;
    drawing.walterLiethHidesClass = options.worksheet;
    if (options.sameScale && m_document.kind == ChartKind::WalterLieth)
        drawing.walterLiethTop = sharedTop(m_places);
    const AtlasFile::Result result = AtlasFile::pdf(
        plan, options, [&](int place) { return draw(alone(m_places[place], headings[place])); },
        options.worksheet ? QStringLiteral("Tervalo worksheet") : QStringLiteral("Tervalo atlas"), progress);
    m_drawing.reset();
    return result;
}

int exportAtlas(const QString &outPath, std::optional<ChartKind> kind, const AtlasOptions &options,
                const QStringList &files, QTextStream &errors)
{
    Form3 window;
    const QString unread = loadChartFiles(window, files);
    if (!unread.isEmpty())
        return failure(errors, unread);
    ChartDocument document = window.chartDocument();
    if (kind)
        document.kind = *kind;
    AtlasExport atlas(document);
    if (atlas.placeCount() == 0)
        return failure(errors, QStringLiteral("no checked places to draw"));
    const AtlasFile::Result result = atlas.compose(options, QRandomGenerator::global()->generate());
    const QString why = ChartFile::write(outPath, result.pdf);
    if (!why.isEmpty())
        return failure(errors, QStringLiteral("cannot write %1: %2").arg(FileName::quoted(outPath), why));
    return 0;
}
