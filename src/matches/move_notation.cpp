#include "matches/move_notation.h"

#include <QStringList>

namespace {

bool isScoringLetter(QChar c) {
    return c == u'T' || c == u'R' || c == u'E' || c == u'N' || c == u'P';
}

bool isPointDigit(QChar c) { return c >= u'1' && c <= u'9'; }

// Splits an upper-case text into its tokens, in the order they stand.
QStringList readTokens(const QString& text) {
    QStringList tokens;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        // The ride-out point is a token of its own, so a check never wipes it out.
        if (c == u'R' && text.mid(i, 3) == QLatin1String("RO1")) {
            tokens << QStringLiteral("RO1");
            i += 3;
        } else if (isScoringLetter(c)) {
            if (i + 1 < n && isPointDigit(text.at(i + 1))) {
                tokens << text.mid(i, 2);
                i += 2;
            } else {
                ++i;  // a letter without its points is dropped; the next character stands alone
            }
        } else if (c == u'W' || c == u'C') {
            tokens << QString(c);
            ++i;
        } else {
            ++i;
        }
    }
    return tokens;
}

// The message for a token whose points do not fit its move; empty when the token is sound.
QString tokenError(const QString& token) {
    if (token.size() != 2) return QString();  // W, C and RO1
    const QChar letter = token.at(0);
    const QChar digit = token.at(1);
    if (letter == u'T' || letter == u'R') {
        if (digit != u'2') return QStringLiteral("Takedown or Reversal without 2 points following");
    } else if (letter == u'E') {
        if (digit != u'1') return QStringLiteral("Escape without 1 point following");
    } else if (letter == u'N') {
        if (digit < u'2' || digit > u'4')
            return QStringLiteral("Near Fall without 2, 3, or 4 points following");
    } else if (letter == u'P') {
        if (digit != u'1' && digit != u'2')
            return QStringLiteral("Penalty without 1 or 2 points following");
    }
    return QString();
}

}  // namespace

void validateMoves(QString& text, QString& error) {
    const QStringList tokens = readTokens(text.toUpper());
    for (const QString& token : tokens) {
        const QString message = tokenError(token);
        if (!message.isEmpty()) {
            error = message;
            break;
        }
    }
    text = tokens.join(u' ');
}

QString checkedMoves(QString text) {
    QString error;
    validateMoves(text, error);
    return text;
}
