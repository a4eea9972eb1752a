// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Form1.h"

#include "data/Rgb.h"
#include "data/NumberText.h"
#include "editor/GridEditing.h"
#include "platform/DataGrid.h"
#include "platform/Dialogs.h"
#include "platform/RecentFiles.h"
#include "data/Twips.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

namespace {

// The window's design, in twips (1/1440 inch, 15 to a screen pixel).
struct Box
{
    int left, top, width, height;
};
constexpr int clientWidth = 3840;
constexpr int clientHeight = 5505;
constexpr int shapeInset = 60;
constexpr Box label1Box{840, 240, 2175, 255};
constexpr Box textIdentificaBox{480, 480, 2895, 375};
constexpr Box grid2Box{600, 960, 2655, 3255};
constexpr Box progBarBox{240, 1680, 3375, 375};
constexpr Box commAbrirBox{720, 4320, 975, 375};
constexpr Box commGravarBox{1920, 4320, 975, 375};
constexpr Box command1Box{720, 4800, 975, 375};
constexpr Box command2Box{1920, 4800, 975, 375};
constexpr int gridWidth = 2460;        // after inicia_grid
constexpr int gridColumnWidth = 800;
constexpr qint32 backgroundColour = Rgb::pack(145, 200, 255);

// Caption row and twelve month rows; month, temperature, precipitation.
constexpr int gridRowCount = 13;
constexpr int gridColumnCount = 3;

// The progress display after a save only confirms that the file was
// written: its 10000 steps are spread over a quarter of a second.
constexpr int progressSteps = 10000;
constexpr qint64 progressMilliseconds = 250;

void place(QWidget *widget, const Box &box)
{
    widget->setGeometry(Twips::toPixels(box.left), Twips::toPixels(box.top),
                        Twips::toPixels(box.width), Twips::toPixels(box.height));
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const Box &box)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(caption);
    place(b, box);
    return b;
}

QString columnCaption(int column)
{
    return column == 1 ? QStringLiteral("Temp") : QStringLiteral("Ppt");
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Novo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(clientWidth), Twips::toPixels(clientHeight));
    QPalette background = palette();
    background.setColor(QPalette::Window, Rgb::toQColor(backgroundColour));
    setPalette(background);
    setAutoFillBackground(true);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAccessibleName(QStringLiteral("Frame"));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    place(Shape1, Box{shapeInset, shapeInset, clientWidth - 2 * shapeInset,
                      clientHeight - 2 * shapeInset});

    Label1 = new QLabel(QStringLiteral("Place name"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("Place name"));
    Label1->setAlignment(Qt::AlignCenter);
    place(Label1, label1Box);

    // A double quote or a line break would end the name's field in the file
    // early and make the file unreadable, so the box refuses them.
    TextIdentifica = new QLineEdit(this);
    TextIdentifica->setObjectName(QStringLiteral("TextIdentifica"));
    TextIdentifica->setAccessibleName(QStringLiteral("Place name"));
    TextIdentifica->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^\"\\r\\n]*")), TextIdentifica));
    connect(TextIdentifica, &QLineEdit::inputRejected, this, [] { Dialogs::beep(); });
    // A name is the user's data: no length limit (the box's default would
    // cut a longer name from a file silently on the next save).
    TextIdentifica->setMaxLength(std::numeric_limits<int>::max());
    Label1->setBuddy(TextIdentifica);
    place(TextIdentifica, textIdentificaBox);

    Grid2 = new DataGrid(this);
    Grid2->setObjectName(QStringLiteral("Grid2"));
    Grid2->setAccessibleName(QStringLiteral("Monthly temperature and precipitation"));
    Grid2->setRowCount(gridRowCount);
    Grid2->setColumnCount(gridColumnCount);
    place(Grid2, grid2Box);
    // The design holds the whole year (13 rows of 16 pixels, three columns
    // of 53 in 2460 × 3255 twips), so nothing ever scrolls here. Scroll bars
    // as needed would come on while the grid takes its shape and then keep
    // each other on, each eating the room the other needs.
    Grid2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_gridEditing = new GridEditing(Grid2, GridEditing::Sign::Accepted, QStringLiteral("menupop"));

    ProgBar = new QProgressBar(this);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setAccessibleName(QStringLiteral("Saving"));
    ProgBar->setRange(0, progressSteps);
    ProgBar->setTextVisible(false);
    ProgBar->hide();
    place(ProgBar, progBarBox);

    CommAbrir = button(this, "CommAbrir", QStringLiteral("Open"), commAbrirBox);
    CommGravar = button(this, "CommGravar", QStringLiteral("Save"), commGravarBox);
    Command1 = button(this, "Command1", QStringLiteral("Clear"), command1Box);
    Command2 = button(this, "Command2", QStringLiteral("Close"), command2Box);
    connect(CommAbrir, &QPushButton::clicked, this, &Form1::CommAbrir_Click);
    connect(CommGravar, &QPushButton::clicked, this, &Form1::CommGravar_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);

    setTabOrder(Grid2, Command1);
    setTabOrder(Command1, CommGravar);
    setTabOrder(CommGravar, TextIdentifica);
    setTabOrder(TextIdentifica, CommAbrir);
    setTabOrder(CommAbrir, Command2);
    Grid2->setFocus();

    inicia_grid();
}

Form1 *Form1::showEditor()
{
    static QPointer<Form1> editor;
    if (!editor)
        editor = new Form1;
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}

void Form1::inicia_grid()
{
    Grid2->setText(0, 2, QStringLiteral("Ppt"));
    Grid2->setText(0, 1, QStringLiteral("Temp"));
    Grid2->setText(0, 0, QStringLiteral("Month"));
    for (int row = 1; row < gridRowCount; ++row)
        Grid2->setText(row, 0, QString::number(row));
    for (int column : {2, 0, 1})
        Grid2->setColumnWidthTwips(column, gridColumnWidth);
    Grid2->resize(Twips::toPixels(gridWidth), Grid2->height());
    for (int column = 0; column < gridColumnCount; ++column)
        Grid2->setColumnCentred(column);
    // Typing goes to January's temperature until the user picks a cell.
    Grid2->setCurrentCell(1, 1);
}

void Form1::Command1_Click()
{
    Grid2->clearTexts();
    inicia_grid();
}

void Form1::Command2_Click()
{
    close();
}

void Form1::CommAbrir_Click()
{
    const Dialogs::FileRequest request{QStringLiteral("Open"),
                                       QStringLiteral("Tervalo(*.tvr)|*.tvr|All files(*.*)|*.*|"),
                                       QStringLiteral("*.tvr"), QString()};
    const QString path = Dialogs::openFileName(this, request);
    if (path.isEmpty())
        return;
    const DataFile::ReadResult read = DataFile::readDataFile(path);
    if (!read.ok())
        return;
    RecentFiles::add(path);

    Grid2->clearTexts();
    Grid2->setText(0, 2, QStringLiteral("Ppt"));
    Grid2->setText(0, 1, QStringLiteral("Temp"));
    Grid2->setText(0, 0, QStringLiteral("Month"));
    Grid2->setRowCount(1);
    for (int month = 1; month <= 12; ++month) {
        const bool found = month <= read.pairCount;
        const double temp = found ? read.data.temp[month] : 0.0;
        const double ppt = found ? read.data.ppt[month] : 0.0;
        Grid2->appendRow(QString::number(month) + u'\t' + NumberText::general(temp) + u'\t'
                         + NumberText::general(ppt));
    }
    TextIdentifica->setText(read.data.name);
    Grid2->setCurrentCell(1, 1);
}

std::vector<DataFile::CellRow> Form1::gridRows() const
{
    std::vector<DataFile::CellRow> rows;
    for (int row = 1; row < Grid2->rowCount(); ++row)
        rows.emplace_back(Grid2->text(row, 1), Grid2->text(row, 2));
    return rows;
}

std::optional<Form1::BadCell> Form1::firstBadCell(const std::vector<DataFile::CellRow> &rows,
                                                  const QLocale &locale)
{
    // The cell texts go into the file as they stand, and the file reads "."
    // and "," alike as the decimal separator. A text that the locale reads
    // as a grouped number ("1,234" in en_US, "1.234" in de_DE; Qt's own
    // reading checks that the groups stand in their places) would come back
    // from the file as another number, so it is refused like a text that is
    // no number. A separator that cannot be a group ("12,5" in en_US) is
    // the decimal separator the user meant, and passes.
    const auto badCell = [&](int month, int column, const QString &text) -> std::optional<BadCell> {
        if (column == 2 && text.isEmpty())
            return std::nullopt;
        const std::optional<double> fromFile = NumberText::parseFileNumber(text, locale);
        if (!fromFile)
            return BadCell{month, column, text, std::nullopt, std::nullopt};
        bool grouped = false;
        const double fromLocale = locale.toDouble(text.trimmed(), &grouped);
        if (grouped && fromLocale != *fromFile)
            return BadCell{month, column, text, fromLocale, fromFile};
        return std::nullopt;
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int month = static_cast<int>(i) + 1;
        const auto &[temp, ppt] = rows[i];
        if (std::optional<BadCell> bad = badCell(month, 1, temp))
            return bad;
        if (std::optional<BadCell> bad = badCell(month, 2, ppt))
            return bad;
    }
    return std::nullopt;
}

void Form1::CommGravar_Click()
{
    // The cell texts are written as they stand. A text the reader would
    // refuse makes a file that neither window can open again, so it is
    // shown to the user instead of being saved.
    const QString placeName = TextIdentifica->text();
    const std::vector<DataFile::CellRow> rows = gridRows();
    if (const std::optional<BadCell> bad = firstBadCell(rows)) {
        Grid2->setCurrentCell(bad->month, bad->column);
        const QString where = QStringLiteral("Month %1, \"%2\"").arg(bad->month).arg(columnCaption(bad->column));
        QString what;
        if (bad->text.isEmpty())
            what = QStringLiteral("%1 is empty.").arg(where);
        else if (bad->fileValue)
            what = QStringLiteral("%1: \"%2\" would be read from the file as %3, not %4: a data file takes "
                                  "both \".\" and \",\" as the decimal separator. Type the number without "
                                  "digit grouping.")
                       .arg(where, bad->text, NumberText::general(*bad->fileValue),
                            NumberText::general(*bad->localeValue));
        else
            what = QStringLiteral("%1: \"%2\" is not a number.").arg(where, bad->text);
        Dialogs::message(this, what + QStringLiteral("\nThe file was not saved."),
                         QStringLiteral("Warning"), QMessageBox::Warning);
        return;
    }

    const Dialogs::FileRequest request{QStringLiteral("Save"),
                                       QStringLiteral("Tervalo(.tvr)|*.tvr|All files(*.*)|*.*"),
                                       QStringLiteral(".tvr"), QString()};
    const QString path = Dialogs::saveFileName(this, request);
    if (path.isEmpty())
        return;

    setButtonsEnabled(false);
    ProgBar->setValue(0);
    ProgBar->raise();
    ProgBar->show();
    const DataFile::WriteResult written = DataFile::writeDataFile(path, placeName, rows);
    if (!written.ok) {
        ProgBar->hide();
        setButtonsEnabled(true);
        Dialogs::fileNotSaved(this, path, written.message);
        return;
    }
    RecentFiles::add(path);
    showSaveProgress();
}

void Form1::showSaveProgress()
{
    // Pending events run after every step, the close box included: the
    // window may be closed, and even deleted, while the display runs.
    QPointer<Form1> self(this);
    QElapsedTimer clock;
    clock.start();
    int value = 0;
    while (value < progressSteps) {
        value = static_cast<int>(std::min<qint64>(
            progressSteps, std::max<qint64>(value + 1, clock.elapsed() * progressSteps / progressMilliseconds)));
        ProgBar->setValue(value);
        QCoreApplication::processEvents();
        if (!self || !isVisible())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!self)
        return;
    ProgBar->hide();
    setButtonsEnabled(true);
}

void Form1::setButtonsEnabled(bool enabled)
{
    for (QPushButton *b : {CommAbrir, CommGravar, Command1, Command2})
        b->setEnabled(enabled);
}
