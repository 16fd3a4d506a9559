#include "core/frmWait.h"

#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>

#include "platform/ui/ui.h"

frmWait::frmWait() {
    // No caption and no close box. It never takes the activation nor the focus: they stay with
    // the form that waits, which the window system would otherwise have to hand back after this
    // window is gone, and a handover still under way would reach the destroyed window.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    lblOne = ui::label(this, QStringLiteral("lblOne"), QStringLiteral("P l e a s e   W a i t . . ."));
    lblOne->setAlignment(Qt::AlignCenter);
    lblOne->setFrameStyle(QFrame::Box | QFrame::Raised);
    QFont font = lblOne->font();
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    lblOne->setFont(font);

    ui::place(lblOne, 0, 0, 4800, 1200);
    setFixedSize(ui::twips(4800), ui::twips(1200));
}

void frmWait::showNow() {
    show();
    repaint();
    // Let the window system put the window on the screen before the caller blocks.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmWait::showProgress(int percent) {
    lblOne->setText(QStringLiteral("P l e a s e   W a i t . . .\n%1% done").arg(percent));
    // Once on the screen the window is only drawn anew: the caller's work may be in the middle of
    // a write, where nothing else of the program may run.
    if (isVisible()) repaint();
    else showNow();
}

WaitWindowShown::WaitWindowShown() { ui::forms().get<frmWait>()->showNow(); }

WaitWindowShown::~WaitWindowShown() { ui::forms().unload<frmWait>(); }
