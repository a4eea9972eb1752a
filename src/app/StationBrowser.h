// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class Form3;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class StationListModel;
struct DataSet;
struct Station;

// The station library: a window beside the main window that finds stations
// of the shipped table by place, country or climate class and adds them to
// the chart as data sets, or saves one as a data file. It is not modal, is
// created when first shown and discarded when closed.
class StationBrowser : public QWidget
{
    Q_OBJECT

public:
    // Appends a place to the main window; false when it did not (the 50
    // data sets are all taken).
    using AddPlace = std::function<bool(const DataSet &)>;

    StationBrowser(const QString &tablePath, AddPlace addPlace, QWidget *parent = nullptr);
    ~StationBrowser() override;

    // The one browser of the main window, shown and raised; it reads the
    // table from the program's folder.
    static StationBrowser *showBrowser(Form3 *mainWindow);

    // The selected stations, in list order, appended to the main window.
    void addSelected();
    // The selected station written as a data file through the Save dialog,
    // its numbers in the general form of the user's locale.
    void saveSelected();

    QLineEdit *searchBox() const { return m_search; }
    QTableView *list() const { return m_list; }
    StationListModel *model() const { return m_model; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *saveButton() const { return m_save; }
    QLabel *statusLine() const { return m_status; }
    QLabel *creditLine() const { return m_credit; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadTable(const QString &tablePath);
    void searchChanged(const QString &text);
    void selectionChanged();
    std::vector<const Station *> selectedStations() const;
    void showCount();

    AddPlace m_addPlace;
    StationListModel *m_model = nullptr;
    QLineEdit *m_search = nullptr;
    QTableView *m_list = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_credit = nullptr;
    QString m_tableProblem;   // rows left out of the table, said with the count
};
