// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PrintPreview.h"

#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include <algorithm>

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
    // Large enough to read a whole page at once.
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        dialog.resize(std::min(900, available.width() * 9 / 10), available.height() * 9 / 10);
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter *target) {
        if (target && paint)
            paint(*target);
    });
    if (g_runner)
        g_runner(dialog);
    else
        dialog.exec();
}
