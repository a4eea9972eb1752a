// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartValues.h"
#include "platform/AtlasOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The program's command line: data files and chart documents to open,
// --help and --version, --export with --kind and --dpi to write the files'
// chart without a window, --atlas with its options to write one chart per
// place as a PDF atlas, and --classify to print the files' climate classes.
//
// Everything on the line is settled here, before any window system is
// opened: main parses with only a QCoreApplication, because QApplication's
// constructor ends the program where there is no display, and a mistake
// could then not be told. parse() prints nothing and never ends the
// program; main acts on the Request, and tests read it.
//
// An option is added in four places: a member here, its registration in
// the constructor, its check in parse() (a wrong value is a mistake, told
// with exit code 1), and a field of Request, or an Action when it makes the
// program do something else, with its case in main.
class CommandLine
{
public:
    enum class Action {
        OpenWindow,   // the main window with `files` loaded
        Export,       // the chart of `files` written to `exportPath`, no window
        Atlas,        // one chart per file of `files`, as a PDF at `atlasPath`, no window
        Classify,     // the climate class of each of `givenFiles` printed, no window
        Answer,       // --help, --version or a mistake: print and end with exitCode
    };

    struct Request
    {
        Action action = Action::OpenWindow;
        // Data files to load and chart documents to open, in the order
        // given, as full paths. A name that is not valid UTF-8 keeps its
        // bytes (see FileName).
        QStringList files;
        // --export, and --kind when given: it overrides a chart document's
        // own kind; --dpi, the resolution of a PNG, 0 when not given (the
        // screen's own picture).
        QString exportPath;
        std::optional<ChartKind> kind;
        int dpi = 0;
        // --atlas with --per-page, --paper, --same-scale and --worksheet.
        QString atlasPath;
        AtlasOptions atlas;
        // --classify: the files as given, as the output repeats them.
        QStringList givenFiles;
        // Action::Answer: exit code 0 with the text for standard output
        // (--help, --version), or 1 with the text for standard error (a
        // mistake on the line).
        int exitCode = 0;
        QString output;
        QString error;
    };

    CommandLine();

    // `arguments` as they came, program name first, as arguments() gives
    // them. The window system's own options (-style, -platform, -display …),
    // which QApplication takes off the line, are let through unchecked.
    Request parse(const QStringList &arguments);

    // The arguments main receives, each kept with its bytes: a file name
    // that is not valid UTF-8 still names its file (QCoreApplication's
    // arguments() would put U+FFFD in its place).
    static QStringList arguments(int argc, const char *const argv[]);

    // "Tervalo 0.1.0": the name and the version the build gives the program.
    static QString versionText();
    static QString version();

private:
    static QStringList withoutWindowSystemOptions(const QStringList &arguments);

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_export;
    QCommandLineOption m_kind;
    QCommandLineOption m_dpi;
    QCommandLineOption m_atlas;
    QCommandLineOption m_perPage;
    QCommandLineOption m_paper;
    QCommandLineOption m_sameScale;
    QCommandLineOption m_worksheet;
    QCommandLineOption m_classify;
};
