#include "bench/plain_statements.h"

#include <QComboBox>
#include <QListWidget>

#include "match_reports/frmIndDetail.h"
#include "matches/frmFindMatch.h"
#include "platform/db/JetSql.h"

namespace bench {

namespace {

std::string engineText(const QString& jet) { return db::translateJetSql(jet).toStdString(); }

QString quoted(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

// `sql` with each ? replaced by its value written as a literal: a date between # signs, a text
// between apostrophes. The program's statements put no ? inside a quoted text.
QString withValues(const QString& sql, const db::Params& params) {
    QString out;
    size_t next = 0;
    for (const QChar c : sql) {
        if (c != QLatin1Char('?') || next >= params.size()) {
            out += c;
            continue;
        }
        const db::Value& v = params[next++];
        out += v.isDate() ? QLatin1Char('#') + v.toString() + QLatin1Char('#')
               : v.isText() ? quoted(v.toString())
                            : v.toString();
    }
    return out;
}

bool isPicked(const QListWidget* list) {
    const int row = list->currentRow();
    return row >= 0 && list->item(row)->isSelected() && list->item(row)->text() != QLatin1String("ALL");
}

QString picked(const QListWidget* list) { return list->currentItem()->text(); }

}  // namespace

std::vector<std::string> detailPlainStatements(const frmIndDetail* form, bool lists) {
    std::vector<std::string> statements;
    if (lists) {
        QString start, end;
        form->getDateRange(start, end);
        const QString range = start + QStringLiteral("# AND #") + end + QStringLiteral("# ");
        statements.push_back(engineText(
            QStringLiteral("SELECT DISTINCT OppSchool.OppSchool FROM OppSchool INNER JOIN [Match] ON OppSchool.Seq = "
                           "[MATCH].seqOppSchool WHERE Date BETWEEN #") +
            range));
        statements.push_back(engineText(
            QStringLiteral("SELECT DISTINCT Wrestler.FullName FROM Wrestler INNER JOIN [Match] ON Wrestler.Seq = "
                           "[Match].seqWrestler WHERE [Match].[Date] BETWEEN #") +
            range));
    }
    const DetailQuery query = form->buildDetailSQL();
    statements.push_back(engineText(withValues(query.sql, query.params)));
    return statements;
}

std::vector<std::string> finderPlainStatements(const frmFindMatch* form) {
    QString filter;
    if (isPicked(form->lstNames)) filter += QStringLiteral(" AND FullName = ") + quoted(picked(form->lstNames)) + " ";
    if (isPicked(form->lstDates))
        filter += QStringLiteral(" AND Date = #") + picked(form->lstDates) + QStringLiteral("# ");
    if (isPicked(form->lstOppSchool))
        filter += QStringLiteral(" AND OppSchool = ") + quoted(picked(form->lstOppSchool)) + " ";
    if (isPicked(form->lstOppName)) {
        const QString first = form->lstOppFirst->currentItem()->text();
        const QString last = form->lstOppLast->currentItem()->text();
        filter += first.isEmpty() ? QStringLiteral(" AND OppFName is Null ")
                                  : QStringLiteral(" AND OppFName = ") + quoted(first);
        filter += last.isEmpty() ? QStringLiteral(" AND OppLName is Null")
                                 : QStringLiteral(" AND OppLName = ") + quoted(last) + " ";
    }
    const QString season = form->comSeason->currentText();
    const QString y1 = season.left(4);
    const QString y2 = season.right(4);
    const QString joins = QStringLiteral(
        "FROM OppSchool INNER JOIN (Wrestler INNER JOIN [MATCH] ON Wrestler.Seq = [MATCH].seqWrestler) ON "
        "OppSchool.Seq = [MATCH].seqOppSchool ");
    const QString window =
        QStringLiteral(" WHERE Date BETWEEN #11/1/") + y1 + QStringLiteral("#  AND  #4/30/") + y2 + QStringLiteral("# ");

    std::vector<std::string> statements;
    if (!isPicked(form->lstNames))
        statements.push_back(engineText(
            QStringLiteral("SELECT DISTINCT FullName  FROM Wrestler INNER JOIN (OppSchool INNER JOIN [Match] ON "
                           "OppSchool.Seq = [Match].seqOppSchool) ON Wrestler.Seq = [Match].seqWrestler  WHERE Date "
                           "Between #11/1/") +
            y1 + QStringLiteral("# AND #4/30/") + y2 + QStringLiteral("#") + filter));
    if (!isPicked(form->lstDates))
        statements.push_back(
            engineText(QStringLiteral("SELECT DISTINCT Date ") + joins + window + filter + QStringLiteral(" ORDER BY Date ")));
    if (!isPicked(form->lstOppSchool))
        statements.push_back(engineText(QStringLiteral("SELECT DISTINCT OppSchool ") + joins + window + filter +
                                        QStringLiteral(" ORDER BY OppSchool ")));
    if (!isPicked(form->lstOppName))
        statements.push_back(engineText(QStringLiteral("SELECT DISTINCT OppFname, OppLname ") + joins + window + filter +
                                        QStringLiteral(" ORDER BY OppFname, OppLname  ")));
    statements.push_back(engineText(
        QStringLiteral("SELECT Date, OppLName as LastName, OppSchool as School, [Match].Seq as MSeq, FullName FROM "
                       "Wrestler INNER JOIN (OppSchool INNER JOIN [Match] ON OppSchool.Seq = [Match].SeqOppSchool) ON "
                       "Wrestler.Seq = [Match].SeqWrestler WHERE Date BETWEEN #11/1/") +
        y1 + QStringLiteral("#  AND  #4/30/") + y2 + QStringLiteral("# ") + filter + QStringLiteral(" ORDER BY Date")));
    return statements;
}

}  // namespace bench
