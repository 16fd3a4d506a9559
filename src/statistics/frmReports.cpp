#include "statistics/frmReports.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "core/frmInit.h"
#include "match_reports/frmDualRpt.h"
#include "match_reports/frmIndDetail.h"
#include "match_reports/frmIndMatchSummary.h"
#include "platform/ui/ui.h"
#include "statistics/frmIndvSummary.h"
#include "statistics/frmLeaders.h"
#include "statistics/frmNotes.h"
#include "statistics/frmSeasonSummary.h"
#include "statistics/frmSummary.h"
#include "statistics/frmTeamLeaders.h"

namespace {

// Layout in twips: the logo across the top, the title under it, two columns of four buttons and
// Return centred below them.
constexpr int kFormWidth = 9300;
constexpr int kLogoHeight = 3255;
constexpr int kButtonWidth = 4200;
constexpr int kButtonHeight = 600;
constexpr int kLeftColumn = 300;
constexpr int kRightColumn = kFormWidth - 300 - kButtonWidth;
constexpr int kFirstRow = kLogoHeight + 1000;
constexpr int kRowStep = 780;

int rowTop(int row) { return kFirstRow + (row - 1) * kRowStep; }

}  // namespace

frmReports::frmReports() {
    setWindowTitle(QStringLiteral("Reports"));

    imgKestrivane = ui::label(this, QStringLiteral("imgKestrivane"));
    imgKestrivane->setScaledContents(true);
    imgKestrivane->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    ui::place(imgKestrivane, 0, 0, kFormWidth, kLogoHeight);

    lblTitle = ui::label(this, QStringLiteral("lblTitle"), QStringLiteral("Reports"));
    QFont titleFont(QStringLiteral("Bernard MT Condensed"));
    titleFont.setPointSizeF(36);
    lblTitle->setFont(titleFont);
    lblTitle->setAlignment(Qt::AlignCenter);
    ui::place(lblTitle, 0, kLogoHeight + 60, kFormWidth, 900);

    // Created in tab order; the hidden first button leaves the focus to cmdLeaders.
    cmdIndSummaryDetail = ui::button(this, QStringLiteral("cmdIndSummaryDetail"),
                                     QStringLiteral("&Individual Summary"));
    cmdLeaders = ui::button(this, QStringLiteral("cmdLeaders"), QStringLiteral("&Leaders / Losers"));
    cmdSeason = ui::button(this, QStringLiteral("cmdSeason"),
                           QStringLiteral("&Indvidual Season Summary"));
    cmdNotes = ui::button(this, QStringLiteral("cmdNotes"), QStringLiteral("&Wrestler Notes"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdSummary = ui::button(this, QStringLiteral("cmdSummary"), QStringLiteral("&Team Summary"));
    cmdIndSummary = ui::button(this, QStringLiteral("cmdIndSummary"),
                               QStringLiteral("I&ndivdual Match Summary"));
    cmdDual = ui::button(this, QStringLiteral("cmdDual"), QStringLiteral("&Dual Report"));
    cmdMultiLeader = ui::button(this, QStringLiteral("cmdMultiLeader"),
                                QStringLiteral("&Multi Leader Boards"));
    cmdMatchSummary = ui::button(this, QStringLiteral("cmdMatchSummary"),
                                 QStringLiteral("M&atch Summary"));

    QFont buttonFont(QStringLiteral("MS Sans Serif"));
    buttonFont.setPointSizeF(13.5);
    for (QPushButton* b : {cmdIndSummaryDetail, cmdLeaders, cmdSeason, cmdNotes, cmdReturn,
                           cmdSummary, cmdIndSummary, cmdDual, cmdMultiLeader, cmdMatchSummary})
        b->setFont(buttonFont);

    ui::place(cmdLeaders, kLeftColumn, rowTop(1), kButtonWidth, kButtonHeight);
    ui::place(cmdMultiLeader, kRightColumn, rowTop(1), kButtonWidth, kButtonHeight);
    ui::place(cmdSummary, kLeftColumn, rowTop(2), kButtonWidth, kButtonHeight);
    ui::place(cmdMatchSummary, kRightColumn, rowTop(2), kButtonWidth, kButtonHeight);
    ui::place(cmdIndSummary, kLeftColumn, rowTop(3), kButtonWidth, kButtonHeight);
    ui::place(cmdSeason, kRightColumn, rowTop(3), kButtonWidth, kButtonHeight);
    ui::place(cmdDual, kLeftColumn, rowTop(4), kButtonWidth, kButtonHeight);
    ui::place(cmdNotes, kRightColumn, rowTop(4), kButtonWidth, kButtonHeight);
    ui::place(cmdReturn, (kFormWidth - kButtonWidth) / 2, rowTop(5) + 120, kButtonWidth,
              kButtonHeight);
    ui::place(cmdIndSummaryDetail, kRightColumn - 60, rowTop(4) - 60, kButtonWidth + 120,
              kButtonHeight + 120);
    cmdIndSummaryDetail->setVisible(false);

    setFixedSize(ui::twips(kFormWidth), ui::twips(rowTop(5) + 120 + kButtonHeight + 400));

    ui::onClick(cmdLeaders, [this] { cmdLeaders_Click(); });
    ui::onClick(cmdMultiLeader, [this] { cmdMultiLeader_Click(); });
    ui::onClick(cmdSummary, [this] { cmdSummary_Click(); });
    ui::onClick(cmdMatchSummary, [this] { cmdMatchSummary_Click(); });
    ui::onClick(cmdIndSummary, [this] { cmdIndSummary_Click(); });
    ui::onClick(cmdSeason, [this] { cmdSeason_Click(); });
    ui::onClick(cmdDual, [this] { cmdDual_Click(); });
    ui::onClick(cmdNotes, [this] { cmdNotes_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdIndSummaryDetail, [this] { cmdIndSummaryDetail_Click(); });
}

void frmReports::cmdLeaders_Click() {
    ui::forms().get<frmLeaders>()->show();
    ui::forms().unload<frmReports>();
}

void frmReports::cmdMultiLeader_Click() {
    ui::forms().unload<frmReports>();
    ui::forms().get<frmTeamLeaders>()->show();
}

void frmReports::cmdSummary_Click() {
    ui::forms().get<frmSummary>()->show();
    ui::forms().unload<frmReports>();
}

void frmReports::cmdMatchSummary_Click() {
    ui::forms().unload<frmReports>();
    ui::forms().get<frmIndDetail>()->show();
}

void frmReports::cmdIndSummary_Click() {
    ui::forms().get<frmIndMatchSummary>()->show();
    ui::forms().unload<frmReports>();
}

void frmReports::cmdSeason_Click() {
    ui::forms().get<frmSeasonSummary>()->show();
    ui::forms().unload<frmReports>();
}

void frmReports::cmdDual_Click() {
    ui::forms().get<frmDualRpt>()->show();
    ui::forms().unload<frmReports>();
}

void frmReports::cmdNotes_Click() {
    ui::forms().get<frmNotes>()->show();
    ui::forms().unload<frmReports>();
}

void frmReports::cmdReturn_Click() {
    ui::forms().get<frmInit>()->show();
    ui::forms().unload<frmReports>();
}

void frmReports::cmdIndSummaryDetail_Click() {
    ui::forms().get<frmIndvSummary>()->show();
    ui::forms().unload<frmReports>();
}
