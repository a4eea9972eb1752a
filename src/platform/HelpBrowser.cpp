// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpBrowser.h"

#include "platform/ChmFile.h"

#include <QImage>
#include <QStringDecoder>

HelpBrowser::HelpBrowser(const ChmFile &help, QWidget *parent)
    : QTextBrowser(parent), m_help(help)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QUrl HelpBrowser::urlFor(const QString &objectPath)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(Scheme));
    // A contents entry may carry an anchor ("page.html#part").
    const qsizetype hash = objectPath.indexOf(u'#');
    const QString path = hash >= 0 ? objectPath.left(hash) : objectPath;
    url.setPath(path.startsWith(u'/') ? path : u'/' + path);
    if (hash >= 0)
        url.setFragment(objectPath.mid(hash + 1));
    return url;
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    // Pictures and style sheets of a page may arrive unresolved.
    QUrl url = name;
    if (url.isRelative()) {
        const QUrl base = document()->baseUrl().isValid() ? document()->baseUrl() : source();
        url = base.resolved(name);
    }
    if (url.scheme() != QLatin1String(Scheme))
        return {};
    const std::optional<QByteArray> data = m_help.object(url.path());
    if (!data)
        return {};
    if (type == QTextDocument::HtmlResource) {
        // The page's own <meta charset> decides; pages without one are read
        // as the Windows code page they were most likely written in.
        auto decoder = QStringDecoder::decoderForHtml(*data);
        if (!decoder.isValid())
            return QString::fromLatin1(*data);
        return QString(decoder(*data));
    }
    if (type == QTextDocument::ImageResource) {
        const QImage image = QImage::fromData(*data);
        if (image.isNull())
            return {};
        return image;
    }
    if (type == QTextDocument::StyleSheetResource)
        return QString::fromUtf8(*data);
    return *data;
}

void HelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    // A relative address is a page of the same file; anything else that is
    // not in the help file leaves the page as it is.
    const QUrl target = name.isRelative() && source().isValid() ? source().resolved(name) : name;
    if (target.scheme() != QLatin1String(Scheme))
        return;
    QTextBrowser::doSetSource(target, type);
}
