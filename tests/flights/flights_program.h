#pragma once

#include "flights_window_opener.h"
#include "journal_problem_notice.h"
#include "score_sheet_window.h"
#include "wired_program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace orlo {

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
// button, keeping what each confirmation said.
struct NewNameConfirmer {
    QTimer timer;
    QStringList said;
    QList<Qt::WindowModality> blocked; // what each message blocked: its window alone, or the whole program

    NewNameConfirmer()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->buttons().isEmpty())
                return;
            said << (box->text() + QLatin1Char(' ') + box->informativeText()).trimmed();
            blocked << box->windowModality();
            (box->defaultButton() ? box->defaultButton() : box->buttons().constFirst())->click();
        });
        timer.start();
    }
};

} // namespace orlo
