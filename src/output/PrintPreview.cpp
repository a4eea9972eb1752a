// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintPreview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
PrintPreview::Runner g_runner;
} // namespace

void PrintPreview::setRunner(Runner runner)
{
    g_runner = std::move(runner);
}

void PrintPreview::run(QWidget *parent, const Paint &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Tervalo"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter *target) {
        if (target && paint)
            paint(*target);
    });
    if (g_runner)
        g_runner(dialog);
    else
        dialog.exec();
}
