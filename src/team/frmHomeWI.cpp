#include "team/frmHomeWI.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QStringList>

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "platform/ui/ui.h"
#include "team/frmEditNames.h"
#include "team/home_weigh_ins.h"
#include "team/wrestler_names.h"

namespace {

const QString kEdit = QStringLiteral("&Edit");
const QString kEnterNew = QStringLiteral("&Enter New");
const QString kSave = QStringLiteral("&Save");
const QString kReSave = QStringLiteral("Re-&Save");
const QString kLossTip = QStringLiteral("Check weight loss grid to check weight loss rate");
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);
constexpr int kNameField = 2;
constexpr int kWeightField = 3;

void reportUnknownName(const QString& name) {
    ui::msgBox(name + QStringLiteral(" does not exist.  Click edit names to add name"),
               ui::Buttons::OK, QStringLiteral("Error"));
}

}  // namespace

frmHomeWI::frmHomeWI() : wiRows_(kRows) {
    buildControls();
    connectHandlers();
}

void frmHomeWI::buildControls() {
    setWindowTitle(QStringLiteral("Home Weigh In"));
    setFixedSize(ui::twips(9480), ui::twips(7080));

    Frame10 = ui::frame(this, QStringLiteral("Frame10"), QStringLiteral("Competition Date (mm/dd/yy)"));
    ui::place(Frame10, 120, 60, 3000, 720);
    txtDate = ui::textBox(Frame10, QStringLiteral("txtDate"));
    ui::place(txtDate, 120, 300, 2760, 345);
    lblDayofWeek = ui::label(this, QStringLiteral("lblDayofWeek"));
    ui::place(lblDayofWeek, 3240, 390, 1800, 285);
    lblDayofWeek->hide();
    fraSeason = ui::frame(this, QStringLiteral("fraSeason"), QStringLiteral("Season"));
    ui::place(fraSeason, 5280, 60, 2000, 720);
    txtSeason = ui::textBox(fraSeason, QStringLiteral("txtSeason"), QStringLiteral("2999-2999"));
    ui::place(txtSeason, 120, 300, 1760, 345);
    txtSeason->setEnabled(false);

    constexpr int kTop = 1260, kStep = 420;
    for (int column = 0; column < 2; ++column) {
        const int left = column * 4680;
        lblHeading[column * 2] = ui::label(this, ui::arrayName(QStringLiteral("lblHeading"), column * 2),
                                           QStringLiteral("Actual Weight"));
        ui::place(lblHeading[column * 2], left + 440, kTop - 300, 1290, 285);
        lblHeading[column * 2 + 1] = ui::label(this, ui::arrayName(QStringLiteral("lblHeading"), column * 2 + 1),
                                               QStringLiteral("Name"));
        ui::place(lblHeading[column * 2 + 1], left + 1740, kTop - 300, 2800, 285);
    }
    for (int k = 0; k < kLines; ++k) {
        const int left = (k / 10) * 4680;
        const int top = kTop + (k % 10) * kStep;
        lblSeq[k] = ui::label(this, ui::arrayName(QStringLiteral("lblSeq"), k), QString::number(k + 1));
        ui::place(lblSeq[k], left + 120, top + 30, 400, 285);
        txtWt[k] = ui::textBox(this, ui::arrayName(QStringLiteral("txtWt"), k));
        ui::place(txtWt[k], left + 540, top, 1100, 345);
        comName[k] = ui::comboBox(this, ui::arrayName(QStringLiteral("comName"), k), true);
        ui::keepTypedText(comName[k]);  // a typed name is checked when its weight is left or saved
        ui::place(comName[k], left + 1740, top, 2800, 345);
        txtSeq[k] = ui::textBox(this, ui::arrayName(QStringLiteral("txtSeq"), k));
        txtSeq[k]->hide();
        // A closed box still sees a click on it, also on the text part of a name box.
        for (QWidget* box : {static_cast<QWidget*>(txtWt[k]), static_cast<QWidget*>(comName[k]),
                             static_cast<QWidget*>(comName[k]->lineEdit())})
            box->installEventFilter(this);
    }
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    ui::place(HScroll1, 120, kTop + 10 * kStep + 60, 9120, 255);

    // The list of stored weigh-ins lies over the name boxes of rows 8 and 9 (hidden meanwhile),
    // clear of the name box of row 7 above them.
    fraWI = ui::frame(this, QStringLiteral("fraWI"), QStringLiteral("Previous Weigh-ins"));
    ui::place(fraWI, 1740, kTop + 8 * kStep - 60, 2800, 2 * kStep + 60);
    lstWI = ui::listBox(fraWI, QStringLiteral("lstWI"));
    ui::place(lstWI, 60, 240, 2680, 2 * kStep - 240);
    fraWI->hide();
    lstWI->hide();

    const int buttonTop = kTop + 10 * kStep + 480;
    cmdSave = ui::button(this, QStringLiteral("cmdSave"), kSave);
    ui::place(cmdSave, 120, buttonTop, 1680, 495);
    cmdEdit = ui::button(this, QStringLiteral("cmdEdit"), kEdit);
    ui::place(cmdEdit, 1980, buttonTop, 1680, 495);
    cmdEditNames = ui::button(this, QStringLiteral("cmdEditNames"), QStringLiteral("Edit &Names"));
    ui::place(cmdEditNames, 3840, buttonTop, 1680, 495);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 5700, buttonTop, 1680, 495);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    ui::place(cmdReturn, 7560, buttonTop, 1680, 495);
}

void frmHomeWI::connectHandlers() {
    ui::onLostFocus(txtDate, [this] { txtDate_LostFocus(); });
    ui::onChange(HScroll1, [this] { HScroll1_Change(); });
    for (int k = 0; k < kLines; ++k) {
        ui::onClick(comName[k], [this, k] { comName_Click(k); });
        ui::onLostFocus(txtWt[k], [this, k] { txtWt_LostFocus(k); });
    }
    ui::pageWithKeys(HScroll1, {{txtWt.begin(), txtWt.end()}, {comName.begin(), comName.end()}});
    ui::onClick(cmdEdit, [this] { cmdEdit_Click(); });
    ui::onClick(lstWI, [this] { lstWI_Click(); });
    ui::onClick(cmdSave, [this] { cmdSave_Click(); });
    ui::onClick(cmdEditNames, [this] { cmdEditNames_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmHomeWI::Form_Load() {
    txtSeason->setText(seasonLabel(gSeason));
    loadNameLists();
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setMinimum(1);
        HScroll1->setMaximum(kRows - 1 - (kLines - 1));
        HScroll1->setPageStep(10);
        HScroll1->setSingleStep(1);
    }
    for (int k = 0; k < kLines; ++k) {
        txtWt[k]->setEnabled(false);
        comName[k]->setEnabled(false);
    }
}

void frmHomeWI::Form_Activate() {
    if (!reloadNames_) return;
    loadNameLists();
    reloadNames_ = false;
}

// ---- Names ----

void frmHomeWI::setNameText(int index, const QString& name) {
    const QSignalBlocker block(comName[index]);
    comName[index]->setCurrentIndex(-1);
    comName[index]->setEditText(name);
}

void frmHomeWI::loadNameLists() {
    const QStringList names = loadWrestlerNames(true, gSeason);
    for (QComboBox* list : comName) {
        // Filling the list keeps the name shown in the box.
        const QString shown = list->currentText();
        const QSignalBlocker block(list);
        if (list->count() == 0) list->addItem(QString());
        // The names the list holds are known at once, not searched for one by one: a season of
        // thousands of wrestlers fills twenty lists.
        QSet<QString> listed;
        for (int i = 0; i < list->count(); ++i) listed.insert(list->itemText(i));
        QStringList added;
        for (const QString& name : names)
            if (!listed.contains(name)) {
                listed.insert(name);
                added << name;
            }
        list->addItems(added);
        list->setCurrentIndex(-1);
        list->setEditText(shown);
    }
}

void frmHomeWI::prefillSeasonWrestlers() {
    for (Row& row : wiRows_) clearRow(row);
    const std::vector<SeasonWrestler> wrestlers = seasonWrestlersWithMatches(txtSeason->text().left(4));
    const int count = std::min<int>(static_cast<int>(wrestlers.size()), kRows - 1);
    for (int i = 1; i <= count; ++i) {
        const SeasonWrestler& w = wrestlers[i - 1];
        wiRows_[i][kNameField] = w.fullName;
        wiRows_[i][4] = w.lastWeight;
        wiRows_[i][5] = w.lastDate;
        wiRows_[i][6] = w.minWeight;
    }
    // The names go into the first page, which the grid is brought back to.
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setValue(1);
    }
    for (int k = 0; k < kLines; ++k) lblSeq[k]->setText(QString::number(k + 1));
    for (int i = 1; i <= std::min(count, kLines); ++i) setNameText(i - 1, wiRows_[i][kNameField]);
    if (static_cast<int>(wrestlers.size()) > kRows - 1)
        ui::msgBox(QStringLiteral("Only the first %1 wrestlers with matches are listed").arg(kRows - 1),
                   ui::Buttons::OK, QStringLiteral("Home Weigh In"));
}

long long frmHomeWI::getWrestlerSeq(const QString& name, int season) {
    const long long seq = wrestlerSeqInSeason(name, season);
    if (seq < 0) reportUnknownName(name);
    return seq;
}

void frmHomeWI::comName_Click(int index) {
    storeWIPage();
    const QString chosen = comName[index]->currentText();
    const int own = lblSeq[index]->text().toInt();
    for (int r = 1; r < kRows; ++r)
        if (r != own && wiRows_[r][kNameField] == chosen) clearRow(wiRows_[r]);
    for (int k = 0; k < kLines; ++k) {
        if (k == index || comName[k]->currentText() != chosen) continue;
        setNameText(k, QString());
        txtWt[k]->clear();
        txtSeq[k]->clear();
    }
    storeWIPage();
}

// ---- The grid ----

void frmHomeWI::storeWIPage() {
    for (int k = 0; k < kLines; ++k) {
        const int r = lblSeq[k]->text().toInt();
        if (r < 1 || r >= kRows) continue;
        wiRows_[r][0] = txtSeq[k]->text().trimmed();
        wiRows_[r][kWeightField] = txtWt[k]->text().trimmed();
        wiRows_[r][kNameField] = comName[k]->currentText();
    }
}

void frmHomeWI::showPage(int top) {
    for (int k = 0; k < kLines; ++k) {
        const int r = top + k;
        lblSeq[k]->setText(QString::number(r));
        txtWt[k]->setText(wiRows_[r][kWeightField]);
        setNameText(k, wiRows_[r][kNameField]);
    }
    markLinesShown();
}

void frmHomeWI::HScroll1_Change() {
    storeWIPage();
    showPage(HScroll1->value());
}

void frmHomeWI::compactWIRows() {
    for (;;) {
        int i = 1;
        while (i < kRows && !wiRows_[i][kNameField].isEmpty()) ++i;
        if (i >= kRows) break;
        int j = i + 1;
        while (j < kRows && wiRows_[j][kNameField].isEmpty()) ++j;
        if (j >= kRows) break;
        wiRows_[i] = wiRows_[j];
        clearRow(wiRows_[j]);
    }
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setValue(1);
    }
    showPage(1);
}

// ---- Date and weight ----

void frmHomeWI::txtDate_LostFocus() {
    QString text = txtDate->text();
    short bad = 0, weekday = 0;
    CheckDateFormat(text, bad, weekday);
    txtDate->setText(text);
    if (bad != 0) {
        ui::giveFocus(txtDate);
        lblDayofWeek->hide();
        txtSeason->hide();
        return;
    }
    if (text.isEmpty()) {
        lblDayofWeek->hide();
        return;
    }
    lblDayofWeek->setText(weekdayName(weekday));
    lblDayofWeek->show();
    txtSeason->show();
    txtSeason->setText(seasonLabel(getSeason(db::Value(text).toDate())));
    for (int k = 0; k < kLines; ++k) {
        txtWt[k]->setEnabled(true);
        comName[k]->setEnabled(true);
    }
    // The season's names are offered for a grid still to be filled in; typed weights and a loaded
    // weigh-in stay beside their wrestlers.
    storeWIPage();
    if (!holdsEnteredRows()) prefillSeasonWrestlers();
}

bool frmHomeWI::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return ui::Form::eventFilter(watched, event);
    auto* box = static_cast<QWidget*>(watched);
    if (box->isEnabled() || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return ui::Form::eventFilter(watched, event);
    // The text part of a name box stands for its box.
    if (auto* combo = qobject_cast<QComboBox*>(box->parentWidget())) box = combo;
    ui::guarded([this, box] { openRowsAt(box); });
    return true;
}

void frmHomeWI::openRowsAt(QWidget* box) {
    const int top = HScroll1->value();
    const unsigned long shownBefore = ui::messagesShown();
    // Leaving the date box runs its check; a date box left before is checked again.
    if (txtDate->hasFocus())
        setFocus(Qt::MouseFocusReason);
    else
        txtDate_LostFocus();
    if (!txtWt[0]->isEnabled()) {
        // No date yet: the coach is taken to the box that opens the rows.
        if (ui::messagesShown() == shownBefore) ui::giveFocus(txtDate);
        return;
    }
    // The grid stays on the page that was clicked; the season's names are in their rows.
    if (HScroll1->value() != top) HScroll1->setValue(top);
    box->setFocus(Qt::MouseFocusReason);
}

bool frmHomeWI::holdsEnteredRows() const {
    for (int r = 1; r < kRows; ++r)
        if (!wiRows_[r][0].isEmpty() || !wiRows_[r][kWeightField].isEmpty()) return true;
    return false;
}

bool frmHomeWI::isMarked(int index) const {
    return txtWt[index]->palette().color(QPalette::Base) == kYellow;
}

void frmHomeWI::setMark(int index, bool marked) {
    // A closed box keeps the look of a disabled one.
    QPalette palette = txtWt[index]->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Base, marked ? kYellow : kWhite);
    txtWt[index]->setPalette(palette);
    txtWt[index]->setToolTip(marked ? kLossTip : QString());
}

std::optional<bool> frmHomeWI::lostTooFast(int index, bool reportUnknown) {
    if (!isNumericText(txtWt[index]->text())) return std::nullopt;
    // The loss is counted up to the weigh-in date; without a date there is nothing to compare.
    const QDate weighIn = db::Value(txtDate->text()).toDate();
    if (!weighIn.isValid()) return std::nullopt;

    const QString name = comName[index]->currentText();
    // An empty name box names nobody: there is nothing to look up nor to report.
    if (name.trimmed().isEmpty()) return std::nullopt;
    ConnectionScope conn;
    const long long seq = reportUnknown ? getWrestlerSeq(name, getSeason(weighIn))
                                        : wrestlerSeqInSeason(name, getSeason(weighIn));
    QDate lastDate;
    double lastWeight = 0;
    if (!latestBout(seq, lastDate, lastWeight)) return std::nullopt;
    const qint64 days = lastDate.daysTo(weighIn);
    const float limit = static_cast<float>(lastWeight - days * (lastWeight * 0.015 / 7));
    const float typed = static_cast<float>(leadingNumber(txtWt[index]->text()));
    return typed < limit;
}

void frmHomeWI::txtWt_LostFocus(int index) {
    if (const std::optional<bool> marked = lostTooFast(index, true)) setMark(index, *marked);
}

void frmHomeWI::markLinesShown() {
    ConnectionScope conn;
    for (int k = 0; k < kLines; ++k) setMark(k, lostTooFast(k, false).value_or(false));
}

// ---- Stored weigh-ins ----

void frmHomeWI::cmdEdit_Click() {
    if (cmdEdit->text() == kEdit) {
        comName[8]->hide();
        comName[9]->hide();
        lstWI->clear();
        lstWI->show();
        fraWI->show();
        cmdEdit->setText(kEnterNew);
        cmdSave->setText(kReSave);
        lstWI->addItems(storedWeighInDates());
        return;
    }
    comName[8]->show();
    comName[9]->show();
    lstWI->clear();
    lstWI->hide();
    fraWI->hide();
    cmdEdit->setText(kEdit);
    cmdSave->setText(kSave);
}

void frmHomeWI::lstWI_Click() {
    QListWidgetItem* item = lstWI->currentItem();
    if (!item) return;
    const QString d = item->text().trimmed();

    for (Row& row : wiRows_) clearRow(row);
    for (int k = 0; k < kLines; ++k) {
        txtWt[k]->clear();
        setNameText(k, QString());
        txtSeq[k]->clear();
    }
    const QDate date = db::Value(d).toDate();
    const std::vector<StoredWeighIn> stored = loadWeighIn(date);
    txtDate->setText(d);
    // Its names belong to the season of its date.
    txtSeason->setText(seasonLabel(getSeason(date)));
    const int count = std::min<int>(static_cast<int>(stored.size()), kRows - 1);
    loadedRows_.clear();
    for (const StoredWeighIn& s : stored) loadedRows_[s.seq.toLongLong()] = s.row;
    for (int i = 1; i <= count; ++i) {
        const StoredWeighIn& s = stored[i - 1];
        wiRows_[i][0] = s.seq;
        wiRows_[i][1] = s.compDate;
        wiRows_[i][kNameField] = s.fullName;
        wiRows_[i][kWeightField] = s.weight;
    }
    for (int k = 0; k < kLines; ++k) {
        lblSeq[k]->setText(QString::number(k + 1));
        txtWt[k]->setText(wiRows_[k + 1][kWeightField]);
        setNameText(k, wiRows_[k + 1][kNameField]);
        txtSeq[k]->setText(wiRows_[k + 1][0]);
    }
    markLinesShown();
    cmdSave->setText(kReSave);
    comName[8]->show();
    comName[9]->show();
    // The list goes once this click is over: it cannot be emptied from inside its own signal.
    QMetaObject::invokeMethod(
        this,
        [this] {
            lstWI->clear();
            lstWI->hide();
            fraWI->hide();
        },
        Qt::QueuedConnection);
    lstWI->hide();
    fraWI->hide();
}

// ---- Saving ----

int frmHomeWI::checkWeightsNumeric() {
    for (int r = 1; r < kRows; ++r) {
        const Row& row = wiRows_[r];
        if (row[kNameField].isEmpty() || row[kWeightField].isEmpty() || isNumericText(row[kWeightField]))
            continue;
        ui::msgBox(row[kNameField] + QStringLiteral(" has a non-numeric weight, please fix and reSave"),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return r;
    }
    return 0;
}

void frmHomeWI::cmdSave_Click() {
    storeWIPage();
    if (checkWeightsNumeric() != 0) return;

    // Every check comes before anything is deleted.
    if (txtDate->text().isEmpty()) {
        ui::msgBox(QStringLiteral("Please fill in the date"), ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }
    QString date = txtDate->text();
    short bad = 0, weekday = 0;
    CheckDateFormat(date, bad, weekday);
    if (bad != 0) {
        ui::msgBox(QStringLiteral("Error with Date"), ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }

    bool replace = false;
    const QString loadedDate = wiRows_[1][1];
    if (cmdSave->text() == kReSave) {
        if (date == loadedDate) {
            if (ui::msgBox(QStringLiteral("Overwrite previous Weigh-in?"), ui::Buttons::YesNo,
                           QStringLiteral("Overwrite?")) != ui::Answer::Yes) {
                ui::msgBox(QStringLiteral("Save Cancelled"), ui::Buttons::OK, QStringLiteral("Cancelled"));
                return;
            }
            replace = true;
        } else if (ui::msgBox(QStringLiteral("Save Weigh-in with entered date?"),
                              ui::Buttons::YesNo, QStringLiteral("Save")) != ui::Answer::Yes) {
            ui::msgBox(QStringLiteral("Save Cancelled"), ui::Buttons::OK, QStringLiteral("Cancelled"));
            return;
        }
    }

    // The names are those of the weigh-in date's season. Every one is looked up before anything
    // is deleted: an overwrite that would lose a row whose name is not found is refused whole.
    // Otherwise a name not found is reported and its row stays in the grid.
    const QDate day = db::Value(date).toDate();
    const short season = getSeason(day);
    std::vector<WeighInRow> writes;
    std::vector<int> written;
    QStringList missing;
    {
        ConnectionScope conn;
        for (int r = 1; r < kRows; ++r) {
            const Row& row = wiRows_[r];
            if (row[kNameField].isEmpty() || row[kWeightField].isEmpty()) continue;
            const long long seq = wrestlerSeqInSeason(row[kNameField], season);
            if (seq < 0) {
                missing << row[kNameField];
                continue;
            }
            writes.push_back({seq, leadingNumber(row[kWeightField])});
            written.push_back(r);
        }
    }
    if (replace && !missing.isEmpty()) {
        ui::msgBox(QStringLiteral("These names do not exist in the %1 season:\r\n")
                           .arg(seasonLabel(season)) +
                       missing.join(QStringLiteral("\r\n")) +
                       QStringLiteral("\r\n\r\nNothing was saved.  Click edit names to add names"),
                   ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }
    for (const QString& name : missing) reportUnknownName(name);
    if (!tellRowChanged([&] { writeWeighIn(day, writes, replace, db::Value(loadedDate).toDate(), loadedRows_); }))
        return;
    for (int r : written) clearRow(wiRows_[r]);

    for (int k = 0; k < kLines; ++k) {
        setNameText(k, QString());
        txtWt[k]->clear();
        txtSeq[k]->clear();
        setMark(k, false);
    }
    compactWIRows();
    ui::msgBox(QStringLiteral("Home Weigh-in saved"), ui::Buttons::OK, QStringLiteral("Saved"));
    lstWI->hide();
    fraWI->hide();
    comName[8]->show();
    comName[9]->show();
    cmdEdit->setText(kEdit);
    cmdSave->setText(kSave);
}

// ---- Leaving ----

void frmHomeWI::cmdEditNames_Click() {
    frmEditNames::showFrom(QStringLiteral("frmHomeWI"));
    hide();
    reloadNames_ = true;
}

void frmHomeWI::cmdHelp_Click() {
    const QStringList lines = {
        QStringLiteral("Home Weigh-in"),
        QString(),
        QStringLiteral("This screen allows you to enter your wrestler's actual weight."),
        QStringLiteral("When entering matches, if there is a weight entered for the date"),
        QStringLiteral("of competition for that particular wrestler, it will"),
        QStringLiteral("automatically fill in.  This would be helpful when wrestling"),
        QStringLiteral("multiple times in one day such as a tournament."),
    };
    showHelp(lines.join(QStringLiteral("\r\n")));
}

void frmHomeWI::cmdReturn_Click() {
    ui::forms().get<frmInit>()->show();
    ui::forms().unload<frmHomeWI>();
}
