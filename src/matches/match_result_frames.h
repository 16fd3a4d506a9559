#pragma once

#include <QGroupBox>
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
