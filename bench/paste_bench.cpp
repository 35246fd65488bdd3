#include "score_sheet_window.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace orlo;
using namespace orlo::ctl;

namespace {

// The longest text a Qt line edit holds; a longer paste is cut to it.
constexpr int lineEditLimit = 32767;

QLineEdit *field(ScoreSheetWindow &sheet, Ctl name)
{
    return sheet.findChild<QLineEdit *>(ScoreSheetWindow::objectNameOf(name));
}

// Delivers events until the rules and Qt agree that the focus is on the
// control and no message is open; no sleeping, so the time measured is the
// sheet's own.
bool settleOn(ScoreSheetWindow &sheet, Ctl name)
{
    for (int round = 0; round < 100'000; ++round) {
        QCoreApplication::processEvents();
        const QWidget *real = sheet.focusWidget();
        if (!QApplication::activeModalWidget() && sheet.rules().focus() == name && real
            && real->objectName() == ScoreSheetWindow::objectNameOf(name))
            return true;
    }
    return false;
}

// The longest paste a field takes, 32,767 nines, into the first high-speed
// watch of the real score sheet (offscreen), left with Tab: the clipboard,
// the line edit cutting the paste, and the sheet working the run out from a
// reading beyond any number.
void pasteLongestReading(benchmark::State &state)
{
    ScoreSheetWindow sheet;
    sheet.show();
    sheet.activateWindow();
    sheet.rules().start();
    if (!QTest::qWaitForWindowActive(&sheet)) {
        state.SkipWithError("the score sheet did not become active");
        return;
    }
    QLineEdit *watch = field(sheet, HS_Watch(0));
    const QString nines(lineEditLimit, QLatin1Char('9'));
    for (auto _ : state) {
        state.PauseTiming();
        QTest::mouseClick(watch, Qt::LeftButton, {}, watch->rect().center());
        const bool inField = settleOn(sheet, HS_Watch(0));
        state.ResumeTiming();
        if (!inField) {
            state.SkipWithError("the watch field did not take the focus");
            break;
        }
        QGuiApplication::clipboard()->setText(nines);
        QTest::keyClick(watch, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(watch, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(watch, Qt::Key_Tab);
        if (!settleOn(sheet, HS_Watch(1))) {
            state.SkipWithError("the sheet did not settle on the second watch after Tab");
            break;
        }
    }
    // A paste that went elsewhere would measure something else.
    if (watch->text() != nines || sheet.text(HS_Points) != "0.0")
        state.SkipWithError("the watch did not keep 32767 nines counting no points");
}
BENCHMARK(pasteLongestReading)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Headless, whatever display the caller has.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    registerTahoma();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
