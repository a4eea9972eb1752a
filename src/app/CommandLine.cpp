// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QDir>

#include <cstring>

CommandLine::CommandLine()
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and quit."))
    , m_version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version and quit."))
    , m_export(QStringLiteral("export"),
               QStringLiteral("Write the chart of the files to <file> (.png, .svg or .pdf) and quit."),
               QStringLiteral("file"))
    , m_kind(QStringLiteral("kind"),
             QStringLiteral("Chart kind of --export: tervalo (default) or normal; it overrides a chart "
                            "document's own."),
             QStringLiteral("kind"))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Draws climate diagrams from Tervalo data files and chart documents."));
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);
    m_parser.addOption(m_export);
    m_parser.addOption(m_kind);
    m_parser.addPositionalArgument(QStringLiteral("files"),
                                   QStringLiteral("Data files (.tvr) to open, in this order; a chart "
                                                  "document (.tvc) replaces the chart with its own."),
                                   QStringLiteral("[files...]"));
}

CommandLine::Request CommandLine::parse(const QStringList &arguments)
{
    Request request;
    if (!m_parser.parse(arguments)) {
        request.exitNow = true;
        request.exitCode = 1;
        request.error = m_parser.errorText() + QStringLiteral("\nTry '--help' for more information.\n");
        return request;
    }
    if (m_parser.isSet(m_help)) {
        request.exitNow = true;
        request.output = m_parser.helpText();
        return request;
    }
    if (m_parser.isSet(m_version)) {
        request.exitNow = true;
        request.output = versionText() + u'\n';
        return request;
    }
    // Full paths, as the Open dialog gives them: the program keeps the name
    // of the file it read last.
    for (const QString &file : m_parser.positionalArguments())
        request.files << QDir::cleanPath(QDir::current().absoluteFilePath(file));
    if (m_parser.isSet(m_export)) {
        request.exporting = true;
        request.exportPath = m_parser.value(m_export);
        request.kind = m_parser.value(m_kind);
    }
    return request;
}

bool CommandLine::asksOnlyForText(int argc, const char *const argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (std::strcmp(argument, "--") == 0)
            return false;   // names of files follow
        for (const char *option : {"-h", "--help", "-v", "--version"})
            if (std::strcmp(argument, option) == 0)
                return true;
    }
    return false;
}

bool CommandLine::asksForExport(int argc, const char *const argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strncmp(argv[i], "--export", 8) == 0)
            return true;
    }
    return false;
}

QString CommandLine::version()
{
    return QStringLiteral(TERVALO_VERSION);
}

QString CommandLine::versionText()
{
    return QStringLiteral("Tervalo ") + version();
}
