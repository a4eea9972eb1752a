// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StationListModel.h"

#include "data/NumberText.h"

#include <algorithm>
#include <cstring>
#include <cmath>
#include <numeric>

namespace {

// "55.83° N": degrees with two decimals, as the table gives them.
QString degrees(double value, QChar positive, QChar negative, const QLocale &locale)
{
    return NumberText::fixed(std::abs(value), 2, locale) + QStringLiteral("\u00b0 ")
           + (value < 0 ? negative : positive);
}

} // namespace

StationListModel::StationListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

StationListModel::~StationListModel() = default;

void StationListModel::setStations(std::vector<Station> stations)
{
    beginResetModel();
    m_stations = std::move(stations);
    // Each station's class is worked out once, here (well under a
    // millisecond for the whole table), and found by the search like a word
    // of the place: "bwh", "dfb russia".
    m_classes.clear();
    m_classes.reserve(m_stations.size());
    std::vector<QString> codes;
    codes.reserve(m_stations.size());
    for (const Station &s : m_stations) {
        m_classes.push_back(ClimateClass::of(s.temp, s.ppt));
        codes.push_back(m_classes.back().code());
    }
    m_search = std::make_unique<StationSearch>(m_stations, codes);
    m_order.resize(m_stations.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    m_shown = m_order;
    m_query.clear();
    endResetModel();
}

void StationListModel::setQuery(const QString &query)
{
    m_query = query;
    beginResetModel();
    filter();
    endResetModel();
}

void StationListModel::filter()
{
    m_shown.clear();
    if (!m_search)
        return;
    std::vector<char> matches(m_stations.size(), 0);
    for (int row : m_search->matching(m_query))
        matches[row] = 1;
    m_shown.reserve(m_order.size());
    for (int row : m_order)
        if (matches[row])
            m_shown.push_back(row);
}

const Station *StationListModel::station(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return nullptr;
    return &m_stations[m_shown[row]];
}

ClimateClass StationListModel::climateClass(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return {};
    return m_classes[m_shown[row]];
}

int StationListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int StationListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StationListModel::data(const QModelIndex &index, int role) const
{
    const Station *s = station(index.row());
    if (!s)
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == ElevationColumn || index.column() == LatitudeColumn
                            || index.column() == LongitudeColumn;
        return static_cast<int>(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    // Long names are cut in their columns; the tooltip has them whole, with
    // the climate class in words (and over the class, why).
    if (role == Qt::ToolTipRole) {
        const ClimateClass &climate = m_classes[m_shown[index.row()]];
        QString tip = QStringLiteral("%1, %2 (station %3)").arg(s->place, s->country, s->id);
        if (climate.isValid())
            tip += u'\n' + climate.codeAndName();
        if (index.column() == ClassColumn)
            for (const QString &step : climate.reasons(m_locale))
                tip += u'\n' + step.at(0).toUpper() + step.mid(1);
        return tip;
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case PlaceColumn:
        return s->place;
    case CountryColumn:
        return s->country;
    case ClassColumn:
        return m_classes[m_shown[index.row()]].code();
    case ElevationColumn:
        return NumberText::general(s->elevation, m_locale) + QStringLiteral(" m");
    case LatitudeColumn:
        return degrees(s->latitude, u'N', u'S', m_locale);
    case LongitudeColumn:
        return degrees(s->longitude, u'E', u'W', m_locale);
    case PeriodColumn:
        return s->period;
    default:
        return {};
    }
}

QVariant StationListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case PlaceColumn: return QStringLiteral("Place");
    case CountryColumn: return QStringLiteral("Country");
    case ClassColumn: return QStringLiteral("Class");
    case ElevationColumn: return QStringLiteral("Elevation");
    case LatitudeColumn: return QStringLiteral("Latitude");
    case LongitudeColumn: return QStringLiteral("Longitude");
    case PeriodColumn: return QStringLiteral("Period");
    default: return {};
    }
}

void StationListModel::sort(int column, Qt::SortOrder order)
{
    if (!m_search || column < 0 || column >= ColumnCount)
        return;
    const StationSearch &keys = *m_search;
    const auto number = [this, column](int row) {
        const Station &s = m_stations[row];
        return column == ElevationColumn ? s.elevation : column == LatitudeColumn ? s.latitude : s.longitude;
    };
    // Text by its folded form, so "Sao" and "São" sort together; equal
    // keys keep the place order, then the period's, then the table's.
    const auto less = [&](int a, int b) {
        int c = 0;
        switch (column) {
        case PlaceColumn:
            c = keys.placeKey(a).compare(keys.placeKey(b));
            break;
        case CountryColumn:
            c = keys.countryKey(a).compare(keys.countryKey(b));
            break;
        case ClassColumn:
            c = std::strcmp(m_classes[a].letters(), m_classes[b].letters());
            break;
        case PeriodColumn:
            c = m_stations[a].period.compare(m_stations[b].period);
            break;
        default:
            c = number(a) < number(b) ? -1 : number(a) > number(b) ? 1 : 0;
            break;
        }
        if (c == 0 && column != PlaceColumn)
            c = keys.placeKey(a).compare(keys.placeKey(b));
        if (c == 0)
            c = m_stations[a].period.compare(m_stations[b].period);
        if (c == 0)
            return a < b;
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    };

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection follows its stations to their new rows.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> stationsBefore;
    for (const QModelIndex &index : before)
        stationsBefore.push_back(index.isValid() ? m_shown[index.row()] : -1);
    std::sort(m_order.begin(), m_order.end(), less);
    filter();
    std::vector<int> rowOf(m_stations.size(), -1);
    for (int row = 0; row < static_cast<int>(m_shown.size()); ++row)
        rowOf[m_shown[row]] = row;
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int stationRow = stationsBefore[i];
        after << (stationRow < 0 ? QModelIndex() : index(rowOf[stationRow], before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
