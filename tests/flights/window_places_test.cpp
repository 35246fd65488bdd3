#include "contest_journal.h"
#include "entry_list_window.h"
#include "flights_program.h"
#include "flights_window.h"
#include "flights_window_opener.h"
#include "hang_watchdog.h"
#include "sheet_driver.h"
#include "window_place.h"
#include "wired_program.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QTest>

using namespace orlo;

// Where the windows open beside the sheet, and the place each keeps from
// one start to the next.
class WindowPlacesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(prepareSheetTests(), "the sheet's fonts are missing"); }
    void besideTheSheet_data();
    void besideTheSheet();
    void flightsWindowFitsBesideTheSheet();
    void openedClearOfTheSheet();
    void placeKeptUntilTheScreenChanges();
    void secondProgramOnTheJournalOpensOffTheFirst();
    void manualOnF1_data();
    void manualOnF1();
};

// Frames on screens of 1280×1024 and 1024×600 with the sheet as the program
// opens it (861×585 inside, a frame of 4 and a title of 24 around it).
void WindowPlacesTest::besideTheSheet_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("sheet");
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<QSize>("least");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<bool>("overSheet");

    const QRect wide(0, 0, 1280, 1024);
    const QRect small(0, 0, 1024, 600);
    const QRect sheet(0, 0, 869, 613);
    QTest::newRow("Standings at 1280x1024: beside, narrowed")
        << wide << sheet << QSize(768, 508) << QSize(300, 200) << QRect(869, 0, 411, 508) << false;
    QTest::newRow("flights at 1280x1024: beside, narrowed to the room")
        << wide << sheet << QSize(968, 628) << QSize(400, 300) << QRect(869, 0, 411, 628) << false;
    QTest::newRow("too wide for the side: under the sheet")
        << wide << sheet << QSize(768, 508) << QSize(460, 200) << QRect(0, 613, 768, 411) << false;
    QTest::newRow("too wide for the side, too high for under: whole, at the right")
        << wide << sheet << QSize(968, 628) << QSize(420, 500) << QRect(312, 0, 968, 628) << true;
    QTest::newRow("1024x600: whole on the screen, in front of the sheet")
        << small << sheet << QSize(968, 628) << QSize(400, 300) << QRect(56, 0, 968, 600) << true;
    QTest::newRow("sheet on the right of a wide screen: on its left")
        << QRect(0, 0, 1920, 1080) << sheet.translated(1000, 300) << QSize(768, 508) << QSize(300, 200)
        << QRect(232, 300, 768, 508) << false;
    QTest::newRow("sheet low on the screen: raised to show whole")
        << wide << sheet.translated(0, 700) << QSize(768, 508) << QSize(300, 200) << QRect(869, 516, 411, 508)
        << false;
}

void WindowPlacesTest::besideTheSheet()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, sheet);
    QFETCH(QSize, wanted);
    QFETCH(QSize, least);
    QFETCH(QRect, expected);
    QFETCH(bool, overSheet);

    const Placement placed = placeBeside(screen, sheet, wanted, least);
    QCOMPARE(placed.frame, expected);
    QCOMPARE(placed.overSheet, overSheet);
    QVERIFY2(screen.contains(placed.frame), "the window is not whole on the screen");
}

// At 1280 pixels wide the flights window can be narrowed to the room the sheet leaves.
void WindowPlacesTest::flightsWindowFitsBesideTheSheet()
{
    QTemporaryDir folder;
    WiredProgram program(folder.filePath(QStringLiteral("journal.sqlite")));
    QVERIFY2(program.start(), "the score sheet did not start");
    // A flight, so that the filters have their choices.
    QVERIFY2(clickOn(program.sheet, ctl::HS_Watch(0)), "the first high-speed watch did not take the focus");
    QVERIFY(type(QStringLiteral("12.3")) && tabOn(program.sheet));
    QVERIFY2(clickOn(program.sheet, ctl::Command2), "Calc. Score did not take the focus");
    program.program.flights()->open();
    QWidget &flights = *program.program.flights()->window();
    const int room = 1280 - program.sheet.frameGeometry().width();
    QVERIFY2(flights.minimumSizeHint().width() <= room,
             qPrintable(QStringLiteral("the flights window is %1 pixels wide at the least; the sheet leaves %2")
                            .arg(flights.minimumSizeHint().width())
                            .arg(room)));
    // Narrowed so, each filter still shows its whole choice: "All classes"
    // was cut to "All clas".
    flights.resize(room, flights.height());
    flights.layout()->activate();
    for (const QComboBox *filter : flights.findChildren<QComboBox *>()) {
        QTRY_VERIFY2_WITH_TIMEOUT(!filter->currentText().isEmpty(), "a filter was never filled", hangWatchdogMs);
        QStyleOptionComboBox option;
        option.initFrom(filter);
        option.editable = filter->isEditable();
        const int field = filter->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, filter).width();
        const int text = filter->fontMetrics().horizontalAdvance(filter->currentText());
        QVERIFY2(text <= field, qPrintable(QStringLiteral("\"%1\" needs %2 pixels; its filter shows %3")
                                               .arg(filter->currentText())
                                               .arg(text)
                                               .arg(field)));
    }
}

// On a screen with room beside the sheet, the flights window and the entry
// list opened from it leave the whole sheet in view. Placed whole at the
// flights window's corner, the entry list was pushed back over the sheet.
void WindowPlacesTest::openedClearOfTheSheet()
{
    QTemporaryDir folder;
    WiredProgram program(folder.filePath(QStringLiteral("journal.sqlite")));
    {
        journal::ContestJournal contest(folder.filePath(QStringLiteral("journal.sqlite")).toStdString());
        contest.add({"Bartholomew Featherstonehaugh", "AMA 1234567", {"Profile", "Class I", "Class II"}});
    }
    QVERIFY2(program.start(), "the score sheet did not start");
    program.program.flights()->open();
    FlightsWindow &flights = *program.program.flights()->window();
    flights.openEntryList();
    const QRect sheet = program.sheet.frameGeometry();
    const QWidget *entries = flights.findChild<EntryListWindow *>();
    for (const QWidget *window : {static_cast<const QWidget *>(&flights), entries}) {
        QVERIFY2(window && window->isVisible(), "the window did not open");
        const QRect frame = window->frameGeometry();
        QVERIFY2(!frame.intersects(sheet), qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 covers the sheet, %6 wide")
                                                          .arg(window->windowTitle())
                                                          .arg(frame.x())
                                                          .arg(frame.y())
                                                          .arg(frame.width())
                                                          .arg(frame.height())
                                                          .arg(sheet.width())));
    }
    // In the room left beside the sheet, the list's last columns and its
    // search hint show whole.
    const auto *table = entries->findChild<QTableWidget *>(QStringLiteral("Entries"));
    const QHeaderView &header = *table->horizontalHeader();
    for (const int column : {int(EntryListWindow::Number), int(EntryListWindow::Classes), int(EntryListWindow::Flights)}) {
        const QString heading = table->horizontalHeaderItem(column)->text();
        const int right = header.sectionViewportPosition(column) + header.sectionSize(column);
        QVERIFY2(right <= table->viewport()->width() && header.sectionSize(column) >= header.fontMetrics().horizontalAdvance(heading),
                 qPrintable(QStringLiteral("%1 is cut: %2 of %3 pixels").arg(heading).arg(right).arg(table->viewport()->width())));
    }
    const auto *search = entries->findChild<QLineEdit *>(QStringLiteral("Search"));
    QVERIFY2(search->fontMetrics().horizontalAdvance(search->placeholderText()) < search->width() - 8,
             qPrintable(QStringLiteral("the search hint needs more than %1 pixels").arg(search->width())));
}

// A window opens where it was last put; a place that would not show whole
// on the screen now is not given back, and the window keeps the one it had.
void WindowPlacesTest::placeKeptUntilTheScreenChanges()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("windows.ini"));
    keepPlacesIn(file);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect put(screen.topLeft() + QPoint(60, 40), QSize(300, 200));
    {
        QWidget window;
        keepPlace(window, QStringLiteral("probe"));
        window.show();
        QVERIFY2(QTest::qWaitForWindowExposed(&window, hangWatchdogMs), "the window did not show");
        window.setGeometry(put);
        window.hide();
    }
    QWidget again;
    QVERIFY2(restorePlace(again, QStringLiteral("probe")), "the place kept was not given back");
    QCOMPARE(again.geometry(), put);
    {
        // Kept where a smaller screen now has the sheet's buttons (Calc.
        // Score, Reset): not given back, the window placed afresh.
        QWidget sheet;
        sheet.setGeometry(QRect(screen.topLeft(), QSize(400, 300)));
        auto *calculate = new QPushButton(QStringLiteral("Calc. Score"), &sheet);
        calculate->setGeometry(200, 220, 100, 30);
        sheet.show();
        QVERIFY2(QTest::qWaitForWindowExposed(&sheet, hangWatchdogMs), "the sheet did not show");
        QWidget overButtons;
        overButtons.setGeometry(QRect(screen.topLeft() + QPoint(500, 500), QSize(100, 100)));
        QVERIFY2(!restorePlace(overButtons, QStringLiteral("probe"), &sheet), "a place over the sheet's buttons was given back");
        QCOMPARE(overButtons.geometry(), QRect(screen.topLeft() + QPoint(500, 500), QSize(100, 100)));
        calculate->move(360, 260); // past the place kept: given back
        QVERIFY2(restorePlace(overButtons, QStringLiteral("probe"), &sheet), "a place clear of the buttons was not given back");
    }

    {
        // Kept on a screen larger than this one: it would reach past its edge.
        QWidget larger;
        larger.setGeometry(QRect(screen.topLeft(), screen.size() + QSize(400, 300)));
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("windows/larger"), larger.saveGeometry());
    }
    {
        // Kept narrow at the screen's edge, for a window whose contents now
        // need more width (the manual was once squeezed so): widened as it
        // shows, it reached past the edge, off the screen.
        QWidget narrow;
        narrow.setGeometry(QRect(screen.right() + 1 - 150, screen.top() + 40, 150, 200));
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("windows/narrow"), narrow.saveGeometry());
    }
    QWidget wider;
    auto *contents = new QWidget(&wider);
    contents->setMinimumWidth(340);
    (new QVBoxLayout(&wider))->addWidget(contents);
    wider.setGeometry(put);
    restorePlace(wider, QStringLiteral("narrow"));
    wider.show();
    QVERIFY2(QTest::qWaitForWindowExposed(&wider, hangWatchdogMs), "the window did not show");
    QVERIFY2(screen.contains(wider.frameGeometry()), qPrintable(QStringLiteral("shown at %1,%2 %3x%4")
                                                                   .arg(wider.x())
                                                                   .arg(wider.y())
                                                                   .arg(wider.width())
                                                                   .arg(wider.height())));

    QWidget fresh;
    fresh.setGeometry(put);
    const bool restored = restorePlace(fresh, QStringLiteral("larger"));
    QVERIFY2(restored ? screen.contains(fresh.frameGeometry()) : fresh.geometry() == put,
             qPrintable(QStringLiteral("given %1,%2 %3x%4")
                            .arg(fresh.x())
                            .arg(fresh.y())
                            .arg(fresh.width())
                            .arg(fresh.height())));
    keepPlacesIn({});
}

// A second program started on the same journal opens its sheet off the
// first's place, and its title says another program has the journal open;
// it opened exactly over the first, saying nothing. Once both have ended,
// the next program is the only one again.
void WindowPlacesTest::secondProgramOnTheJournalOpensOffTheFirst()
{
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("journal.sqlite"));
    {
        WiredProgram first(journal);
        QVERIFY2(first.start(), "the first program did not start");
        WiredProgram second(journal);
        QVERIFY2(second.start(), "the second program did not start");
        const QString said = QStringLiteral("another program has this journal open");
        QVERIFY2(second.sheet.windowTitle().contains(said) && !first.sheet.windowTitle().contains(said),
                 qPrintable(first.sheet.windowTitle() + " / " + second.sheet.windowTitle()));
        const QRect firstPlace = first.sheet.frameGeometry();
        const QRect secondPlace = second.sheet.frameGeometry();
        QVERIFY2(secondPlace.topLeft() != firstPlace.topLeft()
                     && QGuiApplication::primaryScreen()->availableGeometry().contains(secondPlace),
                 qPrintable(QStringLiteral("the second sheet at %1,%2, the first at %3,%4")
                                .arg(secondPlace.x())
                                .arg(secondPlace.y())
                                .arg(firstPlace.x())
                                .arg(firstPlace.y())));
    }
    WiredProgram alone(journal);
    QVERIFY2(!alone.program.journalOpenElsewhere(), "the mark of a program ended was taken for one running");
}

void WindowPlacesTest::manualOnF1_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("score sheet") << QStringLiteral("sheet");
    QTest::newRow("flights window") << QStringLiteral("flights");
    QTest::newRow("entry list") << QStringLiteral("entries");
    QTest::newRow("Standings window") << QStringLiteral("standings");
}

// F1 in any of the program's windows shows the user's manual beside the
// sheet, rendered from its Markdown, with its list of contents leading to
// the headings; Escape puts it away.
void WindowPlacesTest::manualOnF1()
{
    QFETCH(QString, window);
    Program program;
    QVERIFY2(program.start(), "the score sheet did not start");
    QWidget *pressedIn = &program.sheet;
    if (window != QLatin1String("sheet")) {
        program.flights.open();
        pressedIn = program.flights.window();
    }
    if (window == QLatin1String("entries")) {
        program.flights.window()->openEntryList();
        pressedIn = program.flights.window()->findChild<EntryListWindow *>();
    } else if (window == QLatin1String("standings")) {
        program.program.openStandings();
        pressedIn = program.program.standings();
    }
    QVERIFY2(pressedIn && QTest::qWaitForWindowActive(pressedIn, hangWatchdogMs), "the window did not come forward");
    QTest::keyClick(pressedIn->focusWidget() ? pressedIn->focusWidget() : pressedIn, Qt::Key_F1);

    QWidget *manual = nullptr;
    QTRY_VERIFY2_WITH_TIMEOUT((manual = [] {
                                  for (QWidget *shown : QApplication::topLevelWidgets())
                                      if (shown->objectName() == QLatin1String("manual") && shown->isVisible())
                                          return shown;
                                  return static_cast<QWidget *>(nullptr);
                              }()),
                              "F1 showed no manual", hangWatchdogMs);
    QVERIFY2(QTest::qWaitForWindowActive(manual, hangWatchdogMs), "the manual did not come forward");
    QVERIFY2(!manual->frameGeometry().intersects(program.sheet.frameGeometry()), "the manual covers the sheet");
    auto *text = manual->findChild<QTextBrowser *>(QStringLiteral("manualText"));
    QVERIFY2(text, "the manual has no text");
    const QString shown = text->toPlainText();
    QVERIFY2(shown.startsWith(QLatin1String("Orlo Score: the user's manual"))
                 && shown.contains(QLatin1String("\nKeyboard use\n")) && !shown.contains(QLatin1String("## ")),
             qPrintable(shown.left(200)));
    // The list of contents' last entry, clicked, leads to its heading near the end. The text
    // is laid out a part at a time after it shows: the heading is reached once it is all there.
    const QScrollBar &scrolled = *text->verticalScrollBar();
    const auto clickLastEntry = [text] {
        text->verticalScrollBar()->setValue(0);
        QTextCursor entry = text->document()->find(QStringLiteral("Input the program refuses"));
        entry.setPosition(entry.selectionStart() + 3);
        QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(entry).center());
    };
    QTRY_VERIFY2_WITH_TIMEOUT((clickLastEntry(), scrolled.value() > scrolled.maximum() / 2),
                              qPrintable(QStringLiteral("the list of contents leads nowhere: at %1 of %2")
                                             .arg(scrolled.value())
                                             .arg(scrolled.maximum())),
                              hangWatchdogMs);

    // Where the sheet leaves only a strip beside it (a 1024×600 screen), the
    // manual opens elsewhere, lines of words wide, not squeezed into the strip
    // a word a line.
    program.sheet.move(1280 - program.sheet.frameGeometry().width() - 200, 0);
    placeBeside(*manual, program.sheet);
    const int readable = text->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('x')));
    QVERIFY2(text->viewport()->width() >= readable,
             qPrintable(QStringLiteral("the manual placed %1 pixels wide, its text %2; a line of 40 letters needs %3")
                            .arg(manual->width())
                            .arg(text->viewport()->width())
                            .arg(readable)));

    QTest::keyClick(text, Qt::Key_Escape);
    QTRY_VERIFY2_WITH_TIMEOUT(!manual->isVisible(), "Escape left the manual open", hangWatchdogMs);
}

// One screen of 1280×1024, as on the laptop at a flight line: room beside the sheet.
int main(int argc, char *argv[])
{
    QTemporaryDir folder;
    QFile screens(folder.filePath(QStringLiteral("screens.json")));
    if (!screens.open(QIODevice::WriteOnly)
        || screens.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1280, "height": 1024}]})") < 0)
        return 1;
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    QApplication application(argc, argv);
    WindowPlacesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "window_places_test.moc"
