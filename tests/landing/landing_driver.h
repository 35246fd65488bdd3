#pragma once

#include "headless_sheet.h"
#include "landing_dialog_launcher.h"
#include "landing_dialog_window.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

// Works the landing dialog beside the headless sheet as the operator does, and
// reads back what the two show; shared by the dialog's tests.

QString landingPoints(const HeadlessSheet &sheet);

QString messagesOf(const HeadlessSheet &sheet);

int checkedOption(const orlo::LandingDialogWindow &dialog);

// The dialog's grade (0 to 3, the 100-point arrest first), its list of
// missed laps and its "Done" button, by their names.
QRadioButton *gradeOption(const orlo::LandingDialogWindow &dialog, int grade);
QListWidget *missedLapsList(const orlo::LandingDialogWindow &dialog);
QPushButton *doneButton(const orlo::LandingDialogWindow &dialog);

void clickOption(orlo::LandingDialogWindow &dialog, int grade);

void clickMissedLaps(orlo::LandingDialogWindow &dialog, int laps);

// The sheet opened the dialog; wait until it is on screen with its focus.
orlo::LandingDialogWindow *openDialog(orlo::LandingDialogLauncher &launcher);

// A headless sheet, started, and the dialog's launcher beside it; the test
// opens the dialog where the sheet would ask for it.
struct SheetWithLauncher {
    SheetWithLauncher();

    HeadlessSheet sheet;
    orlo::LandingDialogLauncher launcher;
};

// ... with the dialog opened and waited for; null when it did not come, which
// each test checks for itself.
struct OpenedDialog : SheetWithLauncher {
    OpenedDialog();

    orlo::LandingDialogWindow *dialog;
};

// The dialog itself beside a started sheet, kept on the stack when closed.
struct DialogBesideSheet {
    DialogBesideSheet();

    HeadlessSheet sheet;
    orlo::LandingDialogWindow dialog;
};
