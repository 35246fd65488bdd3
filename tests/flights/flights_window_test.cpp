#include "contestant_picker.h"
#include "entry_list_window.h"
#include "flight_correction_dialog.h"
#include "flight_history_view.h"
#include "flight_table_model.h"
#include "flights_program.h"
#include "flights_window_opener.h"
#include "hang_watchdog.h"
#include "journal_problem_notice.h"
#include "score_sheet_window.h"
#include "sheet_driver.h"
#include "wired_program.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// The header and the rows of an RFC 4180 text: quoted fields may hold
// commas, doubled quotes and line breaks.
QList<QStringList> csvRows(const QString &csv)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype at = 0; at < csv.size(); ++at) {
        const QChar c = csv.at(at);
        if (quoted) {
            if (c == QLatin1Char('"') && at + 1 < csv.size() && csv.at(at + 1) == QLatin1Char('"'))
                field += csv.at(++at);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << std::exchange(field, QString());
        } else if (c == QLatin1Char('\r') && at + 1 < csv.size() && csv.at(at + 1) == QLatin1Char('\n')) {
            row << std::exchange(field, QString());
            rows << std::exchange(row, QStringList());
            ++at;
        } else {
            field += c;
        }
    }
    return rows;
}

} // namespace

class FlightsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void flightOnTheSheetToTheExport();
    void openedByMenuNamedAtOnceEndedWithTheSheet();
    void longJournalFilteredAndExported();
    void problemToldWithoutTakingTheFocus();
    void firstStartShowsNoFlightsYet();
};

void FlightsWindowTest::flightOnTheSheetToTheExport()
{
    Program program;
    QVERIFY2(program.start(), "the score sheet did not start");
    QVERIFY2(clickOn(program.sheet, HS_Watch(0)), "the first high-speed watch did not take the focus");
    QVERIFY(type(QStringLiteral("12.3")) && tabOn(program.sheet));
    QVERIFY(type(QStringLiteral("12.4")) && tabOn(program.sheet));
    QVERIFY(type(QStringLiteral("25")) && tabOn(program.sheet));
    QVERIFY(type(QString()) && tabOn(program.sheet));
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    QTRY_COMPARE_WITH_TIMEOUT(textOf(program.sheet, Score), QStringLiteral("165.9"), hangWatchdogMs);
    const struct {
        const char *column;
        Ctl field;
    } sheetFields[] = {{"HS watch 1", HS_Watch(0)}, {"HS watch 2", HS_Watch(1)}, {"LS watch 1", LS_Watch(0)},
                       {"LS watch 2", LS_Watch(1)}, {"HS time", HS_Time},       {"HS MPH", HS_MPH},
                       {"HS points", HS_Points},    {"LS time", LS_Time},       {"LS MPH", LS_MPH},
                       {"LS points", LS_Points},    {"Engines", Engines(0)},    {"Landing points", LandingPts},
                       {"Score", Score}};
    QStringList pressed;
    for (const auto &sheetField : sheetFields)
        pressed << textOf(program.sheet, sheetField.field);

    // The official is halfway through the next reading when the journal is asked for.
    QVERIFY2(clickOn(program.sheet, LS_Watch(1)), "the second low-speed watch did not take the focus");
    auto *typing = qobject_cast<QLineEdit *>(widgetOf(program.sheet, LS_Watch(1)));
    QTest::keyClicks(typing, QStringLiteral("24.8"));
    typing->setSelection(1, 2);
    const QStringList before = program.state();
    QTest::keyClick(typing, Qt::Key_J, Qt::ControlModifier);
    QTRY_VERIFY2_WITH_TIMEOUT(program.flights.window() && program.flights.window()->isVisible(), "Ctrl+J opened no flights window", hangWatchdogMs);
    FlightsWindow &window = *program.flights.window();
    QVERIFY2(QTest::qWaitForWindowActive(&window, hangWatchdogMs), "the flights window did not come forward");
    QVERIFY2(!window.isModal(), "the flights window must not block the sheet");
    QCOMPARE(program.state(), before);

    const FlightTableModel &flights = *flightRows(window);
    QCOMPARE(flights.rowCount(), 1);
    const struct {
        int column;
        Ctl field;
    } shown[] = {{FlightTableModel::HighSpeed, HS_Points}, {FlightTableModel::LowSpeed, LS_Points},
                 {FlightTableModel::Landing, LandingPts}, {FlightTableModel::Total, Score}};
    for (const auto &[column, field] : shown)
        QCOMPARE(flights.index(0, column).data().toString(), textOf(program.sheet, field));
    QCOMPARE(flights.index(0, FlightTableModel::Class).data().toString(), QStringLiteral("Class I"));
    flightsView(window)->setCurrentIndex(flights.index(0, 0));
    QCOMPARE(historyView(window)->rowCount(), 1);

    // The file dialog blocks the flights window alone, and the export runs
    // beside the sheet, which takes a click meanwhile.
    const QString exported = program.folder.filePath(QStringLiteral("flights.csv"));
    QSignalSpy finished(&window, &FlightsWindow::jobFinished);
    exportButton(window)->click();
    QTRY_VERIFY2_WITH_TIMEOUT(window.findChild<QFileDialog *>(), "Export CSV… opened no file dialog", hangWatchdogMs);
    auto *dialog = window.findChild<QFileDialog *>();
    QVERIFY2(dialog->windowModality() == Qt::WindowModal, "the file dialog must not block the sheet");
    dialog->selectFile(exported);
    static_cast<QDialog *>(dialog)->accept(); // as its Save button does
    QVERIFY2(finished.isEmpty() && !exportButton(window)->isEnabled(),
             "the export should run beside the sheet, not in the press");
    program.sheet.activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet, hangWatchdogMs), "the sheet could not be come back to");
    QVERIFY2(clickOn(program.sheet, HS_Watch(0)), "the sheet took no click while the export ran");
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, hangWatchdogMs);
    QVERIFY2(finished[0][0].toBool(), qPrintable(statusLine(window)->text()));
    QVERIFY2(statusLine(window)->text().contains(QLatin1String("Exported 1 flight to")),
             qPrintable(statusLine(window)->text()));
    QFile file(exported);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QList<QStringList> rows = csvRows(QString::fromUtf8(file.readAll()));
    QCOMPARE(rows.size(), 2);
    const QStringList &header = rows[0];
    const QStringList &row = rows[1];
    QCOMPARE(row.size(), header.size());
    const auto field = [&](const char *name) {
        const qsizetype column = header.indexOf(QLatin1String(name));
        return column < 0 ? QStringLiteral("<no column %1>").arg(QLatin1String(name)) : row[column];
    };
    // As the sheet showed them at the press: a reading typed since is no part of the flight.
    for (std::size_t at = 0; at < std::size(sheetFields); ++at)
        QCOMPARE(field(sheetFields[at].column), pressed[static_cast<qsizetype>(at)]);
    QCOMPARE(field("Class"), QStringLiteral("Class I"));
    QStringList summary;
    const auto *list = qobject_cast<QListWidget *>(widgetOf(program.sheet, Summary));
    for (int line = 0; line < list->count(); ++line)
        summary << list->item(line)->text();
    QCOMPARE(field("Summary"), summary.join(QLatin1Char('\n')));
}

void FlightsWindowTest::openedByMenuNamedAtOnceEndedWithTheSheet()
{
    Program program;
    CalculationRecord calculation;
    calculation.classCaption = "Profile";
    calculation.engineBonus = "20.0";
    calculation.score = "212.5";
    program.recorder.calculated(calculation);
    QVERIFY2(program.start(), "the score sheet did not start");
    const QStringList before = program.state();

    // A right-click on a class is for the menu: it neither takes the focus
    // nor picks the class, which would take the score away.
    QWidget *classTwo = program.sheet.findChild<QWidget *>(QStringLiteral("Class_1"));
    QTest::mousePress(classTwo, Qt::RightButton);
    QTest::mouseRelease(classTwo, Qt::RightButton);
    QCoreApplication::processEvents();
    QCOMPARE(program.state(), before);

    // Opened from the sheet's context menu, on the carrier picture.
    QStringList offered;
    QTimer chooser;
    chooser.setInterval(20);
    QObject::connect(&chooser, &QTimer::timeout, &chooser, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !offered.isEmpty())
            return;
        for (QAction *item : menu->actions()) {
            offered << item->text();
            if (item->text() == QStringLiteral("Flight journal…"))
                menu->setActiveAction(item);
        }
        QTest::keyClick(menu, menu->activeAction() ? Qt::Key_Return : Qt::Key_Escape);
    });
    chooser.start();
    QWidget *picture = program.sheet.findChild<QWidget *>(QStringLiteral("Image1"));
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, picture->rect().center(),
                                 picture->mapToGlobal(picture->rect().center()));
    QApplication::sendEvent(picture, &rightClick);
    QCOMPARE(offered, (QStringList{QStringLiteral("Flight journal…"), QStringLiteral("Standings…"),
                                   QStringLiteral("Flight order…"), QStringLiteral("Show on the network…"),
                                   QStringLiteral("New contest…"),
                                   QStringLiteral("Contests…")}));
    QTRY_VERIFY2_WITH_TIMEOUT(program.flights.window() && program.flights.window()->isVisible(),
                 "the context menu opened no flights window", hangWatchdogMs);
    FlightsWindow *window = program.flights.window();
    QVERIFY2(QTest::qWaitForWindowActive(window, hangWatchdogMs), "the flights window did not come forward");
    QCOMPARE(program.state(), before);
    // The screen here is too small for both windows: the window is whole on
    // it, its status line too, and its first column in view.
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY2(screen.contains(window->frameGeometry()),
             qPrintable(QStringLiteral("the flights window at %1,%2 %3x%4 does not fit on the screen %5x%6")
                            .arg(window->frameGeometry().x()).arg(window->frameGeometry().y())
                            .arg(window->frameGeometry().width()).arg(window->frameGeometry().height())
                            .arg(screen.width()).arg(screen.height())));
    QVERIFY2(window->rect().contains(statusLine(*window)->geometry()), "the status line is cut off");
    QTRY_COMPARE_WITH_TIMEOUT(flightsView(*window)->columnViewportPosition(FlightTableModel::Time), 0, hangWatchdogMs);

    QTableView *view = flightsView(*window);
    view->setCurrentIndex(flightRows(*window)->index(0, FlightTableModel::Contestant));
    // The history has a column for every field of the calculation, the bonus too.
    const QTableWidget &history = *historyView(*window);
    QStringList headings;
    for (int column = 0; column < history.columnCount(); ++column)
        headings << history.horizontalHeaderItem(column)->text();
    const int bonus = static_cast<int>(headings.indexOf(QStringLiteral("Engine Bonus")));
    QVERIFY2(bonus > 0 && history.rowCount() == 1 && history.item(0, bonus)->text() == QStringLiteral("20.0"),
             qPrintable(headings.join(QStringLiteral(", "))));
    // A name is text, whatever it holds.
    const QString typed = QStringLiteral("=1+1 O'Neil, \"Jo\"");
    NewNameConfirmer confirmer;
    // Typing on a flight starts the name; the editor that opens takes the rest.
    QTest::keyClick(view, typed.at(0).toLatin1());
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() != view, "typing on a flight opened no editor for the name", hangWatchdogMs);
    QTest::keyClicks(QApplication::focusWidget(), typed.mid(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(flightRows(*window)->index(0, FlightTableModel::Contestant).data().toString(), typed, hangWatchdogMs);
    QCOMPARE(confirmer.said, QStringList{QStringLiteral("“%1” is not on the entry list. Add it? The entry list is empty.").arg(typed)});
    // The question says what it is about in its title, not the program's file name.
    QCOMPARE(confirmer.titles, QStringList{QStringLiteral("Not on the entry list")});

    // Another program reading the same file sees the name while this window is still open.
    const journal::JournalReader reader(program.journal.path());
    const std::vector<journal::FlightRow> kept = reader.flights();
    QCOMPARE(kept.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(kept[0].contestant), typed);

    // Escape leaves an editor first, then closes the window.
    QVERIFY2(QTest::qWaitForWindowActive(window, hangWatchdogMs), "the confirmation left the flights window inactive");
    // Enter on the question of a name not listed, the hurried second press
    // of a director who meant an offer, adds nobody: only Add adds.
    confirmer.pressEnter = true;
    QTest::keyClick(view, 'A');
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() != view, "typing on a flight opened no editor for the name", hangWatchdogMs);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("nn Cho"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(confirmer.said.size(), 2, hangWatchdogMs);
    QTRY_VERIFY2_WITH_TIMEOUT(!QApplication::activeModalWidget(), "Enter left the question open", hangWatchdogMs);
    QCOMPARE(flightRows(*window)->index(0, FlightTableModel::Contestant).data().toString(), typed);
    QVERIFY2(journal::JournalReader(program.journal.path()).entries().size() == 1,
             "Enter on the question added the name to the entry list");
    QVERIFY2(QTest::qWaitForWindowActive(window, hangWatchdogMs), "the question left the flights window inactive");
    QTest::keyClick(view, Qt::Key_F2);
    QTRY_VERIFY2_WITH_TIMEOUT(qobject_cast<ContestantPicker *>(QApplication::focusWidget()),
                              "F2 opened no contestant picker", hangWatchdogMs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() == view, "Escape did not leave the editor", hangWatchdogMs);
    QVERIFY2(window->isVisible(), "Escape in an editor closed the window");
    QTest::keyClick(view, Qt::Key_Escape);
    QTRY_VERIFY2_WITH_TIMEOUT(!window->isVisible(), "Escape did not close the flights window", hangWatchdogMs);

    // Closing the sheet ends the program, the flights window open or not;
    // the watchdog ends a program that runs on.
    QTimer::singleShot(0, &program.sheet, [&program] { program.sheet.close(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [] { QCoreApplication::exit(1); });
    watchdog.start(30'000);
    QVERIFY2(QApplication::exec() == 0, "the flights window kept the program running without its sheet");
}

void FlightsWindowTest::longJournalFilteredAndExported()
{
    Program program;
    for (int flight = 0; flight < 450; ++flight) {
        CalculationRecord calculation;
        calculation.classCaption = flight % 3 == 0 ? "Profile" : "Class I";
        calculation.score = std::to_string(flight) + ".0";
        program.journal.calculated(calculation);
        program.journal.flightEnded();
    }
    program.flights.open();
    FlightsWindow *window = program.flights.window();
    QVERIFY2(window && QTest::qWaitForWindowActive(window, hangWatchdogMs), "the flights window did not open");
    const FlightTableModel &flights = *flightRows(*window);
    const auto scrolledToTheEnd = [&](int expected) {
        return QTest::qWaitFor([&] {
            flightsView(*window)->scrollToBottom();
            return flights.rowCount() == expected;
        }, hangWatchdogMs);
    };
    QVERIFY2(scrolledToTheEnd(450), qPrintable(QStringLiteral("%1 flights listed").arg(flights.rowCount())));
    QCOMPARE(flights.index(0, FlightTableModel::Total).data().toString(), QStringLiteral("449.0"));
    QCOMPARE(flights.index(449, FlightTableModel::Total).data().toString(), QStringLiteral("0.0"));

    classFilter(*window)->setCurrentIndex(classFilter(*window)->findText(QStringLiteral("Profile")));
    QVERIFY2(scrolledToTheEnd(150), qPrintable(QStringLiteral("%1 flights listed").arg(flights.rowCount())));
    for (int row = 0; row < flights.rowCount(); ++row)
        QCOMPARE(flights.index(row, FlightTableModel::Class).data().toString(), QStringLiteral("Profile"));

    // A click on a heading orders every flight the filter passes, not only
    // those read so far, and points as numbers: 2.0 before 10.0.
    classFilter(*window)->setCurrentIndex(0);
    QHeaderView *headings = flightsView(*window)->horizontalHeader();
    for (const Qt::SortOrder order : {Qt::DescendingOrder, Qt::AscendingOrder})
        if (headings->sortIndicatorSection() != FlightTableModel::Total || headings->sortIndicatorOrder() != order)
            QTest::mouseClick(headings->viewport(), Qt::LeftButton, {},
                              QPoint(headings->sectionViewportPosition(FlightTableModel::Total) + 5, 5));
    QCOMPARE(headings->sortIndicatorOrder(), Qt::AscendingOrder);
    QStringList lowest;
    for (int row = 0; row < 3; ++row)
        lowest << flights.index(row, FlightTableModel::Total).data().toString();
    QCOMPARE(lowest, (QStringList{"0.0", "1.0", "2.0"}));
    QVERIFY2(scrolledToTheEnd(450), qPrintable(QStringLiteral("%1 flights listed").arg(flights.rowCount())));
    QCOMPARE(flights.index(449, FlightTableModel::Total).data().toString(), QStringLiteral("449.0"));
    headings->setSortIndicator(FlightTableModel::Time, Qt::DescendingOrder);

    // The export holds every flight the filter shows, read from the journal or not yet.
    classFilter(*window)->setCurrentIndex(0);
    QVERIFY2(flights.rowCount() < 450, "the journal should be read a screenful at a time");
    const QString exported = program.folder.filePath(QStringLiteral("flights.csv"));
    QSignalSpy finished(window, &FlightsWindow::jobFinished);
    window->exportTo(exported);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, hangWatchdogMs);
    QVERIFY2(finished[0][0].toBool(), qPrintable(statusLine(*window)->text()));
    QFile file(exported);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QCOMPARE(csvRows(QString::fromUtf8(file.readAll())).size(), 1 + 450);
}

void FlightsWindowTest::problemToldWithoutTakingTheFocus()
{
    // A file where the journal's folder should be: nothing can be kept.
    QTemporaryDir folder;
    QFile blocker(folder.filePath(QStringLiteral("blocker")));
    QVERIFY2(blocker.open(QIODevice::WriteOnly), qPrintable(blocker.errorString()));
    blocker.close();
    Program program(blocker.fileName() + QStringLiteral("/journal.sqlite"));
    QVERIFY2(program.start(), "the score sheet did not start");
    QVERIFY2(clickOn(program.sheet, HS_Watch(0)), "the first high-speed watch did not take the focus");
    const QStringList before = program.state();

    QTRY_VERIFY2_WITH_TIMEOUT(program.sheet.findChild<JournalProblemNotice *>(), "the official was not told", hangWatchdogMs);
    const auto *notice = program.sheet.findChild<JournalProblemNotice *>();
    QTRY_VERIFY2_WITH_TIMEOUT(notice->isVisible(), "the notice is not shown", hangWatchdogMs);
    QVERIFY2(program.sheet.isActiveWindow(), "the notice took the sheet's activation");
    QCOMPARE(program.state(), before);

    // The sheet scores as without a journal, and the official is told only once.
    QVERIFY(type(QStringLiteral("12.3")) && tabOn(program.sheet));
    QVERIFY2(clickOn(program.sheet, Command2), "Calc. Score did not take the focus");
    QTRY_COMPARE_WITH_TIMEOUT(textOf(program.sheet, Score), QStringLiteral("146.3"), hangWatchdogMs);
    QTest::qWait(50);
    QCOMPARE(program.sheet.findChildren<JournalProblemNotice *>().size(), 1);

    // The flights window says it cannot read the journal, not that it holds no flights.
    program.flights.open();
    const QString status = statusLine(*program.flights.window())->text();
    QVERIFY2(status.contains(QLatin1String("could not be read")) && !status.contains(QLatin1String("0 flights")),
             qPrintable(status));
}

// The first start on a new journal with the flights window beside the sheet:
// the window may open before the journal is made, and a journal not made yet
// holds no flights; it is no failure to read.
void FlightsWindowTest::firstStartShowsNoFlightsYet()
{
    Program program;
    program.flights.open();
    const QString status = statusLine(*program.flights.window())->text();
    QVERIFY2(status.startsWith(QLatin1String("0 flights shown.")), qPrintable(status));
}

QTEST_MAIN(FlightsWindowTest)
#include "flights_window_test.moc"
