#include "core/frmHelp.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/ui.h"

frmHelp::frmHelp() {
    setWindowTitle(QStringLiteral("Help"));
    resize(640, 520);

    txtHelp = ui::multiLineBox(this, QStringLiteral("txtHelp"));
    // Read only: the user can neither edit nor select, but can still scroll.
    txtHelp->setReadOnly(true);
    txtHelp->setTextInteractionFlags(Qt::NoTextInteraction);
    txtHelp->setFocusPolicy(Qt::NoFocus);
    txtHelp->setContextMenuPolicy(Qt::NoContextMenu);
    QFont font(QStringLiteral("Sans Serif"), 12, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    txtHelp->setFont(font);

    cmdClose = ui::button(this, QStringLiteral("cmdClose"), QStringLiteral("&Close"));
    ui::onClick(cmdClose, [this] { cmdClose_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtHelp);
    layout->addLayout(buttons);
}

void frmHelp::cmdClose_Click() { ui::forms().unload<frmHelp>(); }

void showHelp(const QString& text) {
    frmHelp* help = ui::forms().get<frmHelp>();
    help->txtHelp->setPlainText(text);
    help->show();
}
