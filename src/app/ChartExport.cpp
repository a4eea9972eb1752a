// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChartExport.h"

#include "app/Form3.h"
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

int exportChart(const QString &outPath, const QString &kind, const QStringList &files, QTextStream &errors)
{
    const std::optional<ChartFile::Format> format = ChartFile::formatOf(outPath);
    if (!format)
        return failure(errors, QStringLiteral("cannot tell the format of \"%1\": the name must end in .png, .svg or .pdf")
                                   .arg(outPath));
    const QString kindName = kind.toLower();
    if (!kindName.isEmpty() && kindName != u"tervalo" && kindName != u"normal")
        return failure(errors, QStringLiteral("unknown chart kind \"%1\": use tervalo or normal").arg(kind));
    if (files.isEmpty())
        return failure(errors, QStringLiteral("no data files or chart document given to draw"));
    if (files.size() > Form3::maxDataSets)
        return failure(errors, QStringLiteral("%1 data files given, at most %2 can be drawn")
                                   .arg(files.size())
                                   .arg(Form3::maxDataSets));

    Form3 window;
    for (const QString &file : files) {
        if (Form3::isChartDocument(file)) {
            const ChartDocumentFile::ReadResult read = ChartDocumentFile::read(file);
            if (!read.ok())
                return failure(errors, QStringLiteral("cannot open the chart document \"%1\": %2").arg(file, read.error));
            window.applyDocument(*read.document);
            continue;
        }
        if (window.state().setCount >= Form3::maxDataSets)
            return failure(errors, QStringLiteral("more than %1 places to draw").arg(Form3::maxDataSets));
        if (!window.loadDataFile(file))
            return failure(errors, QStringLiteral("cannot read the data file \"%1\"").arg(file));
    }
    if (kindName == u"normal")
        window.controls().Option3->setChecked(true);
    else if (kindName == u"tervalo")
        window.controls().Option2->setChecked(true);

    const QString title = window.controls().TxTitulo->text();
    QByteArray bytes;
    switch (*format) {
    case ChartFile::Format::Png:
        bytes = ChartFile::png(window.chartImage());
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
        return failure(errors, QStringLiteral("cannot write \"%1\": %2").arg(outPath, why));
    return 0;
}
