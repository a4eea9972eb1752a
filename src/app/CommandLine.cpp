// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "data/DataSet.h"
#include "data/FileName.h"
#include "output/ChartFile.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The names --kind takes, lower case.
constexpr std::array<std::pair<const char16_t *, ChartKind>, 3> kindNames = {{
    {u"tervalo", ChartKind::Climate},
    {u"normal", ChartKind::Normal},
    {u"walter-lieth", ChartKind::WalterLieth},
}};

// QGuiApplication's and QApplication's own options, with one dash or two,
// which QApplication takes off the line; no option of the program may use
// one of these names. Those in the first list take the next argument as
// their value; all may also be written -option=value. (The X11 platform
// also takes -title, -name and a few more; they are not let through here,
// to keep those names free.)
const QStringList windowSystemOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "style", "stylesheet",
};
const QStringList windowSystemFlags = {"reverse", "widgetcount", "qmljsdebugger"};

CommandLine::Request mistake(const QString &what)
{
    CommandLine::Request request;
    request.action = CommandLine::Action::Answer;
    request.exitCode = 1;
    request.error = QStringLiteral("tervalo: ") + what + QStringLiteral("\nTry '--help' for more information.\n");
    return request;
}

} // namespace

CommandLine::CommandLine()
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and quit."))
    , m_version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version and quit."))
    , m_export(QStringLiteral("export"),
               QStringLiteral("Write the chart of the files to <file> (.png, .svg or .pdf) and quit."),
               QStringLiteral("file"))
    , m_kind(QStringLiteral("kind"),
             QStringLiteral("Chart kind of --export and --atlas: tervalo (default), normal or walter-lieth; "
                            "it overrides a chart document's own."),
             QStringLiteral("kind"))
    , m_dpi(QStringLiteral("dpi"),
            QStringLiteral("Resolution of a PNG written by --export, in dots per inch (%1 to %2); "
                           "without it the picture is the screen's.")
                .arg(ChartFile::minimumDpi)
                .arg(ChartFile::maximumDpi),
            QStringLiteral("n"))
    , m_atlas(QStringLiteral("atlas"),
              QStringLiteral("Write an atlas to <file> (.pdf), one chart per data file, and quit."),
              QStringLiteral("file"))
    , m_perPage(QStringLiteral("per-page"), QStringLiteral("Charts on each page of the atlas: 1, 2, 4 (default) or 6."),
                QStringLiteral("n"), QStringLiteral("4"))
    , m_paper(QStringLiteral("paper"),
              QStringLiteral("Paper of the atlas: a4 or letter (default: the one of your locale)."),
              QStringLiteral("paper"))
    , m_sameScale(QStringLiteral("same-scale"),
                  QStringLiteral("Draw every chart of the atlas on the same axes, so that they compare."))
    , m_worksheet(QStringLiteral("worksheet"),
                  QStringLiteral("Make the atlas a worksheet: the places shuffled and named Station A, B, …, "
                                 "with an answer key on the last page."))
    , m_classify(QStringLiteral("classify"),
                 QStringLiteral("Print the K\u00f6ppen\u2013Geiger climate class of each data file "
                                "(path, class and place, tab-separated) and quit."))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Draws climate diagrams from Tervalo data files and chart documents."));
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);
    m_parser.addOption(m_export);
    m_parser.addOption(m_kind);
    m_parser.addOption(m_dpi);
    m_parser.addOption(m_atlas);
    m_parser.addOption(m_perPage);
    m_parser.addOption(m_paper);
    m_parser.addOption(m_sameScale);
    m_parser.addOption(m_worksheet);
    m_parser.addOption(m_classify);
    m_parser.addPositionalArgument(QStringLiteral("files"),
                                   QStringLiteral("Data files (.tvr) to open, in this order; a chart "
                                                  "document (.tvc) replaces the chart with its own."),
                                   QStringLiteral("[files...]"));
}

CommandLine::Request CommandLine::parse(const QStringList &arguments)
{
    if (!m_parser.parse(withoutWindowSystemOptions(arguments)))
        return mistake(m_parser.errorText());
    Request request;
    if (m_parser.isSet(m_help)) {
        request.action = Action::Answer;
        request.output = m_parser.helpText();
        return request;
    }
    if (m_parser.isSet(m_version)) {
        request.action = Action::Answer;
        request.output = versionText() + u'\n';
        return request;
    }
    // Full paths, as the Open dialog gives them: the program keeps the name
    // of the file it read last.
    for (const QString &file : m_parser.positionalArguments())
        request.files << QDir::cleanPath(QDir::current().absoluteFilePath(file));

    if (m_parser.isSet(m_kind)) {
        const QString kindName = m_parser.value(m_kind).toLower();
        const auto kind = std::find_if(kindNames.begin(), kindNames.end(),
                                       [&](const auto &entry) { return kindName == entry.first; });
        if (kind == kindNames.end())
            return mistake(QStringLiteral("unknown chart kind %1: use tervalo, normal or walter-lieth")
                               .arg(FileName::quoted(m_parser.value(m_kind))));
        request.kind = kind->second;
    }

    if (m_parser.isSet(m_classify)) {
        if (m_parser.isSet(m_export) || m_parser.isSet(m_atlas))
            return mistake(QStringLiteral("--classify cannot be used with --export or --atlas"));
        if (request.files.isEmpty())
            return mistake(QStringLiteral("no data files given to classify"));
        request.action = Action::Classify;
        request.givenFiles = m_parser.positionalArguments();
        return request;
    }

    if (m_parser.isSet(m_export) && m_parser.isSet(m_atlas))
        return mistake(QStringLiteral("--export and --atlas cannot be given together"));
    if (m_parser.isSet(m_export)) {
        request.action = Action::Export;
        request.exportPath = m_parser.value(m_export);
        const std::optional<ChartFile::Format> format = ChartFile::formatOf(request.exportPath);
        if (!format)
            return mistake(QStringLiteral("cannot tell the format of %1: the name must end in .png, .svg or .pdf")
                               .arg(FileName::quoted(request.exportPath)));
        if (m_parser.isSet(m_dpi)) {
            if (*format != ChartFile::Format::Png)
                return mistake(QStringLiteral("--dpi is the resolution of a PNG: the name must end in .png"));
            bool whole = false;
            request.dpi = m_parser.value(m_dpi).toInt(&whole);
            if (!whole || request.dpi < ChartFile::minimumDpi || request.dpi > ChartFile::maximumDpi)
                return mistake(QStringLiteral("the resolution must be a whole number from %1 to %2, not %3")
                                   .arg(ChartFile::minimumDpi)
                                   .arg(ChartFile::maximumDpi)
                                   .arg(FileName::quoted(m_parser.value(m_dpi))));
        }
    } else if (m_parser.isSet(m_dpi)) {
        return mistake(QStringLiteral("--dpi goes with --export"));
    }

    if (m_parser.isSet(m_atlas)) {
        request.action = Action::Atlas;
        request.atlasPath = m_parser.value(m_atlas);
        if (ChartFile::formatOf(request.atlasPath) != ChartFile::Format::Pdf)
            return mistake(QStringLiteral("an atlas is a PDF document: the name %1 must end in .pdf")
                               .arg(FileName::quoted(request.atlasPath)));
        bool whole = false;
        request.atlas.perPage = m_parser.value(m_perPage).toInt(&whole);
        if (!whole || !AtlasOptions::isPerPageChoice(request.atlas.perPage))
            return mistake(QStringLiteral("charts per page must be 1, 2, 4 or 6, not %1")
                               .arg(FileName::quoted(m_parser.value(m_perPage))));
        const QString paper = m_parser.value(m_paper).toLower();
        if (paper.isEmpty())
            request.atlas.paper = AtlasOptions::localPaper();
        else if (paper == u"a4")
            request.atlas.paper = QPageSize::A4;
        else if (paper == u"letter")
            request.atlas.paper = QPageSize::Letter;
        else
            return mistake(QStringLiteral("unknown paper %1: use a4 or letter").arg(FileName::quoted(m_parser.value(m_paper))));
        request.atlas.sameScale = m_parser.isSet(m_sameScale);
        request.atlas.worksheet = m_parser.isSet(m_worksheet);
    } else {
        for (const QCommandLineOption *option : {&m_perPage, &m_paper, &m_sameScale, &m_worksheet})
            if (m_parser.isSet(*option))
                return mistake(QStringLiteral("--%1 goes with --atlas").arg(option->names().constFirst()));
    }

    if (request.action == Action::Export || request.action == Action::Atlas) {
        if (request.files.isEmpty())
            return mistake(QStringLiteral("no data files or chart document given to draw"));
        if (request.files.size() > maxDataSets)
            return mistake(QStringLiteral("%1 files given, at most %2 can be drawn")
                               .arg(request.files.size())
                               .arg(maxDataSets));
    }
    return request;
}

QStringList CommandLine::arguments(int argc, const char *const argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << FileName::fromNative(argv[i]);
    return list;
}

QStringList CommandLine::withoutWindowSystemOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (i == 0 || !argument.startsWith(u'-') || argument == u"-") {
            kept << argument;
            continue;
        }
        if (argument == u"--") {
            kept << arguments.mid(i);   // names of files follow
            break;
        }
        const QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1).section(u'=', 0, 0);
        if (windowSystemOptionsWithValue.contains(name)) {
            if (!argument.contains(u'='))
                ++i;   // its value
            continue;
        }
        if (!windowSystemFlags.contains(name))
            kept << argument;
    }
    return kept;
}

QString CommandLine::version()
{
    return QStringLiteral(TERVALO_VERSION);
}

QString CommandLine::versionText()
{
    return QStringLiteral("Tervalo ") + version();
}
