// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/ClimateClass.h"
#include "data/StationSearch.h"
#include "data/StationTable.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QString>

#include <memory>
#include <vector>

// The station browser's list: the stations that match the search box, in
// the order of the column last sorted by. All stations are kept in that
// order, so a new query only walks them once and never sorts.
class StationListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { PlaceColumn, CountryColumn, ClassColumn, ElevationColumn, LatitudeColumn, LongitudeColumn,
                  PeriodColumn, ColumnCount };

    explicit StationListModel(QObject *parent = nullptr);
    ~StationListModel() override;

    void setStations(std::vector<Station> stations);
    int stationCount() const { return static_cast<int>(m_stations.size()); }
    void setQuery(const QString &query);

    // The station shown in list row `row`; nullptr outside the list.
    const Station *station(int row) const;
    // Its climate class; no class outside the list.
    ClimateClass climateClass(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void filter();

    std::vector<Station> m_stations;
    std::vector<ClimateClass> m_classes;   // by station, as the table gives them
    std::unique_ptr<StationSearch> m_search;
    std::vector<int> m_order;    // every station, in sort order
    std::vector<int> m_shown;    // the matching ones, in sort order
    QString m_query;
    QLocale m_locale;            // the user's, for the numbers shown
};
