#include "statistics/frmIndvSummary.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "core/helpers.h"
#include "platform/fonts/StandInFonts.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"

namespace {

const QString kCRLF = QStringLiteral("\r\n");
const QString kAll = QStringLiteral("All");

constexpr int kSummaryColumns = 13;
// Summary rows that can hold a key: 1 up to, not including, this one.
constexpr int kSummaryKeyRowsEnd = 500;

// Win-type codes in the order of the summary's columns (wins 1-6, losses 7-12).
const char* const kWinTypeCodes[6] = {"DEC", "MD", "FALL", "TF", "FORFEIT", "OT"};

QGroupBox* framed(QWidget* parent, const QString& name, const QString& caption, QWidget*& inner,
                  const std::function<QWidget*(QGroupBox*)>& make) {
    QGroupBox* frame = ui::frame(parent, name, caption);
    inner = make(frame);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(inner);
    return frame;
}

// Clears a combo box's list, adds the non-empty names, puts "All" first and shows it.
void fillWithAll(QComboBox* box, const std::vector<QString>& names) {
    box->clear();
    for (const QString& name : names)
        if (!name.isEmpty()) box->addItem(name);
    box->insertItem(0, kAll);
    box->setEditText(kAll);
}

}  // namespace

frmIndvSummary::frmIndvSummary() {
    setWindowTitle(QStringLiteral("Individual Summary"));
    const QFont controlFont = sansSerifFont(12);

    auto combo = [&](const QString& name) {
        return [name, &controlFont](QGroupBox* frame) -> QWidget* {
            QComboBox* box = ui::comboBox(frame, name, true);
            box->setFont(controlFont);
            return box;
        };
    };
    auto dateBox = [&](const QString& name, const QString& text) {
        return [name, text, &controlFont](QGroupBox* frame) -> QWidget* {
            QLineEdit* box = ui::textBox(frame, name, text);
            box->setFont(controlFont);
            return box;
        };
    };
    QWidget* inner = nullptr;
    Frame1 = framed(this, QStringLiteral("Frame1"), QStringLiteral("Wrestler Name"), inner,
                    combo(QStringLiteral("comName")));
    comName = static_cast<QComboBox*>(inner);
    Frame2 = framed(this, QStringLiteral("Frame2"), QStringLiteral("Opponent School"), inner,
                    combo(QStringLiteral("comSchool")));
    comSchool = static_cast<QComboBox*>(inner);
    Frame3 = framed(this, QStringLiteral("Frame3"), QStringLiteral("Start Date"), inner,
                    dateBox(QStringLiteral("txtStartDate"), QStringLiteral("01-02-00")));
    txtStartDate = static_cast<QLineEdit*>(inner);
    Frame4 = framed(this, QStringLiteral("Frame4"), QStringLiteral("End Date"), inner,
                    dateBox(QStringLiteral("txtEndDate"), QStringLiteral("12-31-99")));
    txtEndDate = static_cast<QLineEdit*>(inner);
    Frame5 = framed(this, QStringLiteral("Frame5"), QStringLiteral("Win/Loss"), inner,
                    combo(QStringLiteral("comWinLoss")));
    comWinLoss = static_cast<QComboBox*>(inner);
    Frame6 = framed(this, QStringLiteral("Frame6"), QStringLiteral("Sort"), inner,
                    combo(QStringLiteral("comSort")));
    comSort = static_cast<QComboBox*>(inner);
    Frame7 = framed(this, QStringLiteral("Frame7"), QStringLiteral("Report Type"), inner,
                    combo(QStringLiteral("comType")));
    comType = static_cast<QComboBox*>(inner);
    Frame8 = framed(this, QStringLiteral("Frame8"), QStringLiteral("Varsity/Sub"), inner,
                    combo(QStringLiteral("comLevel")));
    comLevel = static_cast<QComboBox*>(inner);

    comName->setEditText(kAll);
    comSchool->setEditText(QStringLiteral("Build School"));
    comWinLoss->addItems({kAll, QStringLiteral("Win"), QStringLiteral("Loss")});
    comWinLoss->setEditText(kAll);
    comSort->setEditText(QStringLiteral("Sort Order"));
    comType->addItems({kAll, QStringLiteral("Takedown"), QStringLiteral("Reversal"),
                       QStringLiteral("Escape"), QStringLiteral("Near Fall 2"),
                       QStringLiteral("Near Fall 3"), QStringLiteral("Penalty"), QStringLiteral("Win")});
    comType->setEditText(QString());
    comLevel->addItems({kAll, QStringLiteral("Varsity"), QStringLiteral("JV"), QStringLiteral("Frosh")});
    comLevel->setEditText(kAll);

    CmdRun = ui::button(this, QStringLiteral("CmdRun"), QStringLiteral("&Run"));
    cmdCancel = ui::button(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"));
    CmdRun->setFont(controlFont);
    cmdCancel->setFont(controlFont);
    Text1 = ui::textBox(this, QStringLiteral("Text1"), QStringLiteral("OppName"));
    Label1 = ui::label(this, QStringLiteral("Label1"), QStringLiteral("SCREEN/PRINTER/FILE"));
    Label1->setFont(sansSerifFont(18));
    txtResult = ui::textBox(this, QStringLiteral("txtResult"),
                            QStringLiteral("Grid with Results  Microsoft FlexGrid"));

    auto* choices = new QGridLayout;
    choices->addWidget(Frame1, 0, 0);
    choices->addWidget(Frame2, 0, 1);
    choices->addWidget(Frame3, 1, 0);
    choices->addWidget(Frame4, 1, 1);
    choices->addWidget(Frame5, 2, 0);
    choices->addWidget(Frame6, 2, 1);
    choices->addWidget(Frame7, 3, 0);
    choices->addWidget(Frame8, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Text1);
    buttons->addStretch();
    buttons->addWidget(CmdRun);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(choices);
    layout->addWidget(txtResult);
    layout->addLayout(buttons);
    resize(620, 460);

    QWidget* tabOrder[] = {comName, comSchool, txtStartDate, txtEndDate, comSort, comType,
                           comLevel, comWinLoss, CmdRun, cmdCancel, txtResult, Text1};
    for (size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    comName->setFocus();

    ui::onClick(CmdRun, [this] { CmdRun_Click(); });
    ui::onClick(cmdCancel, [this] { cmdCancel_Click(); });
}

void frmIndvSummary::Form_Load() {
    // Nothing supplies the names or the schools any more: both lists offer "All" only.
    const std::vector<QString> wrestlerNames(kIndvTableRows);
    const std::vector<QString> schoolNames(kIndvTableRows);
    fillWithAll(comName, wrestlerNames);
    fillWithAll(comSchool, schoolNames);
}

void frmIndvSummary::CmdRun_Click() {
    QString startText = txtStartDate->text();
    QString endText = txtEndDate->text();
    short startBad = 0;
    short endBad = 0;
    short unused = 0;
    chkdates(startText, startBad, unused);
    chkdates(endText, endBad, unused);
    if (startBad != 0 || endBad != 0) return;

    // The end date's two year digits always mean 20YY.
    const std::optional<QDate> startDate = dateFromFixedPositions(startText);
    const std::optional<QDate> endDate = dateFromFixedPositions(endText, true);
    if (!startDate || !endDate) {
        ui::msgBox(QStringLiteral("Dates must be in the MM-DD-YY format"), ui::Buttons::OK,
                   QStringLiteral("Error"));
        return;
    }

    const std::vector<QString> names(kIndvTableRows);
    TextTable matchRows = makeTextTable();
    TextTable results = makeTextTable();
    TextTable summary = makeTextTable(kSummaryColumns);
    for (const QString& name : names) {
        if (name.isEmpty()) break;
        removedLoader(matchRows, name);
        computeIndvSummaryStats(results, matchRows, comLevel->currentText(), *startDate, *endDate);
        getResultMode(results, comWinLoss->currentText(), summary);
        results = makeTextTable();
        matchRows = makeTextTable();
    }
    writeResult(summary);
}

void frmIndvSummary::cmdCancel_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmIndvSummary>();
}

void frmIndvSummary::getResultMode(const TextTable& results, const QString& winLoss,
                                   TextTable& summary) {
    if (winLoss == QLatin1String("Win") && comName->currentText() != kAll) {
        winTypeCaption(summary, QStringLiteral("Indv"));
        tallyWinTypes(results, summary);
    }
}

void frmIndvSummary::winTypeCaption(TextTable& summary, const QString& mode) {
    if (mode != QLatin1String("Indv")) return;
    const char* const captions[6] = {"Decision", "M. Decision", "Fall", "Tech Fall", "Forfiet", "Other"};
    for (int k = 0; k < 6; ++k) summary[0][k + 1] = QString::fromLatin1(captions[k]);
}

void frmIndvSummary::tallyWinTypes(const TextTable& results, TextTable& summary) {
    for (const std::vector<QString>& result : results) {
        const QString& key = result[0];
        // The key's row, or the first free one claimed for it; none left means the key is
        // not counted.
        int keyRow = -1;
        for (int r = 1; r < kSummaryKeyRowsEnd && r < static_cast<int>(summary.size()); ++r) {
            if (summary[r][0] == key) {
                keyRow = r;
                break;
            }
            if (summary[r][0].isEmpty()) {
                summary[r][0] = key;
                keyRow = r;
                break;
            }
        }
        if (keyRow < 0) continue;

        const int offset = result[6] == QLatin1String("W") ? 0 : 6;
        for (int k = 0; k < 6; ++k) {
            if (result[7] != QLatin1String(kWinTypeCodes[k])) continue;
            QString& cell = summary[keyRow][offset + k + 1];
            cell = signedNumberText(static_cast<long long>(leadingNumber(cell)) + 1);
        }
    }
}

void frmIndvSummary::writeResult(const TextTable& summary) {
    if (comName->currentText() == kAll || summary[1][0].isEmpty()) return;
    // The key, then the wins and the losses by win type, one line each.
    QString text = summary[1][0] + kCRLF;
    for (int k = 1; k <= 12; ++k) {
        if (k == 1) text += QStringLiteral("Wins") + kCRLF;
        if (k == 7) text += QStringLiteral("Losses") + kCRLF;
        const QString& caption = summary[0][k <= 6 ? k : k - 6];
        const QString& count = summary[1][k];
        text += caption + QStringLiteral(":") + (count.isEmpty() ? QStringLiteral(" 0") : count) + kCRLF;
    }
    txtResult->setText(text);
}
