#include "contest_settings_dialog.h"
#include "hang_watchdog.h"
#include "named_control.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

using namespace orlo;

// The Contest dialog alone, as the director's keys, wheel and screen meet it.
class ContestDialogTest : public QObject {
    Q_OBJECT

private slots:
    void keysAndWheel_data();
    void keysAndWheel();
    void wholeAndNamed();
    void refusalKeepsEdits_data();
    void refusalKeepsEdits();
};

namespace {

// A contest of eight classes, each counting the sum of the best 2 of 3.
contest::ContestSettings eightClasses()
{
    contest::ContestSettings contest;
    for (const char *caption : {"Profile", "Class I", "Class II", "Sportsman", ".15 Carrier", "Skyray Carrier",
                                "Profile Electric", "Class I Electric"})
    {
        contest::ClassRule rule;
        rule.caption = caption;
        rule.counting = contest::Counting::SumOfBest;
        rule.counted = 2;
        rule.officialFlights = 3;
        contest.classes.push_back(rule);
    }
    return contest;
}

// The shown value of a rule's control: a choice's text, a count's number.
QString valueOf(QWidget *control)
{
    if (auto *box = qobject_cast<QComboBox *>(control))
        return box->currentText();
    if (auto *count = qobject_cast<QSpinBox *>(control))
        return count->text();
    if (auto *tick = qobject_cast<QCheckBox *>(control))
        return tick->isChecked() ? QStringLiteral("ticked") : QStringLiteral("not ticked");
    return QStringLiteral("?");
}

bool shownActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window, hangWatchdogMs);
}

} // namespace

// The wheel over a rule scrolls the classes unless the rule has the keyboard;
// Space and F2 open a choice, the arrows choose.
void ContestDialogTest::keysAndWheel_data()
{
    QTest::addColumn<int>("column"); // of the first class's row
    QTest::addColumn<bool>("focused");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("scrolls");

    QTest::newRow("wheel over a count without focus scrolls") << 3 << false << "wheel" << "3" << true;
    QTest::newRow("wheel over a choice without focus scrolls") << 4 << false << "wheel" << "Shared (1, 2, 2, 4)" << true;
    QTest::newRow("wheel over the focused count steps it") << 3 << true << "wheel" << "4" << false;
    QTest::newRow("wheel over the focused choice chooses") << 1 << true << "wheel" << "Best flight" << false;
    QTest::newRow("Space opens a choice, arrows choose") << 4 << true << "Space" << "Broken by next best" << false;
    QTest::newRow("F2 opens a choice, arrows choose") << 1 << true << "F2" << "Best flight" << false;
    // Final ticks on a click anywhere in its cell, not on its small box alone.
    QTest::newRow("a click at the Final cell's far side ticks it") << 5 << false << "click" << "ticked" << false;
}

void ContestDialogTest::keysAndWheel()
{
    QFETCH(int, column);
    QFETCH(bool, focused);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(bool, scrolls);

    ContestSettingsDialog dialog(eightClasses(), {});
    dialog.resize(dialog.width(), 320); // fewer classes shown than there are
    QVERIFY2(shownActive(dialog), "the Contest dialog did not come up");
    QTableWidget &classes = *namedControl<QTableWidget>(dialog, QStringLiteral("ContestClasses"));
    QScrollBar &scroll = *classes.verticalScrollBar();
    QVERIFY2(scroll.maximum() > 0, "the classes all fit: nothing to scroll");
    QWidget *control = classes.cellWidget(0, column);
    if (focused)
        control->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY2_WITH_TIMEOUT(control->hasFocus() == focused, "the focus is not where the row wants it",
                              hangWatchdogMs);

    if (input == QLatin1String("click")) {
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->width() - 3, control->height() / 2));
    } else if (input == QLatin1String("wheel")) {
        // Down when it would scroll, up when it steps: either way a change.
        const QPoint at = control->rect().center();
        const QPoint notch(0, focused ? 120 : -120);
        QWheelEvent wheel(at, control->mapToGlobal(at), {}, notch, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(control, &wheel);
    } else {
        auto *box = qobject_cast<QComboBox *>(control);
        QTest::keyClick(control, input == QLatin1String("Space") ? Qt::Key_Space : Qt::Key_F2);
        QTRY_VERIFY2_WITH_TIMEOUT(box->view()->isVisible(), qPrintable(input + " opened no choices"), hangWatchdogMs);
        QTest::keyClick(box->view(), box->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY2_WITH_TIMEOUT(!box->view()->isVisible(), "the choices stayed open", hangWatchdogMs);
    }
    QCOMPARE(valueOf(control), expected);
    QVERIFY2((scroll.value() > 0) == scrolls, qPrintable(QStringLiteral("scrolled to %1").arg(scroll.value())));
}

// Every class shows at once on the screen, 600 pixels high under
// contest_dialog_small_screen; Tab visits every rule by its name and the
// table follows it.
void ContestDialogTest::wholeAndNamed()
{
    // The program's own six classes.
    contest::ContestSettings contest = eightClasses();
    contest.classes.resize(6);
    ContestSettingsDialog dialog(contest, {});
    QVERIFY2(shownActive(dialog), "the Contest dialog did not come up");
    const QRect screen = dialog.screen()->availableGeometry();
    qInfo("free area of the screen: %dx%d", screen.width(), screen.height());
    QVERIFY2(screen.contains(dialog.frameGeometry()), "the dialog is larger than the screen");
    QTableWidget &classes = *namedControl<QTableWidget>(dialog, QStringLiteral("ContestClasses"));
    for (int row = 0; row < classes.rowCount(); ++row)
        QVERIFY2(classes.viewport()->rect().contains(classes.visualRect(classes.model()->index(row, 5))),
                 qPrintable(classes.item(row, 0)->text() + " is out of sight"));

    dialog.resize(dialog.width(), 300);
    QTRY_VERIFY2_WITH_TIMEOUT(classes.verticalScrollBar()->maximum() > 0, "the classes do not scroll", hangWatchdogMs);
    QWidget *control = QApplication::focusWidget();
    QStringList unnamed;
    int rules = 0;
    for (int stop = 0; stop < 60 && control != classes.cellWidget(5, 5); ++stop) {
        QTest::keyClick(control, Qt::Key_Tab);
        control = QApplication::focusWidget();
        if (control->accessibleName().isEmpty())
            unnamed << control->metaObject()->className();
        if (control->parentWidget() == classes.viewport()) {
            ++rules;
            QVERIFY2(classes.viewport()->rect().contains(control->geometry()),
                     qPrintable(control->accessibleName() + " has the focus out of sight"));
        }
    }
    QCOMPARE(rules, 6 * 5);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", ")) + " without an accessible name"));
}

// Settings refused keep the dialog open, every edit in it, the reason shown
// and the field at fault holding the focus.
void ContestDialogTest::refusalKeepsEdits_data()
{
    QTest::addColumn<QString>("field"); // its accessible name
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a day that is no date") << "First day" << "2026-02-31" << "A contest day is a day of the calendar";
    QTest::newRow("a sum of more flights than allowed")
        << "Class II, best K flights summed" << "4" << "Class II sums the best 4 of 3";
}

void ContestDialogTest::refusalKeepsEdits()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, reason);

    ContestSettingsDialog dialog(eightClasses(), {});
    QVERIFY2(shownActive(dialog), "the Contest dialog did not come up");
    QWidget *name = nullptr;
    QWidget *fault = nullptr;
    for (QWidget *control : dialog.findChildren<QWidget *>()) {
        if (control->accessibleName() == QLatin1String("Contest name"))
            name = control;
        if (control->accessibleName() == field)
            fault = control;
    }
    QVERIFY2(name && fault, qPrintable("no control named " + field));
    static_cast<QLineEdit *>(name)->setText(QStringLiteral("Spring Carrier"));
    if (auto *count = qobject_cast<QSpinBox *>(fault))
        count->setValue(typed.toInt());
    else
        static_cast<QLineEdit *>(fault)->setText(typed);

    dialog.accept();
    QVERIFY2(dialog.isVisible() && dialog.result() != QDialog::Accepted, "refused settings closed the dialog");
    const QLabel &refusal = *namedControl<QLabel>(dialog, QStringLiteral("ContestRefusal"));
    QVERIFY2(refusal.isVisible() && refusal.text().contains(reason), qPrintable(refusal.text()));
    QCOMPARE(static_cast<QLineEdit *>(name)->text(), QStringLiteral("Spring Carrier"));
    QTRY_VERIFY2_WITH_TIMEOUT(fault->hasFocus(), qPrintable(field + " does not hold the focus"), hangWatchdogMs);
    QCOMPARE(dialog.settings().name, std::string("Spring Carrier"));
}

QTEST_MAIN(ContestDialogTest)
#include "contest_dialog_test.moc"
