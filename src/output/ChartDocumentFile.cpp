// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ChartDocumentFile.h"

#include "data/FileReader.h"
#include "data/FileSaver.h"
#include "data/Rgb.h"

#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <array>
#include <charconv>
#include <cmath>

// A document, abridged:
//
//   <tervalo-chart version="1">
//     <chart kind="tervalo" month-labels="Jan" walter-lieth-starts-with="by-hemisphere" black-and-white="false">
//       <title shown="true" text="Enter your title"/>
//       <legend shown="true" left="840" top="600" width="1455"/>
//       <axis name="x" ticks="default" decimals="1" grid="true">
//         <bound end="minimum" value="9" automatic="true" box="9"/>
//         <bound end="maximum" value="31" automatic="true" box="31"/>
//         <extremes minimum="10" maximum="30"/>
//         <thresholds shown="false" lower="15" upper-text=""/>
//       </axis>
//       <axis name="y" …>…</axis>
//     </chart>
//     <place number="1" name="Lisbon" checked="true" colour="255,0,0" …>
//       <month number="1" temperature="11.6" precipitation="99.9"/>   (twelve)
//       <edit month="3" quantity="temperature" value="13.7"/>
//     </place>
//   </tervalo-chart>
//
// A box holding a number has it in an attribute ("box", "lower"); a box
// holding some other text has that text in the same name with "-text" added.
// Every string is an attribute, where the writer escapes line breaks and tabs
// so that they come back as they were.

namespace {

const QString rootName = QStringLiteral("tervalo-chart");

const std::array<QString, 3> kindWords = {QStringLiteral("tervalo"), QStringLiteral("normal"),
                                          QStringLiteral("walter-lieth")};
const std::array<QString, 3> monthOrderWords = {QStringLiteral("by-hemisphere"), QStringLiteral("january"),
                                                QStringLiteral("july")};
const std::array<QString, 5> lineTypeWords = {QStringLiteral("solid"), QStringLiteral("dash"),
                                              QStringLiteral("dot"), QStringLiteral("dash-dot"),
                                              QStringLiteral("dash-dot-dot")};
const std::array<QString, 2> quantityWords = {QStringLiteral("temperature"), QStringLiteral("precipitation")};
constexpr int maxMarkerSize = 5;
constexpr int maxLineWidth = 10;
constexpr int tickEntries = 20;     // "Default", then 2..20
constexpr int decimalEntries = 5;   // "0" … "0.0000"

// The month label buttons' captions name the styles.
QString monthStyleWord(int style)
{
    static const std::array<QString, MonthLabels::styleCount> words = {
        QStringLiteral("January"), QStringLiteral("Jan"), QStringLiteral("J"), QStringLiteral("1"),
        QStringLiteral("Null")};
    return words[static_cast<size_t>(style)];
}

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString flagText(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

QString colourText(qint32 colour)
{
    return QStringLiteral("%1,%2,%3").arg(Rgb::red(colour)).arg(Rgb::green(colour)).arg(Rgb::blue(colour));
}

// XML 1.0 cannot carry most control characters, not even escaped, nor a
// lone half of a surrogate pair; a text holding one would make a document
// that cannot be opened again. They become U+FFFD.
QString xmlSafe(const QString &text)
{
    QString safe = text;
    for (qsizetype i = 0; i < safe.size(); ++i) {
        const char16_t c = safe[i].unicode();
        bool allowed = c >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r';
        if (c == 0xFFFE || c == 0xFFFF)
            allowed = false;
        if (QChar::isHighSurrogate(c)) {
            allowed = i + 1 < safe.size() && safe[i + 1].isLowSurrogate();
            if (allowed) {
                ++i;
                continue;
            }
        } else if (QChar::isLowSurrogate(c)) {
            allowed = false;
        }
        if (!allowed)
            safe[i] = QChar::ReplacementCharacter;
    }
    return safe;
}

std::optional<double> parseNumber(QStringView text);

void writeBox(QXmlStreamWriter &xml, const QString &name, const BoxEntry &box)
{
    if (box.number)
        xml.writeAttribute(name, parseNumber(box.text) == box.number ? box.text : numberText(*box.number));
    else if (!box.text.isEmpty())
        xml.writeAttribute(name + QStringLiteral("-text"), xmlSafe(box.text));
}

void writeAxis(QXmlStreamWriter &xml, const QString &name, const DocumentAxis &axis)
{
    xml.writeStartElement(QStringLiteral("axis"));
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeAttribute(QStringLiteral("ticks"),
                       axis.ticks == 0 ? QStringLiteral("default") : QString::number(axis.ticks + 1));
    xml.writeAttribute(QStringLiteral("decimals"), QString::number(axis.decimals));
    xml.writeAttribute(QStringLiteral("grid"), flagText(axis.grid));
    const auto bound = [&xml](const QString &end, double value, bool automatic, const BoxEntry &box) {
        xml.writeEmptyElement(QStringLiteral("bound"));
        xml.writeAttribute(QStringLiteral("end"), end);
        xml.writeAttribute(QStringLiteral("value"), numberText(value));
        xml.writeAttribute(QStringLiteral("automatic"), flagText(automatic));
        writeBox(xml, QStringLiteral("box"), box);
    };
    bound(QStringLiteral("minimum"), axis.minimum, axis.automaticMinimum, axis.minimumBox);
    bound(QStringLiteral("maximum"), axis.maximum, axis.automaticMaximum, axis.maximumBox);
    xml.writeEmptyElement(QStringLiteral("extremes"));
    xml.writeAttribute(QStringLiteral("minimum"), numberText(axis.dataMinimum));
    xml.writeAttribute(QStringLiteral("maximum"), numberText(axis.dataMaximum));
    xml.writeEmptyElement(QStringLiteral("thresholds"));
    xml.writeAttribute(QStringLiteral("shown"), flagText(axis.thresholds));
    writeBox(xml, QStringLiteral("lower"), axis.lowerThreshold);
    writeBox(xml, QStringLiteral("upper"), axis.upperThreshold);
    xml.writeEndElement();
}

void writePlace(QXmlStreamWriter &xml, int number, const DocumentPlace &place)
{
    xml.writeStartElement(QStringLiteral("place"));
    xml.writeAttribute(QStringLiteral("number"), QString::number(number));
    xml.writeAttribute(QStringLiteral("name"), xmlSafe(place.data.name));
    xml.writeAttribute(QStringLiteral("checked"), flagText(place.checked));
    xml.writeAttribute(QStringLiteral("colour"), colourText(place.colour));
    xml.writeAttribute(QStringLiteral("restored-colour"), colourText(place.restoredColour));
    xml.writeAttribute(QStringLiteral("line-type"), lineTypeWords[static_cast<size_t>(place.lineType)]);
    xml.writeAttribute(QStringLiteral("marker-size"), QString::number(place.markerSize));
    xml.writeAttribute(QStringLiteral("line-width"), QString::number(place.lineWidth));
    xml.writeAttribute(QStringLiteral("transposed"), flagText(place.transposed));
    const PlaceInfo &info = place.data.info;
    if (info.elevation)
        xml.writeAttribute(QStringLiteral("elevation"), numberText(*info.elevation));
    if (info.latitude)
        xml.writeAttribute(QStringLiteral("latitude"), numberText(*info.latitude));
    if (!info.period.isEmpty())
        xml.writeAttribute(QStringLiteral("period"), xmlSafe(info.period));
    for (int month = 1; month <= 12; ++month) {
        xml.writeEmptyElement(QStringLiteral("month"));
        xml.writeAttribute(QStringLiteral("number"), QString::number(month));
        xml.writeAttribute(QStringLiteral("temperature"), numberText(place.data.temp[month]));
        xml.writeAttribute(QStringLiteral("precipitation"), numberText(place.data.ppt[month]));
    }
    for (const TableEdit &edit : place.edits) {
        xml.writeEmptyElement(QStringLiteral("edit"));
        xml.writeAttribute(QStringLiteral("month"), QString::number(edit.month));
        xml.writeAttribute(QStringLiteral("quantity"), quantityWords[static_cast<size_t>(edit.quantity)]);
        if (edit.value)
            xml.writeAttribute(QStringLiteral("value"), numberText(*edit.value));
    }
    xml.writeEndElement();
}

// Reads a document element by element. Every check that fails records the
// first reason, with the line it stands on, and makes the reading stop.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes) : m_xml(bytes) {}

    ChartDocumentFile::ReadResult run();

private:
    bool fail(const QString &why);
    bool readChart(ChartDocument &document);
    bool readAxis(DocumentAxis &axis);
    bool readPlace(DocumentPlace &place, int number);

    // Attribute readers of the current element: an attribute that is absent
    // leaves `value` as it was; one that is present must be valid.
    bool number(QLatin1String name, double &value);
    bool optionalNumber(QLatin1String name, std::optional<double> &value);
    bool integer(QLatin1String name, int &value, int minimum, int maximum);
    bool flag(QLatin1String name, bool &value);
    template<size_t N>
    bool word(QLatin1String name, const std::array<QString, N> &words, int &value);
    bool colour(QLatin1String name, qint32 &value);
    bool box(QLatin1String name, BoxEntry &value);
    bool required(QLatin1String name);

    QXmlStreamReader m_xml;
    QString m_error;
};

std::optional<double> parseNumber(QStringView text)
{
    // The numbers a document holds are plain ASCII; anything else is not one.
    std::array<char, 64> ascii{};
    if (text.isEmpty() || text.size() >= static_cast<qsizetype>(ascii.size()))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'-' || c == u'+' || c == u'.' || c == u'e'
                             || c == u'E';
        if (!allowed)
            return std::nullopt;
        ascii[static_cast<size_t>(i)] = static_cast<char>(c);
    }
    const char *end = ascii.data() + text.size();
    double value = 0;
    const auto [stop, error] = std::from_chars(ascii.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool Reader::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(why);
    return false;
}

bool Reader::required(QLatin1String name)
{
    if (m_xml.attributes().hasAttribute(name))
        return true;
    return fail(QStringLiteral("<%1> lacks its %2").arg(m_xml.name(), name));
}

bool Reader::number(QLatin1String name, double &value)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!attributes.hasAttribute(name))
        return true;
    const QStringView text = attributes.value(name);
    const std::optional<double> read = parseNumber(text);
    if (!read)
        return fail(QStringLiteral("%1 \"%2\" is not a number").arg(name, text.left(40)));
    value = *read;
    return true;
}

bool Reader::optionalNumber(QLatin1String name, std::optional<double> &value)
{
    if (!m_xml.attributes().hasAttribute(name))
        return true;
    double read = 0;
    if (!number(name, read))
        return false;
    value = read;
    return true;
}

bool Reader::integer(QLatin1String name, int &value, int minimum, int maximum)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!attributes.hasAttribute(name))
        return true;
    const QStringView text = attributes.value(name);
    bool ok = false;
    const int read = text.toInt(&ok);
    if (!ok || read < minimum || read > maximum)
        return fail(QStringLiteral("%1 \"%2\" is not a whole number from %3 to %4")
                        .arg(name, text.left(40))
                        .arg(minimum)
                        .arg(maximum));
    value = read;
    return true;
}

bool Reader::flag(QLatin1String name, bool &value)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!attributes.hasAttribute(name))
        return true;
    const QStringView text = attributes.value(name);
    if (text == u"true" || text == u"false") {
        value = text == u"true";
        return true;
    }
    return fail(QStringLiteral("%1 \"%2\" is neither true nor false").arg(name, text.left(40)));
}

template<size_t N>
bool Reader::word(QLatin1String name, const std::array<QString, N> &words, int &value)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!attributes.hasAttribute(name))
        return true;
    const QStringView text = attributes.value(name);
    for (size_t i = 0; i < N; ++i) {
        if (text == words[i]) {
            value = static_cast<int>(i);
            return true;
        }
    }
    QStringList known;
    for (const QString &w : words)
        known << u'"' + w + u'"';
    return fail(QStringLiteral("%1 \"%2\" is not one of %3").arg(name, text.left(40), known.join(QStringLiteral(", "))));
}

bool Reader::colour(QLatin1String name, qint32 &value)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (!attributes.hasAttribute(name))
        return true;
    const QStringView text = attributes.value(name);
    const QList<QStringView> parts = text.split(u',');
    std::array<int, 3> components{};
    bool valid = parts.size() == 3;
    for (qsizetype i = 0; valid && i < 3; ++i)
        components[static_cast<size_t>(i)] = parts[i].trimmed().toInt(&valid);
    if (!valid)
        return fail(QStringLiteral("%1 \"%2\" is not a colour (red,green,blue)").arg(name, text.left(40)));
    for (int component : components)
        if (component < 0 || component > 255)
            return fail(QStringLiteral("%1 \"%2\" is out of range: red, green and blue each run from 0 to 255")
                            .arg(name, text.left(40)));
    value = Rgb::pack(components[0], components[1], components[2]);
    return true;
}

bool Reader::box(QLatin1String name, BoxEntry &value)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    const QString textName = name + QStringLiteral("-text");
    value = BoxEntry();
    if (attributes.hasAttribute(name)) {
        std::optional<double> read;
        if (!optionalNumber(name, read))
            return false;
        value.number = read;
        value.text = attributes.value(name).toString();
    } else if (attributes.hasAttribute(textName)) {
        value.text = attributes.value(textName).toString();
    }
    return true;
}

ChartDocumentFile::ReadResult Reader::run()
{
    ChartDocumentFile::ReadResult result;
    ChartDocument document;
    bool good = m_xml.readNextStartElement();
    const bool sawRoot = good;
    if (good && m_xml.name() != rootName) {
        result.error = QStringLiteral("not a Tervalo chart document");
        return result;
    }
    if (good) {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        bool known = false;
        const int version = attributes.value(QLatin1String("version")).toInt(&known);
        if (!known || version < 1) {
            result.error = QStringLiteral("the document has no version number");
            return result;
        }
        if (version > ChartDocumentFile::version) {
            result.error = QStringLiteral("it was written by a newer version of Tervalo (document version %1; "
                                          "this version reads up to %2)")
                               .arg(version)
                               .arg(ChartDocumentFile::version);
            return result;
        }
    }
    while (good && m_xml.readNextStartElement()) {
        if (m_xml.name() == u"chart") {
            good = readChart(document);
        } else if (m_xml.name() == u"place") {
            if (document.places.size() >= maxDataSets) {
                good = fail(QStringLiteral("more than %1 places; a chart holds at most %1").arg(maxDataSets));
                break;
            }
            DocumentPlace place;
            good = readPlace(place, static_cast<int>(document.places.size()) + 1);
            document.places.push_back(std::move(place));
        } else {
            m_xml.skipCurrentElement();
        }
    }
    if (good && !m_xml.hasError()) {
        // Whatever follows the document's element must still be well formed.
        while (!m_xml.atEnd())
            m_xml.readNext();
    }
    if (m_xml.hasError() && m_error.isEmpty()) {
        if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            m_error = QStringLiteral("the document ends before it is complete: it may have been cut short");
        else
            m_error = QStringLiteral("not a Tervalo chart document (line %1: %2)")
                          .arg(m_xml.lineNumber())
                          .arg(m_xml.errorString());
    }
    if (m_error.isEmpty() && !sawRoot)
        m_error = QStringLiteral("not a Tervalo chart document");
    if (m_error.isEmpty())
        result.document = std::move(document);
    result.error = m_error;
    return result;
}

bool Reader::readChart(ChartDocument &document)
{
    int kind = static_cast<int>(document.kind);
    std::array<QString, MonthLabels::styleCount> monthWords;
    for (int i = 0; i < MonthLabels::styleCount; ++i)
        monthWords[static_cast<size_t>(i)] = monthStyleWord(i);
    if (!word(QLatin1String("kind"), kindWords, kind) || !word(QLatin1String("month-labels"), monthWords, document.monthLabels)
        || !flag(QLatin1String("black-and-white"), document.blackAndWhite))
        return false;
    document.kind = static_cast<ChartKind>(kind);
    int monthOrder = static_cast<int>(document.monthOrder);
    if (!word(QLatin1String("walter-lieth-starts-with"), monthOrderWords, monthOrder))
        return false;
    document.monthOrder = static_cast<MonthOrder>(monthOrder);
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.name();
        if (name == u"title") {
            if (!flag(QLatin1String("shown"), document.titleShown))
                return false;
            const QStringView text = m_xml.attributes().value(QLatin1String("text"));
            if (text.size() > ChartDocumentFile::maximumTitleLength)
                return fail(QStringLiteral("the title is %1 characters long; a title holds at most %2")
                                .arg(text.size())
                                .arg(ChartDocumentFile::maximumTitleLength));
            document.title = text.toString();
            m_xml.skipCurrentElement();
        } else if (name == u"legend") {
            constexpr int far = 1000000;   // twips: far beyond any screen
            int left = 0;
            int top = 0;
            if (!flag(QLatin1String("shown"), document.legendShown) || !integer(QLatin1String("left"), left, -far, far)
                || !integer(QLatin1String("top"), top, -far, far) || !integer(QLatin1String("width"), document.legendWidth, 0, far))
                return false;
            document.legendPosition = QPoint(left, top);
            m_xml.skipCurrentElement();
        } else if (name == u"axis") {
            const QStringView axisName = m_xml.attributes().value(QLatin1String("name"));
            if (axisName != u"x" && axisName != u"y")
                return fail(QStringLiteral("an axis is named \"%1\", not x or y").arg(axisName.left(40)));
            if (!readAxis(axisName == u"x" ? document.x : document.y))
                return false;
        } else {
            m_xml.skipCurrentElement();
        }
    }
    return !m_xml.hasError();
}

bool Reader::readAxis(DocumentAxis &axis)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (attributes.hasAttribute(QLatin1String("ticks")) && attributes.value(QLatin1String("ticks")) != u"default") {
        int divisions = 0;
        if (!integer(QLatin1String("ticks"), divisions, 2, tickEntries))
            return false;
        axis.ticks = divisions - 1;
    }
    if (!integer(QLatin1String("decimals"), axis.decimals, 0, decimalEntries - 1) || !flag(QLatin1String("grid"), axis.grid))
        return false;
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.name();
        if (name == u"bound") {
            const QStringView end = m_xml.attributes().value(QLatin1String("end"));
            if (end != u"minimum" && end != u"maximum")
                return fail(QStringLiteral("a bound's end is \"%1\", not minimum or maximum").arg(end.left(40)));
            const bool minimum = end == u"minimum";
            if (!required(QLatin1String("value")) || !number(QLatin1String("value"), minimum ? axis.minimum : axis.maximum)
                || !flag(QLatin1String("automatic"), minimum ? axis.automaticMinimum : axis.automaticMaximum)
                || !box(QLatin1String("box"), minimum ? axis.minimumBox : axis.maximumBox))
                return false;
        } else if (name == u"extremes") {
            if (!number(QLatin1String("minimum"), axis.dataMinimum) || !number(QLatin1String("maximum"), axis.dataMaximum))
                return false;
        } else if (name == u"thresholds") {
            if (!flag(QLatin1String("shown"), axis.thresholds) || !box(QLatin1String("lower"), axis.lowerThreshold)
                || !box(QLatin1String("upper"), axis.upperThreshold))
                return false;
        }
        m_xml.skipCurrentElement();
    }
    return !m_xml.hasError();
}

bool Reader::readPlace(DocumentPlace &place, int number)
{
    int given = number;
    if (!integer(QLatin1String("number"), given, 1, maxDataSets))
        return false;
    if (given != number)
        return fail(QStringLiteral("place %1 comes where place %2 belongs; places are numbered in order")
                        .arg(given)
                        .arg(number));
    const QXmlStreamAttributes attributes = m_xml.attributes();
    place.data.name = attributes.value(QLatin1String("name")).toString();
    place.data.info.period = attributes.value(QLatin1String("period")).toString();
    place.restoredColour = -1;
    if (!flag(QLatin1String("checked"), place.checked) || !colour(QLatin1String("colour"), place.colour)
        || !colour(QLatin1String("restored-colour"), place.restoredColour) || !word(QLatin1String("line-type"), lineTypeWords, place.lineType)
        || !integer(QLatin1String("marker-size"), place.markerSize, 0, maxMarkerSize)
        || !integer(QLatin1String("line-width"), place.lineWidth, 0, maxLineWidth) || !flag(QLatin1String("transposed"), place.transposed)
        || !optionalNumber(QLatin1String("elevation"), place.data.info.elevation)
        || !optionalNumber(QLatin1String("latitude"), place.data.info.latitude))
        return false;
    if (place.restoredColour < 0)
        place.restoredColour = place.colour;

    std::array<bool, 13> seen{};
    while (m_xml.readNextStartElement()) {
        const QStringView name = m_xml.name();
        if (name == u"month") {
            int month = 0;
            if (!required(QLatin1String("number")) || !integer(QLatin1String("number"), month, 1, 12))
                return false;
            if (seen[static_cast<size_t>(month)])
                return fail(QStringLiteral("month %1 of place %2 is given twice").arg(month).arg(number));
            seen[static_cast<size_t>(month)] = true;
            if (!required(QLatin1String("temperature")) || !required(QLatin1String("precipitation"))
                || !this->number(QLatin1String("temperature"), place.data.temp[static_cast<size_t>(month)])
                || !this->number(QLatin1String("precipitation"), place.data.ppt[static_cast<size_t>(month)]))
                return false;
        } else if (name == u"edit") {
            TableEdit edit;
            int quantity = 0;
            if (!required(QLatin1String("month")) || !integer(QLatin1String("month"), edit.month, 1, 12) || !required(QLatin1String("quantity"))
                || !word(QLatin1String("quantity"), quantityWords, quantity) || !optionalNumber(QLatin1String("value"), edit.value))
                return false;
            edit.quantity = static_cast<Quantity>(quantity);
            place.edits.push_back(edit);
        }
        m_xml.skipCurrentElement();
    }
    if (m_xml.hasError())
        return false;
    for (int month = 1; month <= 12; ++month)
        if (!seen[static_cast<size_t>(month)])
            return fail(QStringLiteral("place %1 lacks month %2; every place has twelve").arg(number).arg(month));
    return true;
}

} // namespace

QByteArray ChartDocumentFile::bytes(const ChartDocument &document)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(rootName);
    xml.writeAttribute(QStringLiteral("version"), QString::number(version));

    xml.writeStartElement(QStringLiteral("chart"));
    xml.writeAttribute(QStringLiteral("kind"), kindWords[static_cast<size_t>(document.kind)]);
    xml.writeAttribute(QStringLiteral("month-labels"), monthStyleWord(document.monthLabels));
    xml.writeAttribute(QStringLiteral("walter-lieth-starts-with"),
                       monthOrderWords[static_cast<size_t>(document.monthOrder)]);
    xml.writeAttribute(QStringLiteral("black-and-white"), flagText(document.blackAndWhite));
    xml.writeEmptyElement(QStringLiteral("title"));
    xml.writeAttribute(QStringLiteral("shown"), flagText(document.titleShown));
    xml.writeAttribute(QStringLiteral("text"), xmlSafe(document.title));
    xml.writeEmptyElement(QStringLiteral("legend"));
    xml.writeAttribute(QStringLiteral("shown"), flagText(document.legendShown));
    xml.writeAttribute(QStringLiteral("left"), QString::number(document.legendPosition.x()));
    xml.writeAttribute(QStringLiteral("top"), QString::number(document.legendPosition.y()));
    xml.writeAttribute(QStringLiteral("width"), QString::number(document.legendWidth));
    writeAxis(xml, QStringLiteral("x"), document.x);
    writeAxis(xml, QStringLiteral("y"), document.y);
    xml.writeEndElement();

    for (size_t i = 0; i < document.places.size(); ++i)
        writePlace(xml, static_cast<int>(i) + 1, document.places[i]);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

ChartDocumentFile::ReadResult ChartDocumentFile::parse(const QByteArray &bytes)
{
    Reader reader(bytes);
    return reader.run();
}

ChartDocumentFile::ReadResult ChartDocumentFile::read(const QString &path)
{
    ReadResult result;
    const FileReader::Result file = FileReader::read(path, maximumFileSize);
    switch (file.status) {
    case FileReader::Status::Ok:
        return parse(file.bytes);
    case FileReader::Status::NotAFile:
        result.error = QFileInfo::exists(path) ? QStringLiteral("not a file") : QStringLiteral("no such file");
        break;
    case FileReader::Status::Failed:
        result.error = file.reason;
        break;
    case FileReader::Status::TooLarge:
        result.error = QStringLiteral("larger than %1 bytes: not a chart document").arg(maximumFileSize);
        break;
    }
    return result;
}

QString ChartDocumentFile::write(const QString &path, const ChartDocument &document)
{
    return FileSaver::save(path, bytes(document));
}
