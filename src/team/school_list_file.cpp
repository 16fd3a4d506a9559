#include "team/school_list_file.h"

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include "team/school_division.h"

namespace {

const QString kNothingImported = QStringLiteral("Nothing was imported.");

struct Field {
    QString text;
    int line = 0;         // the line it begins on, counted from 1
    bool broken = false;  // a quote that is never closed, or a line end inside quotes
};

bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// The fields of the text in order.
QList<Field> splitFields(const QString& text) {
    QList<Field> fields;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    // Line ends between records (blank lines included) separate; they make no empty fields.
    auto skipLineEnds = [&] {
        while (i < n && (isLineEnd(text[i]) || isBlank(text[i]))) {
            // CR LF is one line end, as a CR or an LF alone is.
            if (text[i] == QLatin1Char('\n') ||
                (text[i] == QLatin1Char('\r') && (i + 1 == n || text[i + 1] != QLatin1Char('\n'))))
                ++line;
            ++i;
        }
    };
    skipLineEnds();
    while (i < n) {
        while (i < n && isBlank(text[i])) ++i;
        Field field;
        field.line = line;
        if (i < n && text[i] == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            const QString quoted = text.mid(i + 1, end - i - 1);
            field.broken = close < 0 || quoted.contains(QLatin1Char('\r')) ||
                           quoted.contains(QLatin1Char('\n'));
            // Blanks inside the quotes are no part of the value either: the school is stored
            // without them, so it is compared without them.
            field.text = quoted.trimmed();
            i = close < 0 ? n : close + 1;
            // Whatever stands between the closing quote and the separator is not part of it.
            while (i < n && text[i] != QLatin1Char(',') && !isLineEnd(text[i])) ++i;
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != QLatin1Char(',') && !isLineEnd(text[i])) ++i;
            field.text = text.mid(start, i - start).trimmed();
        }
        fields << field;
        if (i < n && text[i] == QLatin1Char(',')) {
            ++i;
            // A comma that ends its line separates once: the line end after it adds no field.
            while (i < n && isBlank(text[i])) ++i;
            if (i < n && isLineEnd(text[i])) skipLineEnds();
        } else {
            skipLineEnds();
        }
        // A broken field runs to the end of the file: nothing after it can be read.
        if (field.broken) break;
    }
    return fields;
}

enum class Decoded { Text, NoText, CutOff };

// The number of bytes each character unit of an encoding takes.
int unitSize(QStringConverter::Encoding encoding) {
    switch (encoding) {
        case QStringConverter::Utf16:
        case QStringConverter::Utf16LE:
        case QStringConverter::Utf16BE: return 2;
        case QStringConverter::Utf32:
        case QStringConverter::Utf32LE:
        case QStringConverter::Utf32BE: return 4;
        default: return 1;
    }
}

// The text of a file, in the encoding its byte-order mark names. A text whose last character is
// cut off (an odd number of bytes in UTF-16) is broken, not shortened by the piece.
Decoded decodeText(const QByteArray& bytes, QString& text) {
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        if (bytes.size() % unitSize(*marked) != 0) return Decoded::CutOff;
        // Stateless: a sequence left incomplete at the end is an error, not kept for more input.
        QStringDecoder decoder(*marked, QStringConverter::Flag::Stateless);
        text = decoder.decode(bytes);
        if (decoder.hasError() || !text.isValidUtf16()) return Decoded::NoText;
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        text = utf8.decode(bytes);
        if (utf8.hasError()) text = QString::fromLatin1(bytes);
    }
    // An end-of-file mark (Ctrl+Z) that old editors put at the end is no part of the text.
    while (text.endsWith(QChar(0x1A))) text.chop(1);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool layout = u == u'\t' || u == u'\n' || u == u'\r' || u == u'\f' || u == u'\v';
        if ((u < 0x20 && !layout) || u == 0x7F || u == 0xFFFE || u == 0xFFFF) return Decoded::NoText;
    }
    return Decoded::Text;
}

// A school name: not blank, and not a number (a division out of its place).
bool isSchoolName(const QString& name) {
    return !name.trimmed().isEmpty() && !isDivisionText(name);
}

QString lineOf(const QString& text, int line) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineEnd).value(line - 1);
}

}  // namespace

SchoolList readSchoolList(const QString& path) {
    SchoolList list;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        list.refusal = QStringLiteral("Unable to read the school list file ") + path;
        return list;
    }
    QString text;
    switch (decodeText(file.readAll(), text)) {
        case Decoded::Text: break;
        case Decoded::NoText:
            list.refusal = QStringLiteral("The school list file ") + path +
                           QStringLiteral(" is not a text file.  ") + kNothingImported;
            return list;
        case Decoded::CutOff:
            list.refusal = QStringLiteral("The school list file ") + path +
                           QStringLiteral(" is broken: its text ends in the middle of a "
                                          "character.  ") +
                           kNothingImported;
            return list;
    }

    const QList<Field> fields = splitFields(text);
    if (fields.isEmpty()) {
        list.refusal = QStringLiteral("The school list file ") + path +
                       QStringLiteral(" is empty.  ") + kNothingImported;
        return list;
    }
    for (qsizetype f = 0; f < fields.size(); f += 2) {
        const Field& division = fields[f];
        const bool whole = f + 1 < fields.size() && !division.broken && !fields[f + 1].broken;
        if (!whole || !isListedDivision(division.text) || !isSchoolName(fields[f + 1].text)) {
            list.records.clear();
            list.refusal =
                QStringLiteral("Line %1 of the school list file ").arg(division.line) + path +
                QStringLiteral(" is not a division number and a school name:\r\n") +
                lineOf(text, division.line) + QStringLiteral("\r\n\r\n") + kNothingImported;
            return list;
        }
        list.records.push_back({division.text, fields[f + 1].text});
    }
    return list;
}
