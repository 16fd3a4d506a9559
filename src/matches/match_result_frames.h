#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "platform/ui/ui.h"

// The result frames the match entry form and the match editor share, at the same places on
// both: level, win/loss, win type, score and team points. The form owns the controls as its
// own members (fraLevel, optLevel, fraWinLoss, optWin, optLoss, fraType, optType, fraScore,
// txtScore, fraTeamPoints, txtTeamPoints).
template <class MatchForm>
void buildResultFrames(MatchForm* form, int teamPointsWidth) {
    form->fraLevel = ui::frame(form, QStringLiteral("fraLevel"), QStringLiteral("Level"));
    ui::place(form->fraLevel, 3700, 120, 1500, 1200);
    const QString levels[3] = {QStringLiteral("Varsity"), QStringLiteral("JV"), QStringLiteral("Frosh")};
    for (int i = 0; i < 3; ++i) {
        form->optLevel[i] =
            ui::optionButton(form->fraLevel, ui::arrayName(QStringLiteral("optLevel"), i), levels[i]);
        ui::place(form->optLevel[i], 120, 260 + i * 300, 1260, 280);
    }
    form->fraWinLoss = ui::frame(form, QStringLiteral("fraWinLoss"), QStringLiteral("Win/Loss"));
    ui::place(form->fraWinLoss, 5300, 120, 1500, 1200);
    form->optWin = ui::optionButton(form->fraWinLoss, QStringLiteral("optWin"), QStringLiteral("Win"));
    ui::place(form->optWin, 120, 260, 1260, 280);
    form->optLoss = ui::optionButton(form->fraWinLoss, QStringLiteral("optLoss"), QStringLiteral("Loss"));
    ui::place(form->optLoss, 120, 560, 1260, 280);
    form->fraType = ui::frame(form, QStringLiteral("fraType"), QStringLiteral("Win/Loss Type"));
    ui::place(form->fraType, 3700, 1400, 3100, 1300);
    const QString types[6] = {QStringLiteral("Dec"), QStringLiteral("MD"),      QStringLiteral("Fall"),
                              QStringLiteral("TF"),  QStringLiteral("Forfeit"), QStringLiteral("Other")};
    for (int i = 0; i < 6; ++i) {
        form->optType[i] =
            ui::optionButton(form->fraType, ui::arrayName(QStringLiteral("optType"), i), types[i]);
        ui::place(form->optType[i], 120 + (i / 3) * 1500, 260 + (i % 3) * 300, 1400, 280);
    }
    form->fraScore = ui::frame(form, QStringLiteral("fraScore"), QStringLiteral("Score/ Fall Time"));
    ui::place(form->fraScore, 3700, 2800, 1500, 700);
    form->txtScore = ui::textBox(form->fraScore, QStringLiteral("txtScore"));
    ui::place(form->txtScore, 120, 280, 1260, 330);
    form->fraTeamPoints =
        ui::frame(form, QStringLiteral("fraTeamPoints"), QStringLiteral("Team Points Earned"));
    ui::place(form->fraTeamPoints, 5300, 2800, teamPointsWidth, 700);
    form->txtTeamPoints = ui::textBox(form->fraTeamPoints, QStringLiteral("txtTeamPoints"));
    ui::place(form->txtTeamPoints, 120, 280, 1260, 330);
}

// Where the entry frames of the two forms differ.
struct EntryFramesLayout {
    QString dateCaption;  // "Date (mm/dd/yy)" on the entry form, "Date" in the editor
    bool nameEditable;    // the editor's name box takes typing; the entry form's only picks
    int actWeightWidth;   // the "Actual Weight" frame; its box is 240 narrower
    int opponentTop;      // the "Opponent Name" frame; "Opponent School" stands 800 below it
};

// The entry frames the two forms share, down the left side: date with the weekday label under
// it, season (a disabled box), home wrestler's name, actual weight, opponent's first and last
// name and school. The form owns the controls as its own members (fraDate, txtDate,
// lblDayofWeek, fraSeason, txtSeason, fraName, comHomeName, fraActWeight, txtWt, fraOppName,
// txtOppFName, txtOppLName, fraOppSchool, txtOppSchool). The "Weight Wrestled" frame beside the
// actual weight differs (a list on the entry form, a box in the editor) and is the form's own.
template <class MatchForm>
void buildEntryFrames(MatchForm* form, const EntryFramesLayout& layout) {
    form->fraDate = ui::frame(form, QStringLiteral("fraDate"), layout.dateCaption);
    ui::place(form->fraDate, 120, 120, 1800, 700);
    form->txtDate = ui::textBox(form->fraDate, QStringLiteral("txtDate"));
    ui::place(form->txtDate, 120, 280, 1560, 330);
    form->lblDayofWeek = ui::label(form, QStringLiteral("lblDayofWeek"));
    ui::place(form->lblDayofWeek, 120, 860, 1800, 280);
    form->lblDayofWeek->hide();
    form->fraSeason = ui::frame(form, QStringLiteral("fraSeason"), QStringLiteral("Season"));
    ui::place(form->fraSeason, 2040, 120, 1500, 700);
    form->txtSeason = ui::textBox(form->fraSeason, QStringLiteral("txtSeason"));
    ui::place(form->txtSeason, 120, 280, 1260, 330);
    form->txtSeason->setEnabled(false);

    form->fraName = ui::frame(form, QStringLiteral("fraName"), QStringLiteral("Name"));
    ui::place(form->fraName, 120, 1200, 3420, 700);
    form->comHomeName = ui::comboBox(form->fraName, QStringLiteral("comHomeName"), layout.nameEditable);
    // The editor checks a typed name when the bout is saved.
    if (layout.nameEditable) ui::keepTypedText(form->comHomeName);
    ui::place(form->comHomeName, 120, 280, 3180, 330);
    form->fraActWeight = ui::frame(form, QStringLiteral("fraActWeight"), QStringLiteral("Actual Weight"));
    ui::place(form->fraActWeight, 120, 2000, layout.actWeightWidth, 700);
    form->txtWt = ui::textBox(form->fraActWeight, QStringLiteral("txtWt"));
    ui::place(form->txtWt, 120, 280, layout.actWeightWidth - 240, 330);

    form->fraOppName = ui::frame(form, QStringLiteral("fraOppName"), QStringLiteral("Opponent Name"));
    ui::place(form->fraOppName, 120, layout.opponentTop, 3420, 700);
    form->txtOppFName = ui::textBox(form->fraOppName, QStringLiteral("txtOppFName"));
    ui::place(form->txtOppFName, 120, 280, 1500, 330);
    form->txtOppLName = ui::textBox(form->fraOppName, QStringLiteral("txtOppLName"));
    ui::place(form->txtOppLName, 1740, 280, 1560, 330);
    form->fraOppSchool = ui::frame(form, QStringLiteral("fraOppSchool"), QStringLiteral("Opponent School"));
    ui::place(form->fraOppSchool, 120, layout.opponentTop + 800, 3420, 700);
    form->txtOppSchool = ui::textBox(form->fraOppSchool, QStringLiteral("txtOppSchool"));
    ui::place(form->txtOppSchool, 120, 280, 3180, 330);
}
