// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartExport.h"

#include "app/Form3.h"
#include "data/FileName.h"
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

QString loadChartFiles(Form3 &window, const QStringList &files)
{
    for (const QString &file : files)
        if (!window.loadDataFile(file))
            return QStringLiteral("cannot read the data file %1").arg(FileName::quoted(file));
    return QString();
}

int exportChart(const QString &outPath, ChartKind kind, int dpi, const QStringList &files, QTextStream &errors)
{
    const std::optional<ChartFile::Format> format = ChartFile::formatOf(outPath);
    if (!format)
        return failure(errors, QStringLiteral("cannot tell the format of %1").arg(FileName::quoted(outPath)));

    Form3 window;
    if (kind == ChartKind::Normal)
        window.controls().Option3->setChecked(true);
    else if (kind == ChartKind::WalterLieth)
        window.controls().OptionWalterLieth->setChecked(true);
    const QString unread = loadChartFiles(window, files);
    if (!unread.isEmpty())
        return failure(errors, unread);

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
