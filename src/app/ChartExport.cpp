// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartExport.h"

#include "app/Form3.h"
#include "data/FileName.h"
#include "output/ChartDocumentFile.h"
#include "output/ChartFile.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTextStream>

namespace {

int failure(QTextStream &errors, const QString &why)
{
    errors << "tervalo: " << why << Qt::endl;
    return 2;
}

} // namespace

// A document replaces the places and settings loaded before it; data files
// after it are added to its chart, and every file counts against the places
// a chart holds.
QString loadChartFiles(Form3 &window, const QStringList &files)
{
    for (const QString &file : files) {
        if (Form3::isChartDocument(file)) {
            const ChartDocumentFile::ReadResult read = ChartDocumentFile::read(file);
            if (!read.ok())
                return QStringLiteral("cannot open the chart document %1: %2").arg(FileName::quoted(file), read.error);
            window.applyDocument(*read.document);
            continue;
        }
        if (window.state().setCount >= Form3::maxDataSets)
            return QStringLiteral("more than %1 places to draw").arg(Form3::maxDataSets);
        if (!window.loadDataFile(file))
            return QStringLiteral("cannot read the data file %1").arg(FileName::quoted(file));
    }
    return QString();
}

int exportChart(const QString &outPath, std::optional<ChartKind> kind, int dpi, const QStringList &files,
                QTextStream &errors)
{
    const std::optional<ChartFile::Format> format = ChartFile::formatOf(outPath);
    if (!format)
        return failure(errors, QStringLiteral("cannot tell the format of %1").arg(FileName::quoted(outPath)));

    Form3 window;
    const QString unread = loadChartFiles(window, files);
    if (!unread.isEmpty())
        return failure(errors, unread);
    // Without --kind the chart keeps the kind its files give it: a
    // document's own, else the climate diagram.
    if (kind) {
        const Form3Controls &c = window.controls();
        (*kind == ChartKind::Normal        ? c.Option3
         : *kind == ChartKind::WalterLieth ? c.OptionWalterLieth
                                           : c.Option2)
            ->setChecked(true);
    }

    const QString title = window.controls().TxTitulo->text();
    QByteArray bytes;
    switch (*format) {
    case ChartFile::Format::Png:
        bytes = window.chartPng(dpi > 0 ? dpi : ChartFile::screenDpi);
        break;
    case ChartFile::Format::Svg:
        bytes = ChartFile::svg(window.chartPicture(), title);
        break;
    case ChartFile::Format::Pdf:
        bytes = ChartFile::pdf(window.chartPicture(), title);
        break;
    }
    const QString why = ChartFile::write(outPath, bytes);
    if (!why.isEmpty())
        return failure(errors, QStringLiteral("cannot write %1: %2").arg(FileName::quoted(outPath), why));
    return 0;
}
