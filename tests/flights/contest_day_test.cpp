#include "contest_settings_dialog.h"
#include "flight_order_window.h"
#include "order_draw.h"
#include "contestant_picker.h"
#include "entry_list_window.h"
#include "flight_correction_dialog.h"
#include "flight_history_view.h"
#include "flight_table_model.h"
#include "flights_program.h"
#include "hang_watchdog.h"
#include "import_preview.h"
#include "sheet_driver.h"
#include "standings_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QScreen>
#include <QTest>

#include <unistd.h>

using namespace orlo;
using namespace orlo::ctl;

// The contest day in the flights window: the contestant flying next named
// from the sheet, corrections and the entry list, on a journal one may write
// and on one one may only read.
class ContestDayTest : public QObject {
    Q_OBJECT
private slots:
    void nowFlyingScoredAndListedUnderThatContestant();
    void flightCorrectedAndEntriesEdited();
    void readOnlyJournalReadWhole();
    void entryListReadAgainAfterAFailedRead();
    void entriesJoinTheContestListed();
    void entryListFollowsAChangeOnceTheEditEnds();
    void whoFliesNextCalledOnTheSheet();
    void flightOrderDrawnMovedAndWithdrawn();
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
                                  == nowFlyingPicker(*program.flights.window()),
                              "Ctrl+N did not open the Now flying picker", hangWatchdogMs);
    FlightsWindow &window = *program.flights.window();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("oka"));
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::activePopupWidget(), "typing offered nobody", hangWatchdogMs);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.isActiveWindow(), "the keyboard did not go back to the sheet", hangWatchdogMs);
    QCOMPARE(nowFlyingPicker(window)->text(), QStringLiteral("B. Okafor 17"));
    QCOMPARE(program.state(), before);

    QVERIFY(type(QStringLiteral("12.3")) && tabOn(program.sheet));
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    QTRY_COMPARE_WITH_TIMEOUT(textOf(program.sheet, Score), QStringLiteral("146.3"), hangWatchdogMs);
    QTRY_COMPARE_WITH_TIMEOUT(flightRows(window)->rowCount(), 1, hangWatchdogMs);
    const QStringList listed{flightRows(window)->index(0, FlightTableModel::Contestant).data().toString(),
                             flightRows(window)->index(0, FlightTableModel::Number).data().toString(),
                             flightRows(window)->index(0, FlightTableModel::Status).data().toString()};
    QCOMPARE(listed, (QStringList{"B. Okafor", "17", "Official"}));

    // The contestant filter finds his flight; the flights of nobody named are none.
    QComboBox *contestants = contestantFilter(window);
    contestants->setCurrentIndex(contestants->findText(QStringLiteral("B. Okafor 17")));
    QCOMPARE(flightRows(window)->rowCount(), 1);
    contestants->setCurrentIndex(contestants->findText(QStringLiteral("Lee Ward 3")));
    QCOMPARE(flightRows(window)->rowCount(), 0);
    contestants->setCurrentIndex(contestants->findText(QStringLiteral("No contestant named")));
    QCOMPARE(flightRows(window)->rowCount(), 0);

    // Naming the next contestant ends B. Okafor's flight: the same press
    // again is Lee Ward's first flight, not a second calculation of his.
    program.flights.pickNowFlying();
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() == nowFlyingPicker(window),
                              "the Now flying picker did not take the keyboard", hangWatchdogMs);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    // Escape puts the offers away and keeps the typing; the number names him.
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::activePopupWidget(), "typing offered nobody", hangWatchdogMs);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY2_WITH_TIMEOUT(!QApplication::activePopupWidget(), "Escape left the offers open", hangWatchdogMs);
    QVERIFY2(window.isVisible(), "Escape on the offers closed the window");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.isActiveWindow(), "the keyboard did not go back to the sheet", hangWatchdogMs);
    QCOMPARE(nowFlyingPicker(window)->text(), QStringLiteral("Lee Ward 3"));
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    contestants->setCurrentIndex(0);
    QTRY_COMPARE_WITH_TIMEOUT(journal::JournalReader(program.journal.path()).flightCount(), 2, hangWatchdogMs);
    QCOMPARE(QString::fromStdString(journal::JournalReader(program.journal.path()).flights().front().contestant),
             QStringLiteral("Lee Ward"));
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
    program.recorder.calculated(calculation);
    QVERIFY(program.journal.setContestant(journal::JournalReader(program.journal.path()).flights().front().id,
                                         "hal ivers"));
    program.flights.open();
    FlightsWindow &window = *program.flights.window();
    QVERIFY2(QTest::qWaitForWindowActive(&window, hangWatchdogMs), "the flights window did not open");

    // Alt+R corrects the chosen flight: moved to number 17 and void, with the reason.
    QTest::keyClick(flightsView(window), Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(window.findChild<FlightCorrectionDialog *>(), "Alt+R opened no correction", hangWatchdogMs);
    auto *correction = window.findChild<FlightCorrectionDialog *>();
    auto *contestant = namedControl<ContestantPicker>(*correction, QStringLiteral("CorrectedContestant"));
    auto *status = namedControl<QComboBox>(*correction, QStringLiteral("CorrectedStatus"));
    QCOMPARE(contestant->text(), QStringLiteral("Hal Ivers 12"));
    contestant->setText(QStringLiteral("17"));
    status->setCurrentIndex(status->findText(QStringLiteral("Void")));
    namedControl<QLineEdit>(*correction, QStringLiteral("CorrectionReason"))->setText(QStringLiteral("scored twice"));
    correction->accept();
    QTRY_COMPARE_WITH_TIMEOUT(flightRows(window)->index(0, FlightTableModel::Status).data().toString(),
                              QStringLiteral("Void: scored twice"), hangWatchdogMs);
    QCOMPARE(flightRows(window)->index(0, FlightTableModel::Contestant).data().toString(), QStringLiteral("Ken Lo"));
    // The history keeps the calculation and every change, in the order made.
    flightsView(window)->setCurrentIndex(flightRows(window)->index(0, FlightTableModel::Time));
    QStringList history;
    for (int row = 0; row < historyView(window)->rowCount(); ++row)
        history << historyView(window)->item(row, 1)->text();
    QCOMPARE(history.mid(1), (QStringList{"Contestant none → Hal Ivers", "Contestant Hal Ivers → Ken Lo (scored twice)",
                                          "Status official → void (scored twice)"}));
    // The next flight scored is the one chosen, though another was chosen
    // and corrected before: Alt+R corrects the flight just scored. A row the
    // official chooses afterwards stays chosen while nothing new arrives.
    calculation.score = "287.0";
    program.recorder.flightEnded();
    program.recorder.calculated(calculation);
    QTRY_COMPARE_WITH_TIMEOUT(flightRows(window)->rowCount(), 2, hangWatchdogMs);
    QTRY_COMPARE_WITH_TIMEOUT(flightsView(window)->currentIndex().row(), 0, hangWatchdogMs);
    QCOMPARE(flightRows(window)->index(0, FlightTableModel::Total).data().toString(), QStringLiteral("287.0"));
    flightsView(window)->setCurrentIndex(flightRows(window)->index(1, FlightTableModel::Time));
    window.reload();
    QCOMPARE(flightsView(window)->currentIndex().row(), 1);

    // The entry list: a name typed in the last row adds it; an entry with
    // flights stays, the director told to merge it; a registration file
    // with a bad row imports nothing.
    window.openEntryList();
    EntryListWindow &entries = *entryList(window);
    QTableWidget &table = *entriesTable(entries);
    table.item(table.rowCount() - 1, EntryListWindow::Name)->setText(QStringLiteral("Ann Cho"));
    QTRY_COMPARE_WITH_TIMEOUT(table.rowCount(), 4, hangWatchdogMs);
    table.setCurrentCell(2, EntryListWindow::Name); // by name: Ann Cho, Hal Ivers, Ken Lo
    entries.removeChosen();
    QVERIFY2(statusLine(entries)->text().contains(QLatin1String("merge")), qPrintable(statusLine(entries)->text()));
    QCOMPARE(table.rowCount(), 4);
    const QString registration = program.folder.filePath(QStringLiteral("registration.csv"));
    QFile file(registration);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("Name;Number\nLee Ward;3\n;4\n");
    file.close();
    // The file is shown before anything is added, its problems by line, and
    // a file with a problem cannot be imported; the preview blocks this
    // window alone, so the official scores on meanwhile.
    entries.importFrom(registration);
    QTRY_VERIFY2_WITH_TIMEOUT(entries.findChild<ImportPreview *>(), "Import CSV… showed no preview", hangWatchdogMs);
    ImportPreview *preview = entries.findChild<ImportPreview *>();
    QCOMPARE(preview->windowModality(), Qt::WindowModal);
    const auto problemsShown = [](const ImportPreview &shown) {
        QStringList lines;
        const auto *list = namedControl<QListWidget>(shown, QStringLiteral("Problems"));
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines;
    };
    QCOMPARE(problemsShown(*preview), QStringList{QStringLiteral("line 3: no name.")});
    QVERIFY2(!namedControl<QPushButton>(*preview, QStringLiteral("Import"))->isEnabled(),
             "a file with a problem can be imported");
    preview->reject();
    QTRY_VERIFY2_WITH_TIMEOUT(!entries.findChild<ImportPreview *>(), "the preview stayed after Cancel", hangWatchdogMs);
    QCOMPARE(table.rowCount(), 4);
    // A website's export: the number column the director chose instead of
    // the one its heading names is the one imported, off the window's thread.
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file.errorString()));
    file.write("First Name,Last Name,AMA Number,Events,Club No\nLee,Ward,123,\"Profile, Class I\",3\n");
    file.close();
    entries.importFrom(registration);
    QTRY_VERIFY2_WITH_TIMEOUT(entries.findChild<ImportPreview *>(), "Import CSV… showed no preview", hangWatchdogMs);
    preview = entries.findChild<ImportPreview *>();
    auto *number = namedControl<QComboBox>(*preview, QStringLiteral("NumberColumn"));
    QCOMPARE(number->currentText(), QStringLiteral("AMA Number"));
    number->setCurrentIndex(number->findText(QStringLiteral("Club No")));
    const auto *shownRows = namedControl<QTableWidget>(*preview, QStringLiteral("PreviewRows"));
    QVERIFY2(shownRows->rowCount() == 1 && shownRows->item(0, 1)->text() == QStringLiteral("Lee Ward")
                 && shownRows->item(0, 2)->text() == QStringLiteral("3")
                 && shownRows->item(0, 3)->text() == QStringLiteral("Profile / Class I"),
             "the preview does not show the entry as it will be imported");
    namedControl<QPushButton>(*preview, QStringLiteral("Import"))->click();
    QVERIFY2(statusLine(entries)->text().startsWith(QLatin1String("Importing")), qPrintable(statusLine(entries)->text()));
    QTRY_COMPARE_WITH_TIMEOUT(table.rowCount(), 5, hangWatchdogMs);
    QVERIFY2(statusLine(entries)->text().endsWith(QLatin1String("AMA Number was not imported.")),
             qPrintable(statusLine(entries)->text()));
    QCOMPARE(table.item(3, EntryListWindow::Number)->text(), QStringLiteral("3"));
    // A registration site's per-event export read again later: each event
    // shown with the class it is read as, one of no class refused until the
    // director chooses one, and the classes of pilots listed already changed.
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file.errorString()));
    file.write("Event,Last Name,First Name,AMA #,Email,Paid\r\nProfile Navy Carrier,Ward,Lee,3,l@x.org,Yes\r\n"
               "Navy Carrier Class I,Ward,Lee,3,l@x.org,Yes\r\nNavy Carrier Class II,Ward,Lee,3,l@x.org,Yes\r\n"
               "Open Carrier,Cho,Ann,,a@x.org,No\r\nOpen Carrier,Núñez,José,,j@x.org,No\r\n");
    file.close();
    entries.importFrom(registration);
    QTRY_VERIFY2_WITH_TIMEOUT(entries.findChild<ImportPreview *>(), "Import CSV… showed no preview", hangWatchdogMs);
    preview = entries.findChild<ImportPreview *>();
    const auto *events = namedControl<QTableWidget>(*preview, QStringLiteral("EventClasses"));
    QStringList eventsShown;
    for (int row = 0; row < events->rowCount(); ++row)
        eventsShown << events->item(row, 0)->text() + " " + events->item(row, 1)->text() + " "
                           + qobject_cast<QComboBox *>(events->cellWidget(row, 2))->currentText();
    QCOMPARE(eventsShown, (QStringList{"Profile Navy Carrier 1 Profile", "Navy Carrier Class I 1 Class I",
                                       "Navy Carrier Class II 1 Class II", "Open Carrier 2 (choose a class)"}));
    // Every event in view, each of whose classes the director is to check:
    // the third of a site's three was cut at the table's foot.
    const int lastEvent = events->rowCount() - 1;
    QTRY_VERIFY2_WITH_TIMEOUT(events->isVisible()
                                  && events->rowViewportPosition(lastEvent) + events->rowHeight(lastEvent)
                                         <= events->viewport()->height(),
                              qPrintable(QStringLiteral("the events' table shows %1 of %2 pixels")
                                             .arg(events->viewport()->height())
                                             .arg(events->rowViewportPosition(lastEvent) + events->rowHeight(lastEvent))),
                              hangWatchdogMs);
    // And whole on a small screen, its Import button too (an 800×600 one here).
    QVERIFY2(preview->screen()->availableGeometry().contains(preview->frameGeometry()),
             qPrintable(QStringLiteral("the preview at %1,%2 %3x%4")
                            .arg(preview->frameGeometry().x())
                            .arg(preview->frameGeometry().y())
                            .arg(preview->frameGeometry().width())
                            .arg(preview->frameGeometry().height())));
    QCOMPARE(problemsShown(*preview).size(), 1);
    QVERIFY2(problemsShown(*preview).front().startsWith(QStringLiteral("lines 5 and 6: 2 rows name “Open Carrier”")),
             qPrintable(problemsShown(*preview).front()));
    QVERIFY2(!namedControl<QPushButton>(*preview, QStringLiteral("Import"))->isEnabled(),
             "an event of no class can be imported");
    auto *openCarrier = qobject_cast<QComboBox *>(events->cellWidget(3, 2));
    openCarrier->setCurrentIndex(openCarrier->findText(QStringLiteral("Profile")));
    QVERIFY2(namedControl<QPushButton>(*preview, QStringLiteral("Import"))->isEnabled(),
             qPrintable(problemsShown(*preview).join('\n')));
    const auto *changes = namedControl<QListWidget>(*preview, QStringLiteral("ClassChanges"));
    QStringList changesShown;
    for (int row = 0; row < changes->count(); ++row)
        changesShown << changes->item(row)->text();
    QCOMPARE(changesShown, (QStringList{"Lee Ward: Class II added", "Ann Cho: Profile added"}));
    namedControl<QPushButton>(*preview, QStringLiteral("Import"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(table.rowCount(), 6, hangWatchdogMs);
    QVERIFY2(statusLine(entries)->text().contains(QLatin1String("Lee Ward: Class II added. Ann Cho: Profile added.")),
             qPrintable(statusLine(entries)->text()));
    QCOMPARE(table.item(0, EntryListWindow::Classes)->text(), QStringLiteral("Profile"));
    QVERIFY2(table.item(4, EntryListWindow::Classes)->text().contains(QLatin1String("Class II")),
             qPrintable(table.item(4, EntryListWindow::Classes)->text()));
    // The search folds accents and case, and keeps the row that adds a name.
    namedControl<QLineEdit>(entries, QStringLiteral("Search"))->setText(QStringLiteral("LÉE"));
    QStringList found;
    for (int row = 0; row < table.rowCount(); ++row)
        if (!table.isRowHidden(row))
            found << table.item(row, EntryListWindow::Name)->text();
    QCOMPARE(found, (QStringList{QStringLiteral("Lee Ward"), QString()}));
    namedControl<QLineEdit>(entries, QStringLiteral("Search"))->clear();
    // The journal itself, or its log, is refused by its name and never opened.
    for (const char *companion : {"", "-wal"}) {
        entries.importFrom(QString::fromStdString(program.journal.path() + companion));
        QVERIFY2(statusLine(entries)->text().contains(QLatin1String("that is the flight journal itself")),
                 qPrintable(statusLine(entries)->text()));
    }
}

namespace {

// A journal of two flights, one corrected, and two entries, in a folder of
// its own under folder, the journal 0444 in a 0555 folder; its path.
QString readOnlyJournal(const QTemporaryDir &folder)
{
    QDir(folder.path()).mkdir(QStringLiteral("contest"));
    const QString path = folder.filePath(QStringLiteral("contest/journal.sqlite"));
    {
        // Closed last, the reader leaves the log and its index beside the journal.
        const journal::JournalReader reader(path.toStdString());
        journal::FlightJournal flights(path.toStdString());
        journal::ContestJournal contest(path.toStdString());
        contest.add({"Hal Ivers", "12", {}});
        contest.add({"Ken Lo", "17", {}});
        CalculationRecord calculation;
        calculation.classCaption = "Class I";
        calculation.score = "310.5";
        flights.calculated(calculation);
        flights.flightEnded();
        calculation.score = "298.0";
        flights.calculated(calculation);
        flights.flightEnded();
        const std::int64_t newest = reader.flights().front().id;
        contest.moveFlight(newest, reader.entries().back().id, "named late");
        flights.finish();
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(folder.filePath(QStringLiteral("contest")),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                              | QFile::ExeOther);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                             | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return path;
}

} // namespace

// A journal one may read but not write: its flights, entries and history
// are read whole, and a change is refused with a sentence. Modes refuse
// root nothing, so run as root the check runs again as the user nobody.
void ContestDayTest::readOnlyJournalReadWhole()
{
    QTemporaryDir folder;
    QString path = qEnvironmentVariable("ORLO_READ_ONLY_JOURNAL");
    // The folder is writable again before it goes, for a user who is not root.
    const auto writableAgain = qScopeGuard([&folder] {
        QFile::setPermissions(folder.filePath(QStringLiteral("contest")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (path.isEmpty()) {
        path = readOnlyJournal(folder);
        if (geteuid() == 0) {
            QProcess asNobody;
            asNobody.setProcessChannelMode(QProcess::MergedChannels);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("ORLO_READ_ONLY_JOURNAL"), path);
            environment.insert(QStringLiteral("HOME"), folder.path());
            asNobody.setProcessEnvironment(environment);
            asNobody.start(QStringLiteral("setpriv"),
                           {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                            QStringLiteral("--clear-groups"), QStringLiteral("--pdeathsig=KILL"), QStringLiteral("--"),
                            QCoreApplication::applicationFilePath(), QStringLiteral("readOnlyJournalReadWhole")});
            if (!asNobody.waitForStarted(hangWatchdogMs))
                QSKIP("setpriv cannot run the check as another user");
            if (!asNobody.waitForFinished(4 * hangWatchdogMs)) {
                asNobody.kill();
                asNobody.waitForFinished();
            }
            const QString said = QString::fromLocal8Bit(asNobody.readAll());
            QVERIFY2(asNobody.exitStatus() == QProcess::NormalExit && asNobody.exitCode() == 0, qPrintable(said));
            return;
        }
    }
    QVERIFY2(!QFileInfo(path).isWritable(), "the journal is writable: the check would prove nothing");

    Program program(path);
    program.flights.open();
    FlightsWindow &window = *program.flights.window();
    QCOMPARE(statusLine(window)->text(), QStringLiteral("2 flights shown."));
    QCOMPARE(flightRows(window)->rowCount(), 2);
    QCOMPARE(flightRows(window)->index(0, FlightTableModel::Contestant).data().toString(), QStringLiteral("Ken Lo"));
    QStringList contestants;
    for (int item = 0; item < contestantFilter(window)->count(); ++item)
        contestants << contestantFilter(window)->itemText(item);
    QCOMPARE(contestants, (QStringList{"All contestants", "No contestant named", "Hal Ivers 12", "Ken Lo 17"}));
    flightsView(window)->setCurrentIndex(flightRows(window)->index(0, FlightTableModel::Time));
    QStringList history;
    for (int row = 0; row < historyView(window)->rowCount(); ++row)
        history << historyView(window)->item(row, 1)->text();
    QCOMPARE(history.mid(1), (QStringList{"Contestant none → Ken Lo (named late)"}));

    window.openEntryList();
    QTableWidget &entries = *entriesTable(*entryList(window));
    QCOMPARE(entries.rowCount(), 3);
    QCOMPARE(entries.item(1, EntryListWindow::Name)->text(), QStringLiteral("Ken Lo"));
    // A change is refused in a sentence; the list stays as the journal holds it.
    entries.item(2, EntryListWindow::Name)->setText(QStringLiteral("Ann Cho"));
    const QLabel &said = *statusLine(*entryList(window));
    QTRY_VERIFY2_WITH_TIMEOUT(said.text().contains(QLatin1String("read-only")), qPrintable(said.text()),
                              hangWatchdogMs);
    // In the entry list's words: the sheet's notice that scoring goes on is no answer to a change.
    QVERIFY2(said.text().contains(QLatin1String("cannot be changed")), qPrintable(said.text()));
    QTRY_COMPARE_WITH_TIMEOUT(entries.rowCount(), 3, hangWatchdogMs);

    // So are the contest's settings: read for the Contest dialog, a change refused.
    program.program.openStandings();
    StandingsWindow &standings = *program.program.standings();
    const QLabel &state = *namedControl<QLabel>(standings, QStringLiteral("standingsState"));
    QTRY_VERIFY2_WITH_TIMEOUT(namedControl<QTableWidget>(standings, QStringLiteral("standingsTable"))->rowCount() > 0,
                              qPrintable(state.text()), hangWatchdogMs);
    standings.findChild<QPushButton *>(QStringLiteral("contestButton"))->click();
    QTRY_VERIFY2_WITH_TIMEOUT(standings.findChild<ContestSettingsDialog *>(), qPrintable(state.text()),
                              hangWatchdogMs);
    standings.findChild<ContestSettingsDialog *>()->accept();
    QTRY_VERIFY2_WITH_TIMEOUT(state.text().endsWith(QLatin1String("The contest was not changed.")),
                              qPrintable(state.text()), hangWatchdogMs);
}

// An entry list that could not be read says so until it is read again, and
// is read again at the next refresh.
void ContestDayTest::entryListReadAgainAfterAFailedRead()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    QVERIFY2(QDir().mkdir(path), "no folder where the journal should be");
    const journal::JournalReader reader(path.toStdString());
    journal::ContestJournal contest(path.toStdString());
    ContestChanges changes(path.toStdString());
    EntryListWindow window(reader, contest, changes, nullptr);
    QVERIFY2(statusLine(window)->text().startsWith(QLatin1String("The entry list could not be read")),
             qPrintable(statusLine(window)->text()));

    QVERIFY2(QDir().rmdir(path), "the folder stayed");
    journal::ContestJournal(path.toStdString()).add({"Hal Ivers", "12", {}});
    window.reloadIfUnread();
    QCOMPARE(entriesTable(window)->rowCount(), 2);
    QCOMPARE(entriesTable(window)->item(0, EntryListWindow::Name)->text(), QStringLiteral("Hal Ivers"));
    QVERIFY2(!statusLine(window)->text().contains(QLatin1String("could not be read")),
             qPrintable(statusLine(window)->text()));
}

// Another program makes another contest current while the entry list is
// open: a name typed and a file imported join the contest whose list the
// director sees, and the other contest's list stays as it was.
void ContestDayTest::entriesJoinTheContestListed()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    journal::ContestJournal(path.toStdString()).add({"Hal Ivers", "12", {}});
    const journal::JournalReader reader(path.toStdString());
    journal::ContestJournal contest(path.toStdString());
    ContestChanges changes(path.toStdString());
    EntryListWindow window(reader, contest, changes, nullptr);
    journal::ContestJournal(path.toStdString()).startContest({"Autumn Meet", "2026-10-01", "2026-10-02", false});

    QTableWidget &table = *entriesTable(window);
    table.item(table.rowCount() - 1, EntryListWindow::Name)->setText(QStringLiteral("Ann Cho"));
    QTRY_VERIFY2_WITH_TIMEOUT(statusLine(window)->text().startsWith(QLatin1String("Added")),
                              qPrintable(statusLine(window)->text()), hangWatchdogMs);
    const QString registration = folder.filePath(QStringLiteral("registration.csv"));
    QFile file(registration);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    file.write("Name,Number\nLee Ward,3\n");
    file.close();
    window.importFrom(registration);
    QTRY_VERIFY2_WITH_TIMEOUT(window.findChild<ImportPreview *>(), "Import CSV… showed no preview", hangWatchdogMs);
    namedControl<QPushButton>(*window.findChild<ImportPreview *>(), QStringLiteral("Import"))->click();
    QTRY_VERIFY2_WITH_TIMEOUT(!statusLine(window)->text().startsWith(QLatin1String("Importing")),
                              "the import did not end", hangWatchdogMs);

    QStringList lists;
    journal::JournalReader each(path.toStdString());
    for (const journal::SeasonContest &listed : each.contests()) {
        each.chooseContest(listed.id);
        QStringList names;
        for (const contest::Entry &entry : each.entries())
            names << QString::fromStdString(entry.name);
        lists << QString::fromStdString(listed.name) + QLatin1Char(':') + names.join(QLatin1Char(','));
    }
    QCOMPARE(lists, (QStringList{":Ann Cho,Hal Ivers,Lee Ward", "Autumn Meet:"}));
}

// Who flies next: the sheet's line follows each flight recorded, Ctrl+N
// offers the pilot called next and Enter takes him, a pilot who flies out of
// turn is marked flown, and Call again in the Flight order window puts a
// pilot back.
void ContestDayTest::whoFliesNextCalledOnTheSheet()
{
    Program program;
    {
        journal::ContestJournal contest(program.journal.path());
        for (const char *name : {"Ann Lee", "Bob Orr", "Cy Dunn"})
            contest.add({name, "", {"Class I"}});
    }
    QVERIFY2(program.start(), "the score sheet did not start");
    auto *line = program.sheet.findChild<QLabel *>(QStringLiteral("CallLine"));
    QTRY_VERIFY2_WITH_TIMEOUT((line = program.sheet.findChild<QLabel *>(QStringLiteral("CallLine"))) && line->isVisible(),
                              "the sheet says nobody is next", hangWatchdogMs);
    const auto shown = [&] { return line->text().replace(QChar(0x00A0), QLatin1Char(' ')); };
    QCOMPARE(shown(), QStringLiteral("Next: Ann Lee (Class I, flight 1) \u00B7 On deck: Bob Orr (Class I, flight 1) "
                                     "\u00B7 In the hole: Cy Dunn (Class I, flight 1)"));
    const QRect before = program.control(Command2)->geometry();

    // Flies the pilot Ctrl+N offers, or the one typed.
    const auto fly = [&](const QString &typed, const QString &named) {
        QVERIFY2(clickOn(program.sheet, HS_Watch(0)), "the first high-speed watch did not take the focus");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY2_WITH_TIMEOUT(program.flights.window()
                                      && QApplication::focusWidget() == nowFlyingPicker(*program.flights.window()),
                                  "Ctrl+N did not open the Now flying picker", hangWatchdogMs);
        if (!typed.isEmpty()) {
            QTest::keyClicks(QApplication::focusWidget(), typed);
            QTRY_VERIFY2_WITH_TIMEOUT(QApplication::activePopupWidget(), "typing offered nobody", hangWatchdogMs);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.isActiveWindow(), "the keyboard did not go back to the sheet", hangWatchdogMs);
        QCOMPARE(nowFlyingPicker(*program.flights.window())->text(), named);
        QVERIFY(clickOn(program.sheet, HS_Watch(0)) && type(QStringLiteral("12.3")) && tabOn(program.sheet));
        QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    };
    fly({}, QStringLiteral("Ann Lee"));
    QTRY_COMPARE_WITH_TIMEOUT(shown(), QStringLiteral("Next: Bob Orr (Class I, flight 1) \u00B7 On deck: Cy Dunn (Class I, "
                                                      "flight 1) \u00B7 In the hole: Ann Lee (Class I, flight 2)"),
                              hangWatchdogMs);
    // Cy flies before Bob: marked flown, Bob still next.
    fly(QStringLiteral("cy"), QStringLiteral("Cy Dunn"));
    QTRY_COMPARE_WITH_TIMEOUT(shown(), QStringLiteral("Next: Bob Orr (Class I, flight 1) \u00B7 On deck: Ann Lee (Class I, "
                                                      "flight 2) \u00B7 In the hole: Bob Orr (Class I, flight 2)"),
                              hangWatchdogMs);
    QCOMPARE(program.control(Command2)->geometry(), before);

    // Ann's flight called again: she is next, for a flight of round 1 again.
    program.program.openFlightOrder();
    FlightOrderWindow *order = nullptr;
    QTRY_VERIFY2_WITH_TIMEOUT((order = program.program.flightOrder()) && order->isVisible(),
                              "no Flight order window", hangWatchdogMs);
    auto *list = order->findChild<QListWidget *>(QStringLiteral("orderList"));
    QVERIFY2(list && list->count() == 3, "the round's pilots are not listed");
    QCOMPARE(list->item(0)->text(), QStringLiteral("1. Ann Lee, flight 1: flown"));
    list->setCurrentRow(0);
    order->findChild<QPushButton *>(QStringLiteral("callAgain"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(shown().section(QStringLiteral(" \u00B7 "), 0, 0),
                              QStringLiteral("Next: Ann Lee (Class I, flight 2)"), hangWatchdogMs);
    QCOMPARE(order->findChild<QLabel *>(QStringLiteral("orderProgress"))->text(),
             QStringLiteral("Round 1 of 2: 2 still to fly"));
}

// The Flight order window: a seed typed draws that seed's order, kept in the
// journal; a move makes the order the director's; a withdrawn pilot leaves
// the round; the sheet's line follows each.
void ContestDayTest::flightOrderDrawnMovedAndWithdrawn()
{
    Program program;
    std::vector<std::int64_t> ids;
    {
        journal::ContestJournal contest(program.journal.path());
        for (const char *name : {"Ann Lee", "Bob Orr", "Cy Dunn", "Dan Fox"})
            ids.push_back(contest.add({name, "", {"Class I"}}));
    }
    QVERIFY2(program.start(), "the score sheet did not start");
    program.program.openFlightOrder();
    FlightOrderWindow &order = *program.program.flightOrder();
    auto *list = order.findChild<QListWidget *>(QStringLiteral("orderList"));
    const auto names = [&] {
        QStringList shown;
        for (int row = 0; row < list->count(); ++row)
            shown << list->item(row)->text().section(QLatin1Char(','), 0, 0).section(QStringLiteral(". "), 1);
        return shown;
    };
    const QStringList entered{"Ann Lee", "Bob Orr", "Cy Dunn", "Dan Fox"};
    QCOMPARE(names(), entered);

    order.findChild<QLineEdit *>(QStringLiteral("orderSeed"))->setText(QStringLiteral("7"));
    order.findChild<QPushButton *>(QStringLiteral("drawButton"))->click();
    QStringList drawn;
    for (std::int64_t id : contest::drawOrder(ids, 7))
        drawn << entered[int(id - ids.front())];
    QCOMPARE(names(), drawn);
    const contest::FlyingOrder kept = journal::JournalReader(program.journal.path()).flightOrder();
    QVERIFY2(kept.orderOf("Class I").method == contest::OrderMethod::Drawn && kept.orderOf("Class I").seed == 7,
             "the draw and its seed are not kept");
    auto *line = program.sheet.findChild<QLabel *>(QStringLiteral("CallLine"));
    QTRY_VERIFY2_WITH_TIMEOUT(line && line->text().startsWith(QStringLiteral("Next:\u00A0") + QString(drawn[0]).replace(u' ', QChar(0x00A0))),
                              "the sheet does not call the first drawn", hangWatchdogMs);

    list->setCurrentRow(0);
    order.findChild<QPushButton *>(QStringLiteral("moveDown"))->click();
    QCOMPARE(names(), (QStringList{drawn[1], drawn[0], drawn[2], drawn[3]}));
    QCOMPARE(order.findChild<QComboBox *>(QStringLiteral("orderMethod"))->currentText(), QStringLiteral("By hand"));

    list->setCurrentRow(0);
    order.findChild<QPushButton *>(QStringLiteral("withdraw"))->click();
    QCOMPARE(names().mid(0, 3), (QStringList{drawn[0], drawn[2], drawn[3]}));
    QCOMPARE(list->item(3)->text(), drawn[1] + QStringLiteral(": withdrawn"));
    QCOMPARE(order.findChild<QLabel *>(QStringLiteral("orderProgress"))->text(), QStringLiteral("Round 1 of 2: 3 still to fly"));

    // Printed for the pit board: the printer's dialog from the printing module, over this window alone.
    order.findChild<QPushButton *>(QStringLiteral("printCallList"))->click();
    QDialog *print = nullptr;
    QTRY_VERIFY2_WITH_TIMEOUT((print = order.findChild<QDialog *>(QStringLiteral("callListPrint"))) && print->isVisible(),
                              qPrintable(order.findChild<QLabel *>(QStringLiteral("orderProblems"))->text()),
                              hangWatchdogMs);
    QVERIFY2(print->inherits("QPrintDialog") && print->windowModality() == Qt::WindowModal,
             "the call list's printer dialog must be the printer's, blocking the Flight order window alone");
    print->close();
}

// Another program adds an entry while the director is typing a number into
// the open entry list: the cell keeps what is typed, and once the director
// leaves it (Escape: nothing written here) the list shows the other
// program's entry.
void ContestDayTest::entryListFollowsAChangeOnceTheEditEnds()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.sqlite"));
    journal::ContestJournal(path.toStdString()).add({"Hal Ivers", "12", {}});
    const journal::JournalReader reader(path.toStdString());
    journal::ContestJournal contest(path.toStdString());
    ContestChanges changes(path.toStdString());
    EntryListWindow window(reader, contest, changes, nullptr);
    window.show();
    QVERIFY2(QTest::qWaitForWindowExposed(&window, hangWatchdogMs), "the entry list was not shown");
    QTableWidget &table = *entriesTable(window);
    table.setCurrentCell(0, EntryListWindow::Number);
    table.editItem(table.item(0, EntryListWindow::Number));
    auto *editor = qobject_cast<QLineEdit *>(window.focusWidget());
    QVERIFY2(editor, "editing the number opened no line edit");
    editor->setText(QStringLiteral("77"));

    journal::ContestJournal(path.toStdString()).add({"Ann Cho", "5", {}});
    changes.tell(ContestChange::AnotherProgram);
    QCoreApplication::processEvents(); // the list's read after a change is queued
    QVERIFY2(window.focusWidget() == editor && editor->text() == QLatin1String("77"),
             "the number being typed was lost to the other program's change");

    QTest::keyClick(editor, Qt::Key_Escape);
    const auto listed = [&table] {
        QStringList rows;
        for (int row = 0; row + 1 < table.rowCount(); ++row)
            rows << table.item(row, EntryListWindow::Name)->text() + QLatin1Char(' ')
                    + table.item(row, EntryListWindow::Number)->text();
        return rows.join(QStringLiteral(", "));
    };
    QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringLiteral("Ann Cho 5, Hal Ivers 12"), hangWatchdogMs);
    QVERIFY2(window.isVisible(), "Escape in the cell closed the entry list");
}

QTEST_MAIN(ContestDayTest)
#include "contest_day_test.moc"
