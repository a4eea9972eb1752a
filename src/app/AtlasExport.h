// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartDocument.h"
#include "output/AtlasFile.h"
#include "platform/AtlasOptions.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

class Form3;
class QTextStream;

// An atlas of a chart's checked places, in list order: each place drawn
// alone, in its own style and with the chart's settings, in a main window
// that is never shown (as a chart document is drawn without a window), then
// laid out by AtlasFile. The main window's "Export atlas…" and the command
// line's --atlas both make theirs here.
class AtlasExport
{
public:
    explicit AtlasExport(const ChartDocument &document);
    ~AtlasExport();

    // The places the atlas holds: the checked ones.
    int placeCount() const { return static_cast<int>(m_places.size()); }

    // The PDF. A worksheet is shuffled by `seed`.
    AtlasFile::Result compose(const AtlasOptions &options, quint32 seed, const AtlasFile::Progress &progress = {});

private:
    ChartDocument alone(const DocumentPlace &place, const QString &heading) const;
    AtlasChart draw(const ChartDocument &document);

    ChartDocument m_document;
    std::vector<DocumentPlace> m_places;
    std::unique_ptr<Form3> m_drawing;
    // The extremes every chart's automatic bounds lie beyond: the places'
    // own (reset), or those of all places together for the same scale.
    DocumentAxis m_extremesX;
    DocumentAxis m_extremesY;
};

// The atlas of the given files (data files and chart documents, taken as
// the chart's export takes them) written to `outPath`. Returns the exit
// code: 0 when it is written, else 2 after one line on `errors`; nothing is
// written then.
int exportAtlas(const QString &outPath, std::optional<ChartKind> kind, const AtlasOptions &options,
                const QStringList &files, QTextStream &errors);
