// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AtlasOptions.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;

// "Export atlas": how the charts of the checked places go on the pages of
// one PDF. Says what it will make (how many places, in which chart kind,
// on how many pages) while the user chooses.
class AtlasDialog : public QDialog
{
    Q_OBJECT

public:
    // `places`: the charts the atlas will hold; `kind`: the chart kind's name.
    AtlasDialog(int places, const QString &kind, const AtlasOptions &options, QWidget *parent = nullptr);

    AtlasOptions options() const;

private:
    void showPages();

    int m_places;
    QComboBox *m_perPage;
    QComboBox *m_paper;
    QCheckBox *m_sameScale;
    QCheckBox *m_worksheet;
    QLabel *m_pages;
};
