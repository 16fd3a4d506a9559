#include "team/school_list_file.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>

namespace {

bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

// The fields of the text in order.
QStringList splitFields(const QString& text) {
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype i = 0;
    // Line ends between records (blank lines included) separate; they make no empty fields.
    auto skipLineEnds = [&] {
        while (i < n && (isLineEnd(text[i]) || text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
            ++i;
    };
    skipLineEnds();
    while (i < n) {
        while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
        QString field;
        if (i < n && text[i] == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = text.mid(i + 1, end - i - 1);
            i = close < 0 ? n : close + 1;
            // Whatever stands between the closing quote and the separator is not part of it.
            while (i < n && text[i] != QLatin1Char(',') && !isLineEnd(text[i])) ++i;
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != QLatin1Char(',') && !isLineEnd(text[i])) ++i;
            field = text.mid(start, i - start).trimmed();
        }
        fields << field;
        if (i < n && text[i] == QLatin1Char(',')) {
            ++i;
            // A comma that ends its line separates once: the line end after it adds no field.
            while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
            if (i < n && isLineEnd(text[i])) skipLineEnds();
        } else {
            skipLineEnds();
        }
    }
    return fields;
}

}  // namespace

std::vector<SchoolListRecord> readSchoolList(const QString& path, bool& readable) {
    std::vector<SchoolListRecord> records;
    QFile file(path);
    readable = file.open(QIODevice::ReadOnly);
    if (!readable) return records;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);

    const QStringList fields = splitFields(text);
    for (qsizetype f = 0; f + 1 < fields.size(); f += 2) {
        if (fields[f + 1].trimmed().isEmpty()) continue;
        records.push_back({fields[f], fields[f + 1]});
    }
    return records;
}
