// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

// The print preview window. The page is composed by `paint` each time the
// preview needs it (on opening, on a change of page setup) and once more
// when the user prints.
class PrintPreview
{
public:
    using Paint = std::function<void(QPrinter &printer)>;
    // Runs the prepared dialog. By default it is shown modally for the user;
    // tests put in a runner that looks at the preview and prints it to a file.
    using Runner = std::function<void(QPrintPreviewDialog &dialog)>;

    // An empty runner puts the modal dialog back.
    static void setRunner(Runner runner);

    static void run(QWidget *parent, const Paint &paint);
};
