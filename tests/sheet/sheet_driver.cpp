#include "sheet_driver.h"

#include "designed_palette.h"
#include "hang_watchdog.h"
#include "held_click.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

using namespace orlo;
using namespace orlo::ctl;

bool prepareSheetTests()
{
    qInfo("window system: %s", qPrintable(QGuiApplication::platformName()));
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    return registerTahoma();
}

MessageAnswerer::MessageAnswerer()
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &MessageAnswerer::answer);
    m_timer.start();
}

void MessageAnswerer::answer()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_texts << box->text();
    if (box->windowTitle() != QApplication::applicationName())
        m_faults << QStringLiteral("title \"%1\"").arg(box->windowTitle());
    if (box->icon() != QMessageBox::NoIcon)
        m_faults << QStringLiteral("an icon");
    if (box->buttons().size() != 1 || !box->button(QMessageBox::Ok))
        m_faults << QStringLiteral("buttons other than one OK");
    if (box->palette().color(QPalette::Window) != designedPalette().color(QPalette::Window)
        || box->button(QMessageBox::Ok)->palette().color(QPalette::ButtonText) != QColor(Qt::black))
        m_faults << QStringLiteral("the desktop's colours");
    box->button(QMessageBox::Ok)->click();
}

QString textOf(const ScoreSheetWindow &window, Ctl control)
{
    const auto *field = widgetOf<QLineEdit>(window, control);
    return field ? field->text() : QStringLiteral("<no such field>");
}

QString focusName()
{
    const QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

QString rulesFocusName(ScoreSheetWindow &window)
{
    const auto focus = window.rules().focus();
    return focus ? ScoreSheetWindow::objectNameOf(*focus) : QString();
}

bool settledAt(ScoreSheetWindow &window, const QString &name)
{
    return QTest::qWaitFor([&] { return focusName() == name && rulesFocusName(window) == name; }, hangWatchdogMs);
}

bool startSheet(ScoreSheetWindow &window)
{
    window.show();
    window.activateWindow();
    window.rules().start();
    return QTest::qWaitForWindowActive(&window, hangWatchdogMs) && settledAt(window, QStringLiteral("Class_0"));
}

bool mouseOn(QWidget *widget)
{
    if (!widget || !QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, hangWatchdogMs))
        return false;
    const QPoint where = qobject_cast<QRadioButton *>(widget) ? QPoint(8, widget->height() / 2)
                                                              : widget->rect().center();
    heldClick(widget, where);
    return true;
}

bool mouseOn(const ScoreSheetWindow &window, Ctl control)
{
    return mouseOn(widgetOf(window, control));
}

bool clickOn(ScoreSheetWindow &window, Ctl control)
{
    return mouseOn(window, control) && QTest::qWaitFor([&] { return window.rules().focus() == control; }, hangWatchdogMs);
}

bool press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, hangWatchdogMs))
        return false;
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    return true;
}

bool type(const QString &typed)
{
    if (!QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, hangWatchdogMs))
        return false;
    QTest::keyClicks(QApplication::focusWidget(), typed);
    return true;
}

bool typeInto(ScoreSheetWindow &window, Ctl field, const QString &typed)
{
    return clickOn(window, field) && type(typed);
}

bool tabOn(ScoreSheetWindow &window)
{
    if (!press(Qt::Key_Tab))
        return false;
    return QTest::qWaitFor([&] { return !focusName().isEmpty() && focusName() == rulesFocusName(window); }, hangWatchdogMs);
}

QStringList summaryOf(const ScoreSheetWindow &window)
{
    QStringList lines;
    const auto *list = widgetOf<QListWidget>(window, Summary);
    for (int row = 0; list && row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

bool enterWorkedRuns(ScoreSheetWindow &window)
{
    return typeInto(window, HS_Watch(0), QStringLiteral("12.3")) && tabOn(window) && type(QStringLiteral("12.4"))
           && tabOn(window) && type(QStringLiteral("25")) && tabOn(window) && press(Qt::Key_Delete)
           && tabOn(window) && QTest::qWaitFor([&] { return textOf(window, LS_Points) == QLatin1String("20.2"); }, hangWatchdogMs);
}
