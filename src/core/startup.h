#pragma once

#include <QSize>
#include <QString>
#include <functional>

// Runs on every load of the main menu: finds the database (configuration file or first-run
// prompt), repairs it once per run, loads the settings row, upgrades a version-7 database and
// sets the current season. Every step that fails is passed over.
void startUp();

// Why the database named by the configuration file could not be opened or read at the last
// start-up; "" when it could (or when there is no configuration file).
QString databaseOpenFailure();
// Whether that was because another program (another copy of this one) held the file.
bool databaseHeld();

// No configuration file: offers to create a new database (frmDirLoc) or to find one (frmFileLoc),
// or ends the program.
void firstRunPrompt();

// Puts the blank template "Blank_MatchInfo.md_", from which new database files are made, into
// the data folder `folder` (ending in "/") when it has none, copied from the installation.
// Returns "" when the folder has one, else why it could not be put there; a caller may pass
// over the failure, the folder then simply has no template.
QString provideBlankTemplate(const QString& folder);

// The program runs only on a screen of at least 1024 x 768 pixels.
bool screenIsLargeEnough(const QSize& size);
// When `size` is too small: tells the user and ends the program. Returns whether it may go on.
bool screenCheck(const QSize& size);

// Ends the program: leaves the event loop, so that main returns. Nothing is asked or saved.
void endProgram();
// True once endProgram ran; code that may end the program looks at it to stop there.
bool programEnded();
// Replaces what endProgram does besides marking the end (tests record it instead of leaving the
// event loop); an empty handler restores the default. Also clears the mark.
void setEndProgramHandler(std::function<void()> handler);
