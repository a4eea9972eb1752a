// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtlasDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

AtlasDialog::AtlasDialog(int places, const QString &kind, const AtlasOptions &options, QWidget *parent)
    : QDialog(parent), m_places(places)
{
    setWindowTitle(QStringLiteral("Export atlas"));
    auto *what = new QLabel(
        places == 1 ? QStringLiteral("One chart of the checked place, as a %1.").arg(kind)
                    : QStringLiteral("One chart for each of the %1 checked places, as a %2.").arg(places).arg(kind),
        this);
    what->setWordWrap(true);

    m_perPage = new QComboBox(this);
    m_perPage->setObjectName(QStringLiteral("perPage"));
    for (int count : AtlasOptions::perPageChoices)
        m_perPage->addItem(QString::number(count), count);
    m_perPage->setCurrentIndex(std::max(0, m_perPage->findData(options.perPage)));

    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paper"));
    m_paper->addItem(QStringLiteral("A4"), QPageSize::A4);
    m_paper->addItem(QStringLiteral("Letter"), QPageSize::Letter);
    m_paper->setCurrentIndex(std::max(0, m_paper->findData(options.paper)));

    m_sameScale = new QCheckBox(QStringLiteral("&Same scale for all"), this);
    m_sameScale->setObjectName(QStringLiteral("sameScale"));
    m_sameScale->setToolTip(
        QStringLiteral("Every chart on the axes that all the places need together, so that the pages compare."));
    m_sameScale->setChecked(options.sameScale);

    m_worksheet = new QCheckBox(QStringLiteral("&Worksheet: names hidden, answer key at the end"), this);
    m_worksheet->setObjectName(QStringLiteral("worksheet"));
    m_worksheet->setToolTip(QStringLiteral(
        "The places in a random order under the names Station A, Station B …; the last page is the answer key."));
    m_worksheet->setChecked(options.worksheet);

    m_pages = new QLabel(this);
    m_pages->setObjectName(QStringLiteral("pages"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Export…"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(what);
    form->addRow(QStringLiteral("&Charts per page:"), m_perPage);
    form->addRow(QStringLiteral("&Paper:"), m_paper);
    form->addRow(m_sameScale);
    form->addRow(m_worksheet);
    form->addRow(m_pages);
    form->addRow(buttons);

    connect(m_perPage, &QComboBox::currentIndexChanged, this, &AtlasDialog::showPages);
    connect(m_worksheet, &QCheckBox::toggled, this, &AtlasDialog::showPages);
    showPages();
}

AtlasOptions AtlasDialog::options() const
{
    AtlasOptions options;
    options.perPage = m_perPage->currentData().toInt();
    options.paper = static_cast<QPageSize::PageSizeId>(m_paper->currentData().toInt());
    options.sameScale = m_sameScale->isChecked();
    options.worksheet = m_worksheet->isChecked();
    return options;
}

void AtlasDialog::showPages()
{
    const int perPage = std::max(1, m_perPage->currentData().toInt());
    const int pages = (m_places + perPage - 1) / perPage;
    QString text = pages == 1 ? QStringLiteral("1 page of charts") : QStringLiteral("%1 pages of charts").arg(pages);
    if (m_worksheet->isChecked())
        text += QStringLiteral(", then the answer key");
    m_pages->setText(text + u'.');
}
