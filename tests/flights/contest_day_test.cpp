#include "contestant_picker.h"
#include "entry_list_window.h"
#include "flight_correction_dialog.h"
#include "flight_history_view.h"
#include "flight_table_model.h"
#include "flights_program.h"
#include "hang_watchdog.h"
#include "sheet_driver.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QComboBox>
#include <QFile>
#include <QTableWidget>
#include <QTest>

using namespace orlo;
using namespace orlo::ctl;

// The contest day in the flights window: the contestant flying next named
// from the sheet, corrections and the entry list.
class ContestDayTest : public QObject {
    Q_OBJECT
private slots:
    void nowFlyingScoredAndListedUnderThatContestant();
    void flightCorrectedAndEntriesEdited();
};

void ContestDayTest::nowFlyingScoredAndListedUnderThatContestant()
{
    Program program;
    {
        journal::ContestJournal contest(program.journal.path());
        contest.add({"Lee Ward", "3", {"Class I"}});
        contest.add({"B. Okafor", "17", {"Class I"}});
    }
    QVERIFY2(program.start(), "the score sheet did not start");
    QVERIFY2(clickOn(program.sheet, HS_Watch(0)), "the first high-speed watch did not take the focus");
    const QStringList before = program.state();

    // Ctrl+N on the sheet: the picker takes the keyboard, "oka" offers
    // B. Okafor first, Enter takes him, and the keyboard is back on the sheet.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(program.flights.window() && QApplication::focusWidget()
                                  == program.flights.window()->nowFlyingPicker(),
                              "Ctrl+N did not open the Now flying picker", hangWatchdogMs);
    FlightsWindow &window = *program.flights.window();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("oka"));
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::activePopupWidget(), "typing offered nobody", hangWatchdogMs);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.isActiveWindow(), "the keyboard did not go back to the sheet", hangWatchdogMs);
    QCOMPARE(window.nowFlyingPicker()->text(), QStringLiteral("B. Okafor 17"));
    QCOMPARE(program.state(), before);

    QVERIFY(type(QStringLiteral("12.3")) && tabOn(program.sheet));
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    QTRY_COMPARE_WITH_TIMEOUT(textOf(program.sheet, Score), QStringLiteral("146.3"), hangWatchdogMs);
    QTRY_COMPARE_WITH_TIMEOUT(window.flights()->rowCount(), 1, hangWatchdogMs);
    const QStringList listed{window.flights()->index(0, FlightTableModel::Contestant).data().toString(),
                             window.flights()->index(0, FlightTableModel::Number).data().toString(),
                             window.flights()->index(0, FlightTableModel::Status).data().toString()};
    QCOMPARE(listed, (QStringList{"B. Okafor", "17", "Official"}));

    // The contestant filter finds his flight; the flights of nobody named are none.
    QComboBox *contestants = window.contestantFilter();
    contestants->setCurrentIndex(contestants->findText(QStringLiteral("B. Okafor 17")));
    QCOMPARE(window.flights()->rowCount(), 1);
    contestants->setCurrentIndex(contestants->findText(QStringLiteral("Lee Ward 3")));
    QCOMPARE(window.flights()->rowCount(), 0);
    contestants->setCurrentIndex(contestants->findText(QStringLiteral("No contestant named")));
    QCOMPARE(window.flights()->rowCount(), 0);

    // Naming the next contestant ends B. Okafor's flight: the same press
    // again is Lee Ward's first flight, not a second calculation of his.
    program.flights.pickNowFlying();
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() == window.nowFlyingPicker(),
                              "the Now flying picker did not take the keyboard", hangWatchdogMs);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    // Escape puts the offers away and keeps the typing; the number names him.
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::activePopupWidget(), "typing offered nobody", hangWatchdogMs);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY2_WITH_TIMEOUT(!QApplication::activePopupWidget(), "Escape left the offers open", hangWatchdogMs);
    QVERIFY2(window.isVisible(), "Escape on the offers closed the window");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.isActiveWindow(), "the keyboard did not go back to the sheet", hangWatchdogMs);
    QCOMPARE(window.nowFlyingPicker()->text(), QStringLiteral("Lee Ward 3"));
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    contestants->setCurrentIndex(0);
    QTRY_COMPARE_WITH_TIMEOUT(program.journal.flightCount(), 2, hangWatchdogMs);
    QCOMPARE(QString::fromStdString(program.journal.flights().front().contestant), QStringLiteral("Lee Ward"));
}

void ContestDayTest::flightCorrectedAndEntriesEdited()
{
    Program program;
    {
        journal::ContestJournal contest(program.journal.path());
        contest.add({"Hal Ivers", "12", {}});
        contest.add({"Ken Lo", "17", {}});
    }
    CalculationRecord calculation;
    calculation.classCaption = "Class I";
    calculation.score = "310.5";
    program.flights.calculated(calculation);
    QVERIFY(program.journal.setContestant(program.journal.flights().front().id, "hal ivers"));
    program.flights.open();
    FlightsWindow &window = *program.flights.window();
    QVERIFY2(QTest::qWaitForWindowActive(&window, hangWatchdogMs), "the flights window did not open");

    // Ctrl+R corrects the chosen flight: moved to number 17 and void, with the reason.
    QTest::keyClick(window.flightsView(), Qt::Key_R, Qt::ControlModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(window.findChild<FlightCorrectionDialog *>(), "Ctrl+R opened no correction", hangWatchdogMs);
    auto *correction = window.findChild<FlightCorrectionDialog *>();
    QCOMPARE(correction->contestant()->text(), QStringLiteral("Hal Ivers 12"));
    correction->contestant()->setText(QStringLiteral("17"));
    correction->status()->setCurrentIndex(correction->status()->findText(QStringLiteral("Void")));
    correction->reason()->setText(QStringLiteral("scored twice"));
    correction->accept();
    QTRY_COMPARE_WITH_TIMEOUT(window.flights()->index(0, FlightTableModel::Status).data().toString(),
                              QStringLiteral("Void: scored twice"), hangWatchdogMs);
    QCOMPARE(window.flights()->index(0, FlightTableModel::Contestant).data().toString(), QStringLiteral("Ken Lo"));
    // The history keeps the calculation and every change, in the order made.
    window.flightsView()->setCurrentIndex(window.flights()->index(0, FlightTableModel::Time));
    QStringList history;
    for (int row = 0; row < window.historyView()->rowCount(); ++row)
        history << window.historyView()->item(row, 1)->text();
    QCOMPARE(history.mid(1), (QStringList{"Contestant none → Hal Ivers", "Contestant Hal Ivers → Ken Lo (scored twice)",
                                          "Status official → void (scored twice)"}));

    // The entry list: a name typed in the last row adds it; an entry with
    // flights stays, the director told to merge it; a registration file
    // with a bad row imports nothing.
    window.openEntryList();
    EntryListWindow &entries = *window.entryList();
    QTableWidget &table = *entries.table();
    table.item(table.rowCount() - 1, EntryListWindow::Name)->setText(QStringLiteral("Ann Cho"));
    QTRY_COMPARE_WITH_TIMEOUT(table.rowCount(), 4, hangWatchdogMs);
    table.setCurrentCell(2, EntryListWindow::Name); // by name: Ann Cho, Hal Ivers, Ken Lo
    entries.removeChosen();
    QVERIFY2(entries.statusLine()->text().contains(QLatin1String("merge")), qPrintable(entries.statusLine()->text()));
    QCOMPARE(table.rowCount(), 4);
    const QString registration = program.folder.filePath(QStringLiteral("registration.csv"));
    QFile file(registration);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("Name;Number\nLee Ward;3\n;4\n");
    file.close();
    const NewNameConfirmer told;
    entries.importFrom(registration);
    // The file is read and written off the window's thread, which goes on meanwhile.
    QVERIFY2(told.said.isEmpty() && entries.statusLine()->text().startsWith(QLatin1String("Importing")),
             qPrintable(entries.statusLine()->text()));
    QTRY_COMPARE_WITH_TIMEOUT(told.said.size(), 1, hangWatchdogMs);
    QVERIFY2(told.said[0].contains(QLatin1String("line 3")), qPrintable(told.said[0]));
    QCOMPARE(table.rowCount(), 4);
}

QTEST_MAIN(ContestDayTest)
#include "contest_day_test.moc"
