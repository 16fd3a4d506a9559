#include "statistics/frmSeasonSummary.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/connection.h"
#include "core/contacts.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "core/match_seasons.h"
#include "platform/print/Page.h"
#include "platform/ui/ui.h"
#include "printing/season_summary_form.h"
#include "statistics/frmReports.h"
#include "team/wrestler_names.h"

namespace {

const QString kZero = QStringLiteral("0");

// The win-loss panel of the printed form, 247 x 258: white lettering on black, the letters W, L,
// W, L across the top, the headings Overall and Wt Entered over two white cells, a band with the
// word VARSITY, two more white cells and a band with the word LEAGUE. The printout stretches it
// to its box and writes the records into the white cells.
QPixmap drawWinLossPanel() {
    QImage image(247, 258, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(Qt::white);

    const QRect left(8, 0, 110, 0);
    const QRect right(128, 0, 110, 0);
    auto half = [](const QRect& cell, int part) {
        return QRect(cell.left() + part * cell.width() / 2, 2, cell.width() / 2, 20);
    };
    p.drawText(half(left, 0), Qt::AlignCenter, QStringLiteral("W"));
    p.drawText(half(left, 1), Qt::AlignCenter, QStringLiteral("L"));
    p.drawText(half(right, 0), Qt::AlignCenter, QStringLiteral("W"));
    p.drawText(half(right, 1), Qt::AlignCenter, QStringLiteral("L"));
    font.setPixelSize(14);
    p.setFont(font);
    p.drawText(QRect(left.left(), 24, left.width(), 28), Qt::AlignCenter, QStringLiteral("Overall"));
    p.drawText(QRect(right.left(), 24, right.width(), 28), Qt::AlignCenter,
               QStringLiteral("Wt Entered"));

    for (const int top : {55, 150}) {
        p.fillRect(QRect(left.left(), top, left.width(), 60), Qt::white);
        p.fillRect(QRect(right.left(), top, right.width(), 60), Qt::white);
    }
    font.setPixelSize(18);
    p.setFont(font);
    p.drawText(QRect(0, 117, 247, 30), Qt::AlignCenter, QStringLiteral("VARSITY"));
    p.drawText(QRect(0, 212, 247, 30), Qt::AlignCenter, QStringLiteral("LEAGUE"));
    p.end();
    return QPixmap::fromImage(image);
}

// A frame holding one win-loss pair: "win - loss".
void placeRecord(QGroupBox* frame, QLabel*& win, const QString& winName, QLabel*& loss,
                 const QString& lossName, const QString& dashName) {
    win = ui::label(frame, winName);
    QLabel* dash = ui::label(frame, dashName, QStringLiteral("-"));
    loss = ui::label(frame, lossName);
    win->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    dash->setAlignment(Qt::AlignCenter);
    loss->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::place(win, 120, 360, 600, 315);
    ui::place(dash, 720, 360, 240, 315);
    ui::place(loss, 960, 360, 600, 315);
}

}  // namespace

frmSeasonSummary::frmSeasonSummary() {
    setWindowTitle(QStringLiteral("Individual Season Summary"));

    Label1 = ui::label(this, QStringLiteral("Label1"), QStringLiteral("Individual Season Summary"));
    QFont titleFont = Label1->font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setAlignment(Qt::AlignCenter);
    ui::place(Label1, 0, 120, 7440, 480);

    fraName = ui::frame(this, QStringLiteral("fraName"), QStringLiteral("Name"));
    lstNames = ui::listBox(fraName, QStringLiteral("lstNames"));
    ui::place(fraName, 240, 720, 3000, 3960);
    ui::place(lstNames, 120, 300, 2760, 3540);

    fraSeason = ui::frame(this, QStringLiteral("fraSeason"), QStringLiteral("Season"));
    comSeason = ui::comboBox(fraSeason, QStringLiteral("comSeason"), true);
    comSeason->setEditText(QStringLiteral("Combo1"));
    ui::place(fraSeason, 3480, 720, 1800, 780);
    ui::place(comSeason, 120, 300, 1560, 360);

    fraWtEnter = ui::frame(this, QStringLiteral("fraWtEnter"), QStringLiteral("Wt Entered"));
    txtWtEnter = ui::textBox(fraWtEnter, QStringLiteral("txtWtEnter"));
    ui::place(fraWtEnter, 5400, 720, 1800, 780);
    ui::place(txtWtEnter, 120, 300, 1560, 360);

    fraVarsity = ui::frame(this, QStringLiteral("fraVarsity"), QStringLiteral("Varsity Record"));
    fraVarsityOverall = ui::frame(fraVarsity, QStringLiteral("fraVarsityOverall"),
                                  QStringLiteral("Overall"));
    fraVarsityWeight = ui::frame(fraVarsity, QStringLiteral("fraVarsityWeight"),
                                 QStringLiteral("At Weight"));
    fraLeague = ui::frame(this, QStringLiteral("fraLeague"), QStringLiteral("League Record"));
    fraLeagueOverall = ui::frame(fraLeague, QStringLiteral("fraLeagueOverall"),
                                 QStringLiteral("Overall"));
    fraLeagueWeight = ui::frame(fraLeague, QStringLiteral("fraLeagueWeight"),
                                QStringLiteral("At Weight"));
    placeRecord(fraVarsityOverall, lblOverWin, QStringLiteral("lblOverWin"), lblOverLoss,
                QStringLiteral("lblOverLoss"), QStringLiteral("lblDash1"));
    placeRecord(fraVarsityWeight, lblWtWin, QStringLiteral("lblWtWin"), lblWtLoss,
                QStringLiteral("lblWtLoss"), QStringLiteral("lblDash2"));
    placeRecord(fraLeagueOverall, lblOverWinLg, QStringLiteral("lblOverWinLg"), lblOverLossLg,
                QStringLiteral("lblOverLossLg"), QStringLiteral("lblDash3"));
    placeRecord(fraLeagueWeight, lblWtWinLg, QStringLiteral("lblWtWinLg"), lblWtLossLg,
                QStringLiteral("lblWtLossLg"), QStringLiteral("lblDash4"));
    ui::place(fraVarsity, 3480, 1620, 3720, 1440);
    ui::place(fraLeague, 3480, 3240, 3720, 1440);
    for (QGroupBox* inner : {fraVarsityOverall, fraLeagueOverall}) ui::place(inner, 120, 300, 1680, 960);
    for (QGroupBox* inner : {fraVarsityWeight, fraLeagueWeight}) ui::place(inner, 1920, 300, 1680, 960);

    // Created in tab order; the season box comes last.
    cmdPrint = ui::button(this, QStringLiteral("cmdPrint"), QStringLiteral("&Print Report"));
    cmdPrintBlank = ui::button(this, QStringLiteral("cmdPrintBlank"),
                               QStringLiteral("Print &Blank Form"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdReturn, 240, 4920, 1680, 480);
    ui::place(cmdPrintBlank, 2040, 4920, 1680, 480);
    ui::place(cmdPrint, 3840, 4920, 1680, 480);
    ui::place(cmdHelp, 5640, 4920, 1560, 480);

    imgKestrivane = ui::label(this, QStringLiteral("imgKestrivane"));
    imgKestrivane->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    imgKestrivane->setVisible(false);
    imgWL = ui::label(this, QStringLiteral("imgWL"));
    imgWL->setPixmap(drawWinLossPanel());
    imgWL->setVisible(false);

    setFixedSize(ui::twips(7440), ui::twips(5700));

    QWidget* tabOrder[] = {lstNames, txtWtEnter, cmdPrint, cmdPrintBlank, cmdReturn, cmdHelp,
                           comSeason};
    for (size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

    ui::onClick(comSeason, [this] { comSeason_Click(); });
    // A season typed into the box is taken as a pick of it; a text that is no season is refused.
    ui::settleTypedText(comSeason, seasonChoice([this] { return listedSeason_; }, [this] { comSeason_Click(); }));
    ui::onClick(lstNames, [this] { lstNames_Click(); });
    ui::onChange(txtWtEnter, [this] { txtWtEnter_Change(); });
    ui::onClick(cmdPrint, [this] { cmdPrint_Click(); });
    ui::onClick(cmdPrintBlank, [this] { cmdPrintBlank_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

QString frmSeasonSummary::selectedName() const {
    const QListWidgetItem* item = lstNames->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

QString frmSeasonSummary::seasonYear() const { return comSeason->currentText().left(4); }

void frmSeasonSummary::Form_Activate() {
    loadSeasons();
    loadNames();
}

void frmSeasonSummary::loadSeasons() {
    // Exact comparison with each item: the list is never cleared, only added to.
    for (const QString& label : matchSeasonLabels())
        if (comSeason->findText(label, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) comSeason->addItem(label);

    // Showing the current season is no choice from the list: it runs no Click.
    const QString current = seasonLabel(gSeason);
    const QSignalBlocker block(comSeason);
    comSeason->setCurrentIndex(comSeason->findText(current, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    comSeason->setEditText(current);
}

void frmSeasonSummary::loadNames() {
    listedSeason_ = comSeason->currentText();
    lstNames->clear();
    // All of the season's wrestlers, active or not; a season text that is no year lists none.
    const QStringList names = loadWrestlerNames(false, seasonYear());
    for (const QString& name : names)
        if (!name.isEmpty()) lstNames->addItem(name);
    if (lstNames->count() > 0) lstNames->setCurrentRow(0);  // runs lstNames_Click
}

void frmSeasonSummary::comSeason_Click() { loadNames(); }

void frmSeasonSummary::lstNames_Click() {
    // The weight class of most matches in the season; ties go to the latest match. The name is
    // a column of the grouping, so it is tested before the grouping: only its own matches are
    // grouped, not the whole season's.
    const QString sql =
        QStringLiteral("SELECT [Match].SeqWrestler, Weight.Weight, Count([Match].Seq) AS CountOfSeq, "
                       "Max([Match].Date) AS MaxOfDate, Wrestler.FullName ") +
        QStringLiteral(" FROM Wrestler ") +
        QStringLiteral(" INNER JOIN (Weight INNER JOIN [Match] ON Weight.Seq = [Match].SeqWeight) "
                       "ON Wrestler.Seq = [Match].SeqWrestler ") +
        QStringLiteral(" WHERE  Wrestler.Season =? AND Wrestler.FullName = ? ") +
        QStringLiteral(" GROUP BY [Match].SeqWrestler, Weight.Weight, Wrestler.FullName ") +
        QStringLiteral(" ORDER BY [Match].SeqWrestler, Count([Match].Seq) DESC , Max([Match].Date) DESC");
    QString weight;
    {
        ConnectionScope connection;
        db::Recordset rs = openRecordset(sql, {db::Value(seasonYear()), db::Value(selectedName())});
        if (!rs.isEOF()) weight = rs.field(QStringLiteral("Weight")).toString();
        closeRecordset(rs);
    }

    txtWtEnter->setText(QString());
    // Setting the weight runs the counts through its Change; an empty one would not change it.
    if (weight.isEmpty())
        txtWtEnter_Change();
    else
        txtWtEnter->setText(weight);
}

void frmSeasonSummary::txtWtEnter_Change() {
    const QString name = selectedName();
    if (lstNames->currentRow() < 0 || name.isEmpty()) return;

    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT * FROM Wrestler WHERE FullName = ? AND Season =?"),
        {db::Value(name), db::Value(seasonYear())});
    const bool hasWrestler = !rs.isEOF();
    const long long wrestlerSeq = hasWrestler ? rs.field(QStringLiteral("Seq")).toInt() : -1;
    closeRecordset(rs);

    // A season typed into the box in which the name has no wrestler row: nothing to count.
    const QString weight = txtWtEnter->text();
    long long weightSeq = -1;
    if (hasWrestler && !weight.isEmpty()) {
        rs = openRecordset(QStringLiteral("SELECT * FROM Weight WHERE Weight = ?"), {db::Value(weight)});
        if (!rs.isEOF()) weightSeq = rs.field(QStringLiteral("Seq")).toInt();
        closeRecordset(rs);
    }
    if (hasWrestler) {
        showCounts(wrestlerSeq, !weight.isEmpty(), weightSeq);
    } else {
        for (QLabel* label : {lblOverWin, lblOverWinLg, lblOverLoss, lblOverLossLg, lblWtWin,
                              lblWtWinLg, lblWtLoss, lblWtLossLg})
            label->setText(kZero);
    }
}

void frmSeasonSummary::showCounts(long long wrestlerSeq, bool atWeight, long long weightSeq) {
    auto count = [wrestlerSeq](const QString& condition, const db::Params& more = {}) {
        db::Params params{db::Value(wrestlerSeq)};
        params.insert(params.end(), more.begin(), more.end());
        db::Recordset rs = openRecordset(
            QStringLiteral("SELECT COUNT (*) as recCount FROM [Match] WHERE SeqWrestler = ?") + condition,
            params);
        const QString text = QString::number(rs.field(QStringLiteral("recCount")).toInt());
        closeRecordset(rs);
        return text;
    };
    lblOverWin->setText(count(QStringLiteral(" AND Level = 'V' AND WL ='W'")));
    lblOverWinLg->setText(count(QStringLiteral(" AND Level = 'V' AND WL ='W' And LeagueMatch = 'Y'")));
    lblOverLoss->setText(count(QStringLiteral(" AND Level = 'V' AND WL ='L'")));
    lblOverLossLg->setText(count(QStringLiteral(" AND Level = 'V' AND WL ='L' and LeagueMatch = 'Y'")));
    if (!atWeight) {
        for (QLabel* label : {lblWtWin, lblWtWinLg, lblWtLoss, lblWtLossLg}) label->setText(kZero);
        return;
    }
    const db::Params weight{db::Value(weightSeq)};
    lblWtWin->setText(count(QStringLiteral(" AND Level = 'V' AND WL ='W' And SeqWeight = ?"), weight));
    lblWtWinLg->setText(count(
        QStringLiteral(" AND Level = 'V' AND WL ='W' And LeagueMatch = 'Y' And SeqWeight = ?"), weight));
    lblWtLoss->setText(count(QStringLiteral(" AND Level = 'V' AND WL ='L'And SeqWeight = ?"), weight));
    lblWtLossLg->setText(count(
        QStringLiteral(" AND Level = 'V' AND WL ='L' And LeagueMatch = 'Y' And SeqWeight = ?"), weight));
}

void frmSeasonSummary::cmdPrint_Click() {
    if (selectedName().isEmpty()) return;
    printing::printSeasonSummaryForm();
}

void frmSeasonSummary::cmdPrintBlank_Click() {
    print::DocGuard doc;
    printing::drawSeasonFormPage1(QStringLiteral("Individual Season Summary (blank)"));
    print::printer().newPage();
    printing::drawSeasonFormDefeatsPage();
    print::printer().endDoc();
}

void frmSeasonSummary::cmdHelp_Click() {
    showHelp(kAssociationShortName + QStringLiteral(" Individual Season Summary\r\n") +
             QStringLiteral("\r\n") +
             QStringLiteral("To print the Summary, click on the wrestler's name and click 'Print'\r\n") +
             QStringLiteral("Filling in the Weight Entered will update the record at weight.\r\n") +
             QStringLiteral("\r\n") +
             QStringLiteral("'Print Blank Form' will print a blank ") + kAssociationShortName +
             QStringLiteral(" form\r\n"));
}

void frmSeasonSummary::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmSeasonSummary>();
}
