// The shared help window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include "core/frmHelp.h"
#include "platform/ui/ui.h"
#include "support/user_input.h"

namespace {

class frmCaller : public ui::Form {};

class HelpWindowTest : public ::testing::Test {
protected:
    void TearDown() override { ui::forms().unloadAll(); }
};

TEST_F(HelpWindowTest, SecondCallerReplacesTheTextInTheSameWindow) {
    frmCaller* caller = ui::forms().get<frmCaller>();
    caller->show();
    showHelp("Editing the Weights\r\n\r\nAdding a Weight:\r\n    Enter weight in box and click 'Add New'");
    frmHelp* help = ui::forms().get<frmHelp>();
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(caller->isVisible()) << "the caller stays";
    EXPECT_EQ(help->windowTitle(), "Help");
    EXPECT_EQ(help->txtHelp->document()->blockCount(), 4) << "CR LF is one line break";

    showHelp("Entering Match Score\r\n\r\nRecording the Score:");
    EXPECT_EQ(ui::forms().get<frmHelp>(), help);
    EXPECT_EQ(help->txtHelp->toPlainText(), "Entering Match Score\n\nRecording the Score:");

    // It outlives the form that opened it.
    ui::forms().unload<frmCaller>();
    EXPECT_TRUE(ui::forms().isLoaded<frmHelp>());
    EXPECT_TRUE(help->isVisible());
}

TEST_F(HelpWindowTest, CloseBoxIsRefusedAndCloseUnloads) {
    showHelp("Help text");
    frmHelp* help = ui::forms().get<frmHelp>();
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Click 'Return' to close window");
        EXPECT_FALSE(help->close());
        EXPECT_EQ(msgs.last().text, "Click 'Return' to close window");
        EXPECT_EQ(msgs.last().title, "Exit");
        EXPECT_TRUE(msgs.unexpected().empty());
    }
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->txtHelp->toPlainText(), "Help text");

    EXPECT_EQ(help->cmdClose->text(), "&Close");
    help->cmdClose->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmHelp>());
}

TEST_F(HelpWindowTest, UserCanNeitherEditNorSelectTheText) {
    showHelp("Help text");
    frmHelp* help = ui::forms().get<frmHelp>();
    activate(help);
    QTest::mouseDClick(help->txtHelp->viewport(), Qt::LeftButton);
    QTest::keyClicks(help->txtHelp, "xyz");
    EXPECT_EQ(help->txtHelp->toPlainText(), "Help text");
    EXPECT_FALSE(help->txtHelp->textCursor().hasSelection());
    EXPECT_TRUE(help->txtHelp->font().bold());
    EXPECT_EQ(help->txtHelp->font().pointSize(), 12);
    EXPECT_EQ(help->txtHelp->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

}  // namespace
