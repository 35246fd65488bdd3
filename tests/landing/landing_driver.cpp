#include "landing_driver.h"

#include "hang_watchdog.h"
#include "named_control.h"

#include <QListWidget>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// Starts the sheet before anything is made beside it.
HeadlessSheet &started(HeadlessSheet &sheet)
{
    sheet.start();
    return sheet;
}

} // namespace

QString landingPoints(const HeadlessSheet &sheet)
{
    return QString::fromStdString(sheet.text(LandingPts));
}

QString messagesOf(const HeadlessSheet &sheet)
{
    QStringList shown;
    for (const std::string &message : sheet.messages())
        shown << QString::fromStdString(message);
    return shown.join(QStringLiteral(" | "));
}

QRadioButton *gradeOption(const orlo::LandingDialogWindow &dialog, int grade)
{
    return orlo::namedControl<QRadioButton>(dialog, QStringLiteral("Option1_%1").arg(grade));
}

QListWidget *missedLapsList(const orlo::LandingDialogWindow &dialog)
{
    return orlo::namedControl<QListWidget>(dialog, QStringLiteral("List1"));
}

QPushButton *doneButton(const orlo::LandingDialogWindow &dialog)
{
    return orlo::namedControl<QPushButton>(dialog, QStringLiteral("Command1"));
}

int checkedOption(const LandingDialogWindow &dialog)
{
    for (int i = 0; i < 4; ++i) {
        if (gradeOption(dialog, i)->isChecked())
            return i;
    }
    return -1;
}

void clickOption(LandingDialogWindow &dialog, int grade)
{
    QRadioButton *option = gradeOption(dialog, grade);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

void clickMissedLaps(LandingDialogWindow &dialog, int laps)
{
    QListWidget *list = missedLapsList(dialog);
    QListWidgetItem *item = list->item(laps);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

LandingDialogWindow *openDialog(LandingDialogLauncher &launcher)
{
    launcher.open();
    LandingDialogWindow *dialog = launcher.dialog();
    if (dialog && !QTest::qWaitForWindowActive(dialog, hangWatchdogMs))
        return nullptr;
    return dialog;
}

SheetWithLauncher::SheetWithLauncher() : launcher(started(sheet))
{
}

OpenedDialog::OpenedDialog() : dialog(openDialog(launcher))
{
}

DialogBesideSheet::DialogBesideSheet() : dialog(started(sheet))
{
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
}
