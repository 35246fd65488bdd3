#pragma once

#include "contestant_picker.h"
#include "entry_list_window.h"
#include "flight_history_view.h"
#include "flight_table_model.h"
#include "flights_window_opener.h"
#include "journal_problem_notice.h"
#include "named_control.h"
#include "score_sheet_window.h"
#include "wired_program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace orlo {

// The flights window's controls, by the names the official's tools see.
inline QTableView *flightsView(const QWidget &window)
{
    return namedControl<QTableView>(window, QStringLiteral("Flights"));
}
inline FlightTableModel *flightRows(const QWidget &window)
{
    return qobject_cast<FlightTableModel *>(flightsView(window)->model());
}
inline FlightHistoryView *historyView(const QWidget &window)
{
    return namedControl<FlightHistoryView>(window, QStringLiteral("Calculations"));
}
inline QComboBox *classFilter(const QWidget &window)
{
    return namedControl<QComboBox>(window, QStringLiteral("ClassFilter"));
}
inline QComboBox *contestantFilter(const QWidget &window)
{
    return namedControl<QComboBox>(window, QStringLiteral("ContestantFilter"));
}
inline QPushButton *exportButton(const QWidget &window)
{
    return namedControl<QPushButton>(window, QStringLiteral("ExportCsv"));
}
// The flights window's or the entry list's, not a window's it holds.
inline QLabel *statusLine(const QWidget &window)
{
    return namedControl<QLabel>(window, QStringLiteral("Status"), Qt::FindDirectChildrenOnly);
}
inline QTableWidget *entriesTable(const QWidget &entryList)
{
    return namedControl<QTableWidget>(entryList, QStringLiteral("Entries"));
}
inline ContestantPicker *nowFlyingPicker(const QWidget &window)
{
    return namedControl<ContestantPicker>(window, QStringLiteral("NowFlying"));
}
// Null until first opened.
inline EntryListWindow *entryList(const QWidget &window)
{
    return window.findChild<EntryListWindow *>();
}

// The wired program with its flights window, as the flights window's tests drive it.
struct TemporaryFolder {
    QTemporaryDir folder;
};

// The program with its journal in a temporary folder, or at journalPath.
struct Program : TemporaryFolder, WiredProgram {
    journal::FlightJournal &journal = *program.journal();
    JournalRecorder &recorder = *program.recorder();
    FlightsWindowOpener &flights = *program.flights();

    explicit Program(const QString &journalPath = {})
        : WiredProgram(journalPath.isEmpty() ? folder.filePath(QStringLiteral("journal.sqlite")) : journalPath)
    {
    }

    // Everything on the sheet the official could see or type into next.
    QStringList state()
    {
        QStringList seen;
        for (const auto *box : sheet.findChildren<QLineEdit *>())
            seen << QStringLiteral("%1 '%2' selected '%3' at %4")
                        .arg(box->objectName(), box->text(), box->selectedText())
                        .arg(box->cursorPosition());
        for (const auto *option : sheet.findChildren<QAbstractButton *>()) {
            if (qobject_cast<const JournalProblemNotice *>(option->parentWidget()))
                continue; // the notice's own button is no control of the sheet
            seen << QStringLiteral("%1 '%2' %3").arg(option->objectName(), option->text()).arg(option->isChecked());
        }
        for (const auto *list : sheet.findChildren<QListWidget *>()) {
            for (int row = 0; row < list->count(); ++row)
                seen << list->item(row)->text();
            seen << QStringLiteral("current row %1").arg(list->currentRow());
        }
        const QWidget *focused = sheet.focusWidget();
        seen << QStringLiteral("focus on %1").arg(focused ? focused->objectName() : QStringLiteral("nothing"));
        const auto rulesFocus = sheet.rules().focus();
        seen << QStringLiteral("rules' focus on %1")
                    .arg(rulesFocus ? ScoreSheetWindow::objectNameOf(*rulesFocus) : QStringLiteral("nothing"));
        return seen;
    }
};

// Answers the confirmation of a name not on the entry list with its Add
// button, or with Enter as a hurried director would, keeping what each
// confirmation said.
struct NewNameConfirmer {
    QTimer timer;
    QStringList said;
    QStringList titles;
    QList<Qt::WindowModality> blocked; // what each message blocked: its window alone, or the whole program
    bool pressEnter = false;

    NewNameConfirmer()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->buttons().isEmpty())
                return;
            said << (box->text() + QLatin1Char(' ') + box->informativeText()).trimmed();
            titles << box->windowTitle();
            blocked << box->windowModality();
            if (pressEnter) {
                QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
                return;
            }
            QAbstractButton *answer = box->defaultButton() ? box->defaultButton() : box->buttons().constFirst();
            for (QAbstractButton *button : box->buttons())
                answer = box->buttonRole(button) == QMessageBox::AcceptRole ? button : answer;
            answer->click();
        });
        timer.start();
    }
};

} // namespace orlo
