#include "wired_program.h"

#include "hang_watchdog.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <utility>

using namespace orlo;
using namespace orlo::ctl;

bool WiredProgram::start()
{
    launch();
    return QTest::qWaitForWindowActive(&sheet, hangWatchdogMs)
           && QTest::qWaitFor([this] { return sheet.rules().focus() == Class(0); }, hangWatchdogMs);
}

QWidget *WiredProgram::control(Ctl name) const
{
    return sheet.findChild<QWidget *>(ScoreSheetWindow::objectNameOf(name));
}

QString WiredProgram::text(Ctl field) const
{
    const auto *box = qobject_cast<QLineEdit *>(control(field));
    return box ? box->text() : QStringLiteral("<no such field>");
}
