// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialogs.h"

#include "platform/AtlasDialog.h"
#include "platform/NameOnlyIconProvider.h"

#include "data/Twips.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QStringList>

namespace {
Dialogs::Responder *g_responder = nullptr;

QString suffixOf(const QString &defaultSuffix)
{
    QString suffix = defaultSuffix;
    while (suffix.startsWith(u'*') || suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    return suffix;
}

// The extension of a filter entry's first pattern, "png" for "PNG image
// (*.png)"; empty for a wildcard such as "*.*".
QString filterSuffix(const QString &entry)
{
    const qsizetype open = entry.lastIndexOf(u'(');
    const qsizetype close = entry.lastIndexOf(u')');
    if (open < 0 || close <= open)
        return QString();
    const QString pattern = entry.mid(open + 1, close - open - 1).section(u' ', 0, 0).section(u';', 0, 0);
    const QString suffix = suffixOf(pattern);
    return suffix.contains(u'*') || suffix.contains(u'?') ? QString() : suffix;
}

// chosenFilter: nullptr when the caller does not ask for the filter entry.
QString runFileDialog(QWidget *parent, const Dialogs::FileRequest &request, bool save, int *chosenFilter = nullptr)
{
    const QStringList filters = Dialogs::qtFilter(request.filter).split(QStringLiteral(";;"));
    QFileDialog dialog(parent, request.title, request.directory, Dialogs::qtFilter(request.filter));
    // Lists folders without reading any file: Qt's own icons would, and a
    // file such as /proc/kmsg blocks the reader for ever.
    dialog.setIconProvider(NameOnlyIconProvider::shared());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open does not insist that the file exists either: a name that does
    // not is simply not read, without a message of the dialog's own.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffixOf(request.defaultSuffix));
    if (chosenFilter) {
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &entry) {
            const QString suffix = filterSuffix(entry);
            if (!suffix.isEmpty())
                dialog.setDefaultSuffix(suffix);
        });
        *chosenFilter = -1;
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (chosenFilter)
        *chosenFilter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return dialog.selectedFiles().constFirst();
}
} // namespace

void Dialogs::setResponder(Responder *responder)
{
    g_responder = responder;
}

QString Dialogs::openFileName(QWidget *parent, const FileRequest &request)
{
    if (g_responder)
        return g_responder->openFileName(request);
    return runFileDialog(parent, request, false);
}

QString Dialogs::saveFileName(QWidget *parent, const FileRequest &request)
{
    if (g_responder)
        return g_responder->saveFileName(request);
    return runFileDialog(parent, request, true);
}

QString Dialogs::saveFileName(QWidget *parent, const FileRequest &request, int &chosenFilter)
{
    if (g_responder)
        return g_responder->saveFileNameAndFilter(request, chosenFilter);
    return runFileDialog(parent, request, true, &chosenFilter);
}

void Dialogs::message(QWidget *parent, const QString &text, const QString &title,
                      QMessageBox::Icon icon)
{
    if (g_responder) {
        g_responder->message(text, title, icon);
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool Dialogs::atlasOptions(QWidget *parent, const AtlasRequest &request, AtlasOptions &options)
{
    if (g_responder)
        return g_responder->atlasOptions(request, options);
    AtlasDialog dialog(request.places, request.kind, options, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.options();
    return true;
}

int Dialogs::resolution(QWidget *parent, const ResolutionRequest &request)
{
    if (g_responder)
        return g_responder->resolution(request);
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("PNG resolution"));
    auto *dpi = new QSpinBox(&dialog);
    dpi->setObjectName(QStringLiteral("dpi"));
    dpi->setRange(request.minimum, request.maximum);
    dpi->setSingleStep(24);
    dpi->setSuffix(QStringLiteral(" dpi"));
    dpi->setValue(request.dpi);
    auto *size = new QLabel(&dialog);
    const auto showSize = [&](int value) {
        // A screen pixel is 1/96 inch: 1440 twips an inch, 15 a pixel.
        const double scale = value * Twips::perPixel / 1440.0;
        size->setText(QStringLiteral("%1 × %2 pixels")
                          .arg(qRound(request.pixelSize.width() * scale))
                          .arg(qRound(request.pixelSize.height() * scale)));
    };
    showSize(dpi->value());
    QObject::connect(dpi, &QSpinBox::valueChanged, &dialog, showSize);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("&Resolution:"), dpi);
    form->addRow(QStringLiteral("Picture:"), size);
    form->addRow(buttons);
    return dialog.exec() == QDialog::Accepted ? dpi->value() : 0;
}

bool Dialogs::question(QWidget *parent, const QString &text, const QString &title)
{
    if (g_responder)
        return g_responder->question(text, title);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Dialogs::fileNotSaved(QWidget *parent, const QString &path, const QString &reason)
{
    message(parent, QStringLiteral("The file could not be saved:\n%1\n%2").arg(path, reason),
            QStringLiteral("Warning"), QMessageBox::Warning);
}

void Dialogs::beep()
{
    if (g_responder) {
        g_responder->beep();
        return;
    }
    QApplication::beep();
}

QString Dialogs::qtFilter(const QString &classicFilter)
{
    const QStringList parts = classicFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (description.isEmpty() && pattern.isEmpty())
            continue;
        // Qt takes the patterns from the last parentheses of the entry; add
        // them when the description's own parentheses say something else.
        if (description.endsWith(u'(' + pattern + u')'))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + pattern + u')';
    }
    return filters.join(QStringLiteral(";;"));
}
