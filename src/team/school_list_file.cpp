#include "team/school_list_file.h"

#include <QFile>
#include <algorithm>
#include <optional>
#include <QList>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include "platform/ui/Paste.h"
#include "team/school_division.h"

namespace {

const QString kNothingImported = QStringLiteral("Nothing was imported.");

// The most characters a text box takes, and so a school's name box.
constexpr qsizetype kLongestSchoolName = 32767;

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

enum class Decoded { Text, NoText, CutOff, MixedUtf8 };

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

// Whether `bytes` is UTF-8 text.
bool isUtf8(QByteArrayView bytes, QString* text = nullptr) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    if (text) *text = decoded;
    return !utf8.hasError();
}

// Whether `bytes`, no UTF-8 text, is UTF-8 text whose last character is cut off: all before the
// last character's lead byte is UTF-8, and the bytes from there are the beginning of a longer
// character. A file of plain ASCII ending in one such byte is cut too: a cut is far likelier at
// the end of a file than a Windows-1252 letter as the whole of its only word outside ASCII.
bool isCutUtf8(const QByteArray& bytes) {
    qsizetype lead = bytes.size();
    while (lead > 0 && bytes.size() - lead < 3 && (uchar(bytes[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead == 0) return false;
    const uchar first = uchar(bytes[--lead]);
    const qsizetype needed = first >= 0xF0 && first <= 0xF4 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 0;
    const qsizetype have = bytes.size() - lead;
    if (needed == 0 || first > 0xF4 || have >= needed) return false;
    return isUtf8(QByteArrayView(bytes.constData(), lead));
}

// The line (counted from 1) of the first bytes of `bytes` that are no UTF-8, when the text holds
// UTF-8 characters of more than one byte elsewhere: a UTF-8 file with some bytes of another
// encoding pasted in. 0 for a text with no such character (Windows-1252 throughout).
int lineOfStrayBytes(const QByteArray& bytes) {
    int line = 1;
    int strayLine = 0;
    bool multiByte = false;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const uchar b = uchar(bytes[i]);
        const qsizetype length = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
                                : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
        if (length > 1 && i + length <= bytes.size() && isUtf8(QByteArrayView(bytes).sliced(i, length))) {
            multiByte = true;
            i += length;
            continue;
        }
        if (length != 1 && strayLine == 0) strayLine = line;
        if (b == '\n' || (b == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) ++line;
        ++i;
    }
    return multiByte ? strayLine : 0;
}

// The encoding of a UTF-16 text without a byte-order mark: one with NUL bytes in at least a
// quarter of its characters, as in a school list, whose divisions, commas and line ends are
// ASCII whatever alphabet its names are in. Most of them are on the high side of its characters
// (a letter such as U+0100 or U+4E00 has one on the low side), and it decodes cleanly in that
// order. An odd number of bytes is a UTF-16 text cut off when the rest decodes cleanly.
std::optional<QStringConverter::Encoding> unmarkedUtf16(const QByteArray& bytes) {
    qsizetype even = 0, odd = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\0') ++(i % 2 == 0 ? even : odd);
    if (even + odd < std::max<qsizetype>(1, bytes.size() / 8) || even == odd) return std::nullopt;
    const auto encoding = even > odd ? QStringConverter::Utf16BE : QStringConverter::Utf16LE;
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes).first(bytes.size() - bytes.size() % 2));
    if (decoder.hasError() || !text.isValidUtf16()) return std::nullopt;
    return encoding;
}

// Whether `bytes`, read one byte to a character, hold a control character that no text file
// has (a NUL, an escape, ...): line ends, tabs, vertical tabs, form feeds and the end-of-file
// mark are text.
bool hasControlBytes(const QByteArray& bytes) {
    for (const char b : bytes)
        if ((uchar(b) < 0x20 && !QByteArrayView("\t\n\v\f\r\x1a").contains(b)) || b == 0x7F) return true;
    return false;
}

// A text that is no UTF-8, as Windows-1252 reads it: the bytes 0x80 to 0x9F are the letters and
// signs that encoding has there; the five it leaves unused stay control characters.
QString fromWindows1252(const QByteArray& bytes) {
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar b = uchar(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return text;
}

// The text of a file, in the encoding its byte-order mark names, else UTF-16 when its NUL bytes
// say so, else UTF-8, else Windows-1252. A text whose last character is cut off (an odd number
// of bytes in UTF-16, a UTF-8 text ending in part of a character) is broken, not shortened by the
// piece nor read in another encoding. A UTF-8 text with bytes of another encoding in it is
// refused: `strayLine` is the line where they are. A control character (C0 or C1) other than a
// line end, tab, vertical tab or form feed makes it no text; those three become blanks. Invisible
// format characters (a zero-width space, a mark that turns the writing direction) are dropped:
// a name stored with one looks like another and sorts and compares apart from it.
Decoded decodeText(const QByteArray& bytes, QString& text, int& strayLine) {
    std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(bytes);
    if (!encoding) encoding = unmarkedUtf16(bytes);
    if (encoding) {
        if (bytes.size() % unitSize(*encoding) != 0) return Decoded::CutOff;
        // Stateless: a sequence left incomplete at the end is an error, not kept for more input.
        QStringDecoder decoder(*encoding, QStringConverter::Flag::Stateless);
        text = decoder.decode(bytes);
        if (decoder.hasError() || !text.isValidUtf16()) {
            if (*encoding != QStringConverter::Utf8 || hasControlBytes(bytes)) return Decoded::NoText;
            if (isCutUtf8(bytes)) return Decoded::CutOff;
            // Marked as UTF-8 (its mark is a character of three bytes): the stray bytes' line.
            strayLine = lineOfStrayBytes(bytes);
            return strayLine > 0 ? Decoded::MixedUtf8 : Decoded::NoText;
        }
    } else if (!isUtf8(bytes, &text)) {
        // Binary bytes: whatever pieces of UTF-8 they hold by chance, they are no text.
        if (hasControlBytes(bytes)) return Decoded::NoText;
        if (isCutUtf8(bytes)) return Decoded::CutOff;
        strayLine = lineOfStrayBytes(bytes);
        if (strayLine > 0) return Decoded::MixedUtf8;
        text = fromWindows1252(bytes);
    }
    // An end-of-file mark (Ctrl+Z) that old editors put at the end is no part of the text.
    while (text.endsWith(QChar(0x1A))) text.chop(1);
    text = ui::withoutFormatCharacters(text);
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u == u'\t' || u == u'\f' || u == u'\v') {
            c = QLatin1Char(' ');
            continue;
        }
        const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
        if ((control && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF) return Decoded::NoText;
    }
    return Decoded::Text;
}

// A school name: not blank, and not a number (a division out of its place).
bool isSchoolName(const QString& name) {
    return !name.trimmed().isEmpty() && !isDivisionText(name);
}

// Line `line` of the text as a message shows it: a line too long for one is cut after its start.
QString lineOf(const QString& text, int line) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QString whole = text.split(lineEnd).value(line - 1);
    constexpr int kShown = 100;
    return whole.size() > kShown ? whole.left(kShown) + QStringLiteral("...") : whole;
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
    int strayLine = 0;
    const QByteArray bytes = file.readAll();
    switch (decodeText(bytes, text, strayLine)) {
        case Decoded::Text: break;
        case Decoded::MixedUtf8:
            list.refusal = QStringLiteral("Line %1 of the school list file ").arg(strayLine) + path +
                           QStringLiteral(" holds bytes that are not UTF-8, though the rest of "
                                          "the file is UTF-8:\r\n") +
                           lineOf(QString::fromUtf8(bytes), strayLine) +
                           QStringLiteral("\r\n\r\nSave the file as UTF-8 and import it again.  ") +
                           kNothingImported;
            return list;
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
        const Field& name = fields[f + 1];
        if (name.text.size() > kLongestSchoolName) {
            static const QLocale kCounts(QLocale::English, QLocale::UnitedStates);  // 40,000
            list.records.clear();
            list.refusal = QStringLiteral("Line %1 of the school list file ").arg(name.line) + path +
                           QStringLiteral(" holds a school name of %1 characters; a school's name "
                                          "box takes at most %2:\r\n")
                               .arg(kCounts.toString(name.text.size()), kCounts.toString(kLongestSchoolName)) +
                           lineOf(text, name.line) + QStringLiteral("\r\n\r\n") + kNothingImported;
            return list;
        }
        list.records.push_back({division.text, name.text});
    }
    return list;
}
