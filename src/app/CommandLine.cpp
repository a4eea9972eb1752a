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
             QStringLiteral("Chart kind of --export: tervalo (default), normal or walter-lieth; it "
                            "overrides a chart document's own."),
             QStringLiteral("kind"))
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
        if (m_parser.isSet(m_export))
            return mistake(QStringLiteral("--classify and --export cannot be used together"));
        if (request.files.isEmpty())
            return mistake(QStringLiteral("no data files given to classify"));
        request.action = Action::Classify;
        request.givenFiles = m_parser.positionalArguments();
        return request;
    }

    if (m_parser.isSet(m_export)) {
        request.action = Action::Export;
        request.exportPath = m_parser.value(m_export);
        if (!ChartFile::formatOf(request.exportPath))
            return mistake(QStringLiteral("cannot tell the format of %1: the name must end in .png, .svg or .pdf")
                               .arg(FileName::quoted(request.exportPath)));
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
