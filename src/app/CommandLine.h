// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The program's command line: data files to open, --help and --version,
// and --export with --kind to write the files' chart without a window.
// parse() takes the arguments as they came (program name first) and says
// what to do; it prints nothing and never ends the program, so main decides
// and tests can read the outcome. An option is added in three places: a
// member here, its registration in the constructor and a field of Request
// filled in by parse().
class CommandLine
{
public:
    struct Request
    {
        // Data files to load and chart documents to open, in the order
        // given, as full paths.
        QStringList files;
        // --export: the chart of the files goes to exportPath instead of a
        // window; --kind: "tervalo" (the climate diagram) or "normal",
        // empty when not given.
        bool exporting = false;
        QString exportPath;
        QString kind;
        // Set when the program ends before its window shows: for --help and
        // --version with exit code 0 and the text for standard output, for a
        // wrong command line with exit code 1 and the text for standard error.
        bool exitNow = false;
        int exitCode = 0;
        QString output;
        QString error;
    };

    CommandLine();

    Request parse(const QStringList &arguments);

    // True when the arguments (argv as main gets it) ask for --help or
    // --version: those are answered in the terminal before the window system
    // is opened, as there may be no display at all.
    static bool asksOnlyForText(int argc, const char *const argv[]);
    // True when the arguments ask for --export, which needs no display.
    static bool asksForExport(int argc, const char *const argv[]);

    // "Tervalo 0.1.0": the name and the version the build gives the program.
    static QString versionText();
    static QString version();

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_export;
    QCommandLineOption m_kind;
};
