#include "matches/frmFindMatch.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>
#include <iterator>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "core/match_seasons.h"
#include "matches/find_match_lists.h"
#include "matches/frmEditMatch.h"
#include "matches/load_match.h"
#include "matches/match_entry_checks.h"
#include "platform/ui/ui.h"

namespace {

const QString kAll = QStringLiteral("ALL");

// A list is picked when an item other than "ALL" is selected in it.
bool isPicked(const QListWidget* list) {
    const int row = list->currentRow();
    return row >= 0 && list->item(row)->isSelected() && list->item(row)->text() != kAll;
}

QString pickedText(const QListWidget* list) { return list->currentItem()->text(); }

// The text at the selected index of a hidden companion list.
QString textAtSelection(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text() : QString();
}

// Draws a line of the match list as columns: each tab-separated part at its own position, so
// that long names do not run into the next part.
class MatchLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString line = opt.text;
        opt.text.clear();
        QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        static const int columns[4] = {60, 1500, 3500, 5900};  // twips from the left edge
        const QStringList parts = line.split(QLatin1Char('\t'));
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                             : QPalette::Text));
        for (int i = 0; i < parts.size() && i < 4; ++i) {
            const int left = opt.rect.left() + ui::twips(columns[i]);
            const int right = i + 1 < 4 ? opt.rect.left() + ui::twips(columns[i + 1]) - 4 : opt.rect.right();
            const QRect cell(left, opt.rect.top(), std::max(0, right - left), opt.rect.height());
            painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                              opt.fontMetrics.elidedText(parts[i], Qt::ElideRight, cell.width()));
        }
        painter->restore();
    }
};

}  // namespace

frmFindMatch::frmFindMatch() {
    setWindowTitle(QStringLiteral("Find Match"));

    fraSeason = ui::frame(this, QStringLiteral("fraSeason"), QStringLiteral("Season"));
    ui::place(fraSeason, 120, 120, 2000, 700);
    comSeason = ui::comboBox(fraSeason, QStringLiteral("comSeason"), true);
    ui::place(comSeason, 120, 280, 1760, 330);
    comSeason->setEditText(QStringLiteral("comSeason"));

    auto pickList = [this](QGroupBox*& frame, QListWidget*& list, const char* frameName, const char* caption,
                           const char* listName, int left, int width) {
        frame = ui::frame(this, QString::fromLatin1(frameName), QString::fromLatin1(caption));
        ui::place(frame, left, 960, width, 3600);
        list = ui::listBox(frame, QString::fromLatin1(listName));
        ui::place(list, 120, 280, width - 240, 3200);
        // Each pick narrows every list: the keys look for the entry, Enter or Space picks it.
        ui::keysOnlyMove(list);
    };
    pickList(fraNames, lstNames, "fraNames", "Home Name", "lstNames", 120, 2700);
    pickList(fraDates, lstDates, "fraDates", "Competition Date", "lstDates", 2940, 1800);
    pickList(fraOppSchool, lstOppSchool, "fraOppSchool", "Opponent School", "lstOppSchool", 4860, 2700);
    pickList(fraOppName, lstOppName, "fraOppName", "Opponent Name", "lstOppName", 7680, 2700);
    lstOppFirst = ui::listBox(this, QStringLiteral("lstOppFirst"));
    lstOppFirst->hide();
    lstOppLast = ui::listBox(this, QStringLiteral("lstOppLast"));
    lstOppLast->hide();

    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Cancel"));
    ui::place(cmdReturn, 120, 4800, 1800, 500);
    cmdEdit = ui::button(this, QStringLiteral("cmdEdit"), QStringLiteral("&Edit Match"));
    ui::place(cmdEdit, 120, 5400, 1800, 500);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 120, 6000, 1800, 500);

    fraMatches = ui::frame(this, QStringLiteral("fraMatches"), QStringLiteral("List of Matches"));
    ui::place(fraMatches, 2160, 4700, 8220, 1900);
    lstMatches = ui::listBox(fraMatches, QStringLiteral("lstMatches"));
    ui::place(lstMatches, 120, 280, 7980, 1500);
    QFont bold = lstMatches->font();
    bold.setBold(true);
    lstMatches->setFont(bold);
    QPalette pal = lstMatches->palette();
    pal.setColor(QPalette::Base, QColor(224, 224, 224));
    lstMatches->setPalette(pal);
    lstMatches->setItemDelegate(new MatchLineDelegate(lstMatches));
    lstMatchseq = ui::listBox(this, QStringLiteral("lstMatchseq"));
    lstMatchseq->hide();
    txtNarrowResults = ui::textBox(fraMatches, QStringLiteral("txtNarrowResults"),
                                   QStringLiteral("Please select more criteria to narrow the number of matches down"));
    ui::place(txtNarrowResults, 120, 700, 7980, 400);
    txtNarrowResults->setReadOnly(true);
    txtNarrowResults->hide();

    setFixedSize(ui::twips(10500), ui::twips(6800));

    QWidget* order[] = {lstNames, cmdReturn, cmdEdit,      cmdHelp,    lstMatches,
                        comSeason, lstDates, lstOppSchool, lstOppName, txtNarrowResults};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    ui::onClick(comSeason, [this] { comSeason_Click(); });
    // A season typed into the box becomes the one listed; a text that is no season is refused.
    ui::settleTypedText(comSeason, seasonChoice([this] { return listedSeason_; }, [this] { refreshLists(); }));
    ui::onClick(lstNames, [this] { lstNames_Click(); });
    ui::onClick(lstDates, [this] { lstDates_Click(); });
    ui::onClick(lstOppSchool, [this] { lstOppSchool_Click(); });
    ui::onClick(lstOppName, [this] { lstOppName_Click(); });
    ui::onClick(cmdEdit, [this] { cmdEdit_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmFindMatch::Form_Load() {
    loadSeasons();
    QListWidget* lists[] = {lstNames, lstDates, lstOppSchool, lstOppName, lstOppFirst, lstOppLast};
    for (QListWidget* list : lists) list->addItem(kAll);
    // The first activation fills the lists; selecting "ALL" here needs no refresh of its own.
    for (QListWidget* list : lists) {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(0);
    }
}

void frmFindMatch::Form_Activate() { refreshLists(); }

void frmFindMatch::comSeason_Click() { refreshLists(); }

void frmFindMatch::lstNames_Click() { refreshLists(); }
void frmFindMatch::lstDates_Click() { refreshLists(); }
void frmFindMatch::lstOppSchool_Click() { refreshLists(); }

void frmFindMatch::lstOppName_Click() {
    // The trimming of a refresh keeps the hidden lists in step with this one; a selection change
    // it sets off here would read a row the hidden lists no longer have.
    if (refreshing_) return;
    const int row = lstOppName->currentRow();
    lstOppFirst->setCurrentRow(row);
    lstOppLast->setCurrentRow(row);
    refreshLists();
}

void frmFindMatch::loadSeasons() {
    for (const QString& label : matchSeasonLabels())
        if (comSeason->findText(label, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) comSeason->addItem(label);
    comSeason->setEditText(seasonLabel(gSeason));
}

void frmFindMatch::trimList(QListWidget* list) {
    const int row = list->currentRow();
    const int p = row >= 0 && list->item(row)->isSelected() ? row : 0;
    // Rows go in runs, not one by one: a season's opponents are thousands of names.
    QAbstractItemModel* rows = list->model();
    if (p == 0) {
        if (list->count() > 1) rows->removeRows(1, list->count() - 1);
        return;
    }
    if (p > 1) rows->removeRows(1, p - 1);
    if (list->count() > 2) rows->removeRows(2, list->count() - 2);
}

void frmFindMatch::refreshLists() {
    // Trimming and filling the lists must not set off their own refresh.
    if (refreshing_) return;
    refreshing_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{refreshing_};

    ConnectionScope conn;

    // The filter, from the picks as they stand before any list is trimmed.
    PickFilter filter;
    if (isPicked(lstNames)) {
        filter.text += QStringLiteral(" AND FullName = ? ");
        filter.params.push_back(db::Value(pickedText(lstNames)));
    }
    if (isPicked(lstDates)) {
        filter.text += QStringLiteral(" AND Date = ? ");
        filter.params.push_back(db::Value(db::parseUsDate(pickedText(lstDates))));
    }
    if (isPicked(lstOppSchool)) {
        filter.text += QStringLiteral(" AND OppSchool = ? ");
        filter.params.push_back(db::Value(pickedText(lstOppSchool)));
    }
    if (isPicked(lstOppName)) {
        // A name missing in the list may be stored as Null or as empty text.
        const QString first = textAtSelection(lstOppFirst);
        const QString last = textAtSelection(lstOppLast);
        if (first.isEmpty()) {
            filter.text += QStringLiteral(" AND (OppFName is Null OR OppFName = '') ");
        } else {
            filter.text += QStringLiteral(" AND OppFName = ?");
            filter.params.push_back(db::Value(first));
        }
        if (last.isEmpty()) {
            filter.text += QStringLiteral(" AND (OppLName is Null OR OppLName = '')");
        } else {
            filter.text += QStringLiteral(" AND OppLName = ? ");
            filter.params.push_back(db::Value(last));
        }
    }

    // The season window, 1 November of the first year to 30 April of the second. A season text
    // that holds no years gives an empty window.
    const QString season = comSeason->currentText();
    listedSeason_ = season;
    bool ok1 = false, ok2 = false;
    const int y1 = season.left(4).toInt(&ok1);
    const int y2 = season.right(4).toInt(&ok2);
    const db::Params window{db::Value(ok1 ? QDate(y1, 11, 1) : QDate()), db::Value(ok2 ? QDate(y2, 4, 30) : QDate())};

    trimList(lstNames);
    trimList(lstDates);
    trimList(lstOppSchool);
    trimList(lstOppFirst);
    trimList(lstOppLast);
    trimList(lstOppName);
    FinderListsWanted wanted;
    wanted.names = lstNames->count() == 1;
    wanted.dates = lstDates->count() == 1;
    wanted.schools = lstOppSchool->count() == 1;
    wanted.opponents = lstOppName->count() == 1;
    const FinderLists lists = readFinderLists(window, filter, wanted);
    if (wanted.names) lstNames->addItems(lists.names);
    if (wanted.dates) lstDates->addItems(lists.dates);
    if (wanted.schools) lstOppSchool->addItems(lists.schools);
    if (wanted.opponents) {
        QStringList names;
        for (qsizetype i = 0; i < lists.oppFirsts.size(); ++i)
            names << lists.oppFirsts[i] + QLatin1Char(' ') + lists.oppLasts[i];
        lstOppName->addItems(names);
        lstOppFirst->addItems(lists.oppFirsts);
        lstOppLast->addItems(lists.oppLasts);
    }

    lstMatches->clear();
    lstMatchseq->clear();
    const QStringList& matches = lists.matches;
    const QStringList& seqs = lists.matchSeqs;
    if (matches.size() > 5) {
        txtNarrowResults->show();
    } else {
        txtNarrowResults->hide();
        lstMatches->addItems(matches);
        lstMatchseq->addItems(seqs);
    }
}

void frmFindMatch::cmdEdit_Click() {
    if (!txtNarrowResults->isHidden()) return;
    // Nothing listed: there is no match to open.
    if (lstMatches->count() == 0) return;
    const int row = lstMatches->currentRow();
    const bool selected = row >= 0 && lstMatches->item(row)->isSelected();
    if (!selected) {
        if (lstMatches->count() > 1) {
            ui::msgBox(QStringLiteral("Plese select a match in the box"), ui::Buttons::OK);
            return;
        }
        lstMatches->setCurrentRow(0);
    }
    if (!loadMatchToEdit()) return;
    ui::forms().get<frmEditMatch>()->show();
    hide();
}

bool frmFindMatch::loadMatchToEdit() {
    const QString seq = lstMatchseq->item(lstMatches->currentRow())->text();
    if (loadMatchIntoEditor(seq, comSeason->currentText())) return true;
    ui::msgBox(QStringLiteral("This match is no longer in the database."), ui::Buttons::OK,
               QStringLiteral("Edit Match"));
    refreshLists();
    return false;
}

void frmFindMatch::cmdHelp_Click() {
    const QString crlf = QStringLiteral("\r\n");
    showHelp(QStringLiteral("Editing Matches") + crlf + crlf + QStringLiteral("Finding a Match to Edit:") + crlf +
             QStringLiteral("    1. Click on the name of the wrestler and then click the match") + crlf +
             QStringLiteral("    2. to edit  Click 'Edit Match' to bring up edit screen.") + crlf);
}

void frmFindMatch::cmdReturn_Click() {
    ui::forms().get<frmInit>()->show();
    ui::forms().unload<frmFindMatch>();
}
