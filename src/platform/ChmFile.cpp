// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ChmFile.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <chm_lib.h>

#include <cstring>
#include <limits>

namespace {

// Paths in a help file are compared without regard to case, as chmlib does.
QString entryKey(const QString &objectPath)
{
    return objectPath.toLower();
}

QString absolutePath(const QString &objectPath)
{
    return objectPath.startsWith(u'/') ? objectPath : u'/' + objectPath;
}

// Little-endian fields of a byte buffer, each read only if it lies inside.
class Bytes
{
public:
    explicit Bytes(const QByteArray &data) : m_data(data) {}

    qint64 size() const { return m_data.size(); }

    bool has(qint64 offset, qint64 count) const
    {
        return offset >= 0 && count >= 0 && offset <= size() && count <= size() - offset;
    }

    bool u8(qint64 offset, quint64 &value) const { return unsignedAt(offset, 1, value); }
    bool u16(qint64 offset, quint64 &value) const { return unsignedAt(offset, 2, value); }
    bool u32(qint64 offset, quint64 &value) const { return unsignedAt(offset, 4, value); }
    bool u64(qint64 offset, quint64 &value) const { return unsignedAt(offset, 8, value); }

    bool i32(qint64 offset, qint64 &value) const
    {
        quint64 raw = 0;
        if (!u32(offset, raw))
            return false;
        value = static_cast<qint32>(static_cast<quint32>(raw));
        return true;
    }

    bool signatureAt(qint64 offset, const char (&signature)[5]) const
    {
        return has(offset, 4) && std::memcmp(m_data.constData() + offset, signature, 4) == 0;
    }

    // The directory's variable-length numbers: seven bits a byte, most
    // significant first, the high bit saying that another byte follows.
    bool encint(qint64 &offset, qint64 end, quint64 &value) const
    {
        value = 0;
        for (int used = 0; used < 8; ++used) {
            if (offset >= end || offset >= size())
                return false;
            const auto byte = static_cast<quint8>(m_data[offset++]);
            value = (value << 7) | (byte & 0x7f);
            if (!(byte & 0x80))
                return true;
        }
        return false;   // longer than any sane offset or length
    }

    QByteArray mid(qint64 offset, qint64 count) const { return m_data.mid(offset, count); }

private:
    bool unsignedAt(qint64 offset, int width, quint64 &value) const
    {
        if (!has(offset, width))
            return false;
        value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = (value << 8) | static_cast<quint8>(m_data[offset + i]);
        return true;
    }

    const QByteArray &m_data;
};

struct Entry {
    QString path;
    quint64 space = 0;
    quint64 start = 0;
    quint64 length = 0;
};

// `start + length <= limit`, without overflow.
bool fitsIn(quint64 start, quint64 length, quint64 limit)
{
    return start <= limit && length <= limit - start;
}

constexpr quint64 LzxFrameLength = 0x8000;
const QString contentPath = QStringLiteral("::DataSpace/Storage/MSCompressed/Content");
const QString controlDataPath = QStringLiteral("::DataSpace/Storage/MSCompressed/ControlData");
const QString resetTablePath = QStringLiteral(
    "::DataSpace/Storage/MSCompressed/Transform/"
    "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable");

// What the structural check learns about a file that passes it.
struct Layout {
    QList<Entry> entries;
};

// Walks the directory's listing chunks (PMGL) and index chunks (PMGI),
// checking every field that chmlib would later follow.
bool readDirectory(const Bytes &file, quint64 dirOffset, quint64 dirLength, quint64 dataOffset,
                   Layout &layout)
{
    quint64 itspHeaderLength = 0, blockLength = 0, blockCount = 0;
    qint64 indexRoot = 0, indexHead = 0;
    if (dirLength < 0x54 || !file.signatureAt(qint64(dirOffset), "ITSP")
        || !file.u32(qint64(dirOffset) + 0x08, itspHeaderLength)
        || !file.u32(qint64(dirOffset) + 0x10, blockLength)
        || !file.i32(qint64(dirOffset) + 0x1c, indexRoot)
        || !file.i32(qint64(dirOffset) + 0x20, indexHead)
        || !file.u32(qint64(dirOffset) + 0x2c, blockCount))
        return false;
    if (itspHeaderLength < 0x54 || itspHeaderLength > dirLength || blockLength < 0x20
        || blockLength > 0x10000 || blockCount == 0
        || blockCount > (dirLength - itspHeaderLength) / blockLength)
        return false;
    const auto blocks = qint64(blockCount);
    if (indexHead < 0 || indexHead >= blocks || indexRoot < -1 || indexRoot >= blocks)
        return false;

    const qint64 firstBlock = qint64(dirOffset + itspHeaderLength);
    for (qint64 block = 0; block < blocks; ++block) {
        const qint64 begin = firstBlock + block * qint64(blockLength);
        quint64 freeSpace = 0;
        if (file.signatureAt(begin, "PMGL")) {
            qint64 next = 0;
            if (!file.u32(begin + 4, freeSpace) || freeSpace > blockLength - 0x14
                || !file.i32(begin + 0x10, next))
                return false;
            // chmlib follows these links when it lists the file: they must
            // lead forward so that the walk ends.
            if (next != -1 && (next <= block || next >= blocks))
                return false;
            const qint64 end = begin + qint64(blockLength - freeSpace);
            qint64 at = begin + 0x14;
            while (at < end) {
                quint64 nameLength = 0;
                if (!file.encint(at, end, nameLength) || nameLength == 0
                    || nameLength > CHM_MAX_PATHLEN || qint64(nameLength) > end - at)
                    return false;
                Entry entry;
                entry.path = QString::fromUtf8(file.mid(at, qint64(nameLength)));
                at += qint64(nameLength);
                if (!file.encint(at, end, entry.space) || !file.encint(at, end, entry.start)
                    || !file.encint(at, end, entry.length))
                    return false;
                if (entry.space > 1)
                    return false;
                const auto size = quint64(file.size());
                if (entry.space == 0
                    && (!fitsIn(dataOffset, entry.start, size)
                        || !fitsIn(dataOffset + entry.start, entry.length, size)))
                    return false;
                layout.entries.append(entry);
            }
        } else if (file.signatureAt(begin, "PMGI")) {
            // chmlib descends from an index chunk to the chunks it names
            // until it reaches a listing: they must lie before it (compilers
            // write the index after the listings), so that the descent ends.
            if (!file.u32(begin + 4, freeSpace) || freeSpace > blockLength - 0x08)
                return false;
            const qint64 end = begin + qint64(blockLength - freeSpace);
            qint64 at = begin + 0x08;
            while (at < end) {
                quint64 nameLength = 0, child = 0;
                if (!file.encint(at, end, nameLength) || nameLength > CHM_MAX_PATHLEN
                    || qint64(nameLength) > end - at)
                    return false;
                at += qint64(nameLength);
                if (!file.encint(at, end, child) || child >= quint64(block))
                    return false;
            }
        } else {
            return false;
        }
    }
    return !layout.entries.isEmpty();
}

const Entry *findEntry(const Layout &layout, const QString &path)
{
    for (const Entry &entry : layout.entries) {
        if (entry.path.compare(path, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

// The compressed section: its LZX parameters and its reset table must agree
// with each other and with the stored stream, since chmlib indexes buffers
// with them unchecked.
bool checkCompressedSection(const Bytes &file, quint64 dataOffset, Layout &layout)
{
    bool anyCompressed = false;
    for (const Entry &entry : std::as_const(layout.entries))
        anyCompressed = anyCompressed || (entry.space == 1 && entry.length > 0);

    const Entry *content = findEntry(layout, contentPath);
    const Entry *control = findEntry(layout, controlDataPath);
    const Entry *resets = findEntry(layout, resetTablePath);
    if (!content || !control || !resets)
        return !anyCompressed;
    if (content->space != 0 || control->space != 0 || resets->space != 0)
        return false;

    const qint64 controlAt = qint64(dataOffset + control->start);
    quint64 version = 0, resetInterval = 0, windowSize = 0, windowsPerReset = 0;
    if (control->length < 0x1c || !file.signatureAt(controlAt + 4, "LZXC")
        || !file.u32(controlAt + 0x08, version) || !file.u32(controlAt + 0x0c, resetInterval)
        || !file.u32(controlAt + 0x10, windowSize)
        || !file.u32(controlAt + 0x14, windowsPerReset))
        return false;
    if (version == 2) {
        resetInterval *= LzxFrameLength;
        windowSize *= LzxFrameLength;
    } else if (version != 1) {
        return false;
    }
    const bool powerOfTwo = windowSize != 0 && (windowSize & (windowSize - 1)) == 0;
    if (!powerOfTwo || windowSize < 0x8000 || windowSize > 0x200000 || resetInterval == 0
        || resetInterval % (windowSize / 2) != 0 || windowsPerReset == 0
        || resetInterval / (windowSize / 2) * windowsPerReset > 0x10000)
        return false;

    const qint64 tableAt = qint64(dataOffset + resets->start);
    quint64 blockCount = 0, tableOffset = 0, uncompressed = 0, compressed = 0, blockLength = 0;
    if (resets->length < 0x28 || !file.u32(tableAt + 0x04, blockCount)
        || !file.u32(tableAt + 0x0c, tableOffset) || !file.u64(tableAt + 0x10, uncompressed)
        || !file.u64(tableAt + 0x18, compressed) || !file.u64(tableAt + 0x20, blockLength))
        return false;
    if (blockLength != LzxFrameLength || compressed > content->length
        || uncompressed > quint64(16) * ChmFile::MaxFileSize || tableOffset < 0x28
        || blockCount > resets->length / 8
        || !fitsIn(tableOffset, blockCount * 8, resets->length)
        || blockCount < (uncompressed + blockLength - 1) / blockLength)
        return false;
    quint64 previous = 0;
    for (quint64 i = 0; i < blockCount; ++i) {
        quint64 blockStart = 0;
        if (!file.u64(tableAt + qint64(tableOffset + i * 8), blockStart))
            return false;
        if (blockStart < previous || blockStart > compressed || (i == 0 && blockStart != 0))
            return false;
        previous = blockStart;
    }

    for (const Entry &entry : std::as_const(layout.entries)) {
        if (entry.space == 1 && !fitsIn(entry.start, entry.length, uncompressed))
            return false;
    }
    return true;
}

// Everything chmlib relies on, checked on the file's bytes.
bool checkStructure(const QByteArray &data, Layout &layout)
{
    const Bytes file(data);
    quint64 version = 0, headerLength = 0, dirOffset = 0, dirLength = 0, dataOffset = 0;
    if (!file.signatureAt(0, "ITSF") || !file.u32(0x04, version) || !file.u32(0x08, headerLength)
        || !file.u64(0x48, dirOffset) || !file.u64(0x50, dirLength))
        return false;
    if (version != 2 && version != 3)
        return false;
    const quint64 size = quint64(file.size());
    if (headerLength < (version == 3 ? 0x60u : 0x58u) || headerLength > size
        || !fitsIn(dirOffset, dirLength, size))
        return false;
    if (version == 3) {
        if (!file.u64(0x58, dataOffset))
            return false;
    } else {
        dataOffset = dirOffset + dirLength;
    }
    if (dataOffset > size)
        return false;
    return readDirectory(file, dirOffset, dirLength, dataOffset, layout)
        && checkCompressedSection(file, dataOffset, layout);
}

} // namespace

ChmFile::~ChmFile()
{
    close();
}

void ChmFile::close()
{
    if (m_handle)
        chm_close(m_handle);
    m_handle = nullptr;
    m_path.clear();
    m_contentsFile.clear();
    m_defaultTopic.clear();
    m_title.clear();
    m_entries.clear();
    m_order.clear();
}

bool ChmFile::open(const QString &path)
{
    close();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return false;
    const QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() != file.size())
        return false;
    Layout layout;
    if (!checkStructure(data, layout))
        return false;

    m_handle = chm_open(QFile::encodeName(path).constData());
    if (!m_handle)
        return false;
    m_path = path;
    for (const Entry &entry : std::as_const(layout.entries)) {
        m_order.append(entry.path);
        m_entries.insert(entryKey(entry.path),
                         Extent{entry.space, entry.start, entry.length});
    }
    readSystemObject();
    return true;
}

QStringList ChmFile::objectPaths() const
{
    QStringList paths;
    for (const QString &path : m_order) {
        if (path.startsWith(u'/') && !path.startsWith(QLatin1String("/#"))
            && !path.startsWith(QLatin1String("/$")) && !path.endsWith(u'/'))
            paths.append(path);
    }
    return paths;
}

std::optional<QByteArray> ChmFile::object(const QString &objectPath) const
{
    if (!m_handle || objectPath.isEmpty())
        return std::nullopt;
    const QString path = objectPath.startsWith(QLatin1String("::")) ? objectPath
                                                                    : absolutePath(objectPath);
    const auto found = m_entries.constFind(entryKey(path));
    if (found == m_entries.cend() || found->length > quint64(MaxObjectSize))
        return std::nullopt;
    const QByteArray name = path.toUtf8();
    if (name.size() > CHM_MAX_PATHLEN)
        return std::nullopt;

    chmUnitInfo info{};
    if (chm_resolve_object(m_handle, name.constData(), &info) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    // chmlib must have found the very entry that the structural check passed.
    if (info.space < 0 || quint64(info.space) != found->space || info.start != found->start
        || info.length != found->length)
        return std::nullopt;
    if (info.length == 0)
        return QByteArray();

    QByteArray content(qsizetype(info.length), Qt::Uninitialized);
    const LONGINT64 read = chm_retrieve_object(
        m_handle, &info, reinterpret_cast<unsigned char *>(content.data()), 0,
        LONGINT64(info.length));
    if (read != LONGINT64(info.length))
        return std::nullopt;
    return content;
}

void ChmFile::readSystemObject()
{
    const std::optional<QByteArray> system = object(QStringLiteral("/#SYSTEM"));
    if (!system)
        return;
    // A version number, then records: code (16 bits), length (16 bits), data.
    const Bytes bytes(*system);
    qint64 at = 4;
    while (bytes.has(at, 4)) {
        quint64 code = 0, length = 0;
        bytes.u16(at, code);
        bytes.u16(at + 2, length);
        at += 4;
        if (!bytes.has(at, qint64(length)))
            break;
        QByteArray text = bytes.mid(at, qint64(length));
        const qsizetype nul = text.indexOf('\0');
        if (nul >= 0)
            text.truncate(nul);
        // The strings are in the Windows code page of the file's language;
        // Latin-1 reads the English one well enough and never fails.
        const QString value = QString::fromLatin1(text).trimmed();
        if (code == 0 && !value.isEmpty())
            m_contentsFile = absolutePath(value);
        else if (code == 2 && !value.isEmpty())
            m_defaultTopic = absolutePath(value);
        else if (code == 3)
            m_title = value;
        at += qint64(length);
    }
}

QList<ChmFile::Topic> ChmFile::tableOfContents() const
{
    if (m_contentsFile.isEmpty())
        return {};
    const std::optional<QByteArray> sitemap = object(m_contentsFile);
    return sitemap ? parseSitemap(*sitemap) : QList<Topic>();
}

namespace {

QString decodeEntities(const QString &text)
{
    if (!text.contains(u'&'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype semicolon = text[i] == u'&' ? text.indexOf(u';', i) : -1;
        if (semicolon < 0 || semicolon - i > 10) {
            out += text[i];
            continue;
        }
        const QStringView name = QStringView(text).mid(i + 1, semicolon - i - 1);
        char32_t code = 0;
        if (name == u"amp") code = '&';
        else if (name == u"lt") code = '<';
        else if (name == u"gt") code = '>';
        else if (name == u"quot") code = '"';
        else if (name == u"apos") code = '\'';
        else if (name == u"nbsp") code = 0xa0;
        else if (name.startsWith(u'#')) {
            bool ok = false;
            const uint value = name.startsWith(u"#x") || name.startsWith(u"#X")
                ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
            if (ok && value > 0 && value <= 0x10ffff && (value < 0xd800 || value > 0xdfff))
                code = value;
        }
        if (code == 0) {
            out += text[i];
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i = semicolon;
    }
    return out;
}

} // namespace

QList<ChmFile::Topic> ChmFile::parseSitemap(const QByteArray &sitemap)
{
    constexpr int maxDepth = 32;
    constexpr int maxTopics = 5000;

    auto toUtf16 = QStringDecoder(QStringDecoder::Utf8);
    QString text = toUtf16(sitemap);
    if (toUtf16.hasError())
        text = QString::fromLatin1(sitemap);

    static const QRegularExpression tagPattern(
        QStringLiteral(R"re(<\s*(/?)\s*([A-Za-z]+)([^>]*)>)re"));
    static const QRegularExpression attributePattern(
        QStringLiteral(R"re(([A-Za-z]+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))re"));

    QList<Topic> root;
    // The list each <UL> level appends to. Only the innermost list grows, so
    // pointers to the outer ones stay valid.
    QList<QList<Topic> *> levels{&root};
    bool inObject = false;
    Topic pending;
    int topics = 0;

    auto tags = tagPattern.globalMatch(text);
    while (tags.hasNext() && topics < maxTopics) {
        const QRegularExpressionMatch tag = tags.next();
        const bool closing = !tag.capturedView(1).isEmpty();
        const QString name = tag.captured(2).toLower();
        QHash<QString, QString> attributes;
        auto found = attributePattern.globalMatch(tag.capturedView(3));
        while (found.hasNext()) {
            const QRegularExpressionMatch attribute = found.next();
            QString value = attribute.captured(2);
            if (value.isEmpty())
                value = attribute.captured(3);
            if (value.isEmpty())
                value = attribute.captured(4);
            attributes.insert(attribute.captured(1).toLower(), decodeEntities(value));
        }

        if (name == u"ul" && !closing) {
            QList<Topic> *current = levels.last();
            const bool nested = levels.size() < maxDepth && !current->isEmpty();
            levels.append(nested ? &current->last().children : current);
        } else if (name == u"ul" && closing) {
            if (levels.size() > 1)
                levels.removeLast();
        } else if (name == u"object" && !closing) {
            inObject = attributes.value(QStringLiteral("type")).compare(
                           u"text/sitemap", Qt::CaseInsensitive) == 0;
            pending = Topic();
        } else if (name == u"param" && inObject) {
            const QString key = attributes.value(QStringLiteral("name")).toLower();
            const QString value = attributes.value(QStringLiteral("value")).trimmed();
            if (key == u"name" && pending.name.isEmpty())
                pending.name = value;
            else if (key == u"local" && pending.local.isEmpty())
                pending.local = value;
        } else if (name == u"object" && closing && inObject) {
            inObject = false;
            if (!pending.name.isEmpty() || !pending.local.isEmpty()) {
                levels.last()->append(pending);
                ++topics;
            }
        }
    }
    return root;
}
