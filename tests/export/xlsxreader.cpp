#include "xlsxreader.h"

#include <QProcess>
#include <QXmlStreamReader>

namespace testing {
namespace {

bool isStart(const QXmlStreamReader& xml, const char* name)
{
    return xml.isStartElement() && xml.name() == QLatin1String(name);
}

// Text of the element the reader stands on, with all its runs.
QString elementText(QXmlStreamReader& xml, const char* element)
{
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (isStart(xml, "t"))
            text += xml.readElementText();
        else if (xml.isEndElement() && xml.name() == QLatin1String(element))
            break;
    }
    return text;
}

}  // namespace

QPair<int, int> cellAddress(const QString& reference)
{
    int column = 0;
    int i = 0;
    while (i < reference.size() && reference.at(i).isLetter())
        column = column * 26 + (reference.at(i++).unicode() - 'A' + 1);
    return {column, reference.mid(i).toInt()};
}

QByteArray XlsxFile::member(const QString& path, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0) {
        error_ = QStringLiteral("unzip %1 %2: %3").arg(path, name, QString::fromLocal8Bit(unzip.readAllStandardError()));
        return {};
    }
    return unzip.readAllStandardOutput();
}

bool XlsxFile::load(const QString& path)
{
    const QByteArray book = member(path, QStringLiteral("xl/workbook.xml"));
    if (book.isEmpty())
        return false;
    QXmlStreamReader xml(book);
    while (!xml.atEnd())
        if (xml.readNext(); isStart(xml, "sheet"))
            sheetNames_ << xml.attributes().value(QLatin1String("name")).toString();

    // Shared strings are absent when no cell holds text.
    QProcess list;
    list.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), path});
    list.waitForFinished(30000);
    if (list.readAllStandardOutput().contains("xl/sharedStrings.xml")) {
        xml.clear();
        xml.addData(member(path, QStringLiteral("xl/sharedStrings.xml")));
        while (!xml.atEnd())
            if (xml.readNext(); isStart(xml, "si"))
                strings_ << elementText(xml, "si");
    }

    xml.clear();
    xml.addData(member(path, QStringLiteral("xl/styles.xml")));
    QList<bool> boldFonts;
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (isStart(xml, "font"))
            boldFonts << false;
        else if (isStart(xml, "b") && !boldFonts.isEmpty())
            boldFonts.last() = true;
        else if (isStart(xml, "cellXfs"))
            inCellXfs = true;
        else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        else if (inCellXfs && isStart(xml, "xf")) {
            const auto a = xml.attributes();
            styles_.append({a.value(QLatin1String("numFmtId")).toInt() == 49,
                            boldFonts.value(a.value(QLatin1String("fontId")).toInt())});
        }
    }

    for (int n = 1; n <= sheetNames_.size(); ++n) {
        SheetData sheet;
        if (!readSheet(member(path, QStringLiteral("xl/worksheets/sheet%1.xml").arg(n)), &sheet))
            return false;
        sheets_ << sheet;
    }
    return error_.isEmpty();
}

bool XlsxFile::readSheet(const QByteArray& data, SheetData* sheet)
{
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        xml.readNext();
        if (isStart(xml, "col")) {
            const auto a = xml.attributes();
            for (int c = a.value(QLatin1String("min")).toInt(); c <= a.value(QLatin1String("max")).toInt(); ++c)
                sheet->widths[c] = a.value(QLatin1String("width")).toDouble();
        } else if (isStart(xml, "c")) {
            const auto a = xml.attributes();
            const auto address = cellAddress(a.value(QLatin1String("r")).toString());
            const Style style = styles_.value(a.value(QLatin1String("s")).toInt());
            const bool shared = a.value(QLatin1String("t")) == QLatin1String("s");
            QString v;
            while (!xml.atEnd() && !(xml.isEndElement() && xml.name() == QLatin1String("c")))
                if (xml.readNext(); isStart(xml, "v"))
                    v = xml.readElementText();
            XlsxCell cell;
            cell.isNumber = !shared;
            cell.value = shared ? strings_.value(v.toInt()) : v;
            cell.textFormat = style.textFormat;
            cell.bold = style.bold;
            sheet->cells.insert(address, cell);
        }
    }
    if (xml.hasError())
        error_ = xml.errorString();
    return !xml.hasError();
}

std::optional<XlsxCell> XlsxFile::cell(int sheet, int column, int row) const
{
    const auto& cells = sheets_.at(sheet - 1).cells;
    const auto it = cells.find({column, row});
    if (it == cells.end())
        return std::nullopt;
    return *it;
}

int XlsxFile::cellCount(int sheet) const
{
    return int(sheets_.at(sheet - 1).cells.size());
}

std::optional<double> XlsxFile::width(int sheet, int column) const
{
    const auto& widths = sheets_.at(sheet - 1).widths;
    const auto it = widths.find(column);
    if (it == widths.end())
        return std::nullopt;
    return *it;
}

}  // namespace testing
