#include "conversions.h"
#include "headless_sheet.h"
#include "landing_dialog_launcher.h"
#include "landing_dialog_window.h"
#include "score_sheet_window.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <utility>

using namespace orlo;
using namespace orlo::ctl;

namespace {

const QString badEngineCount = QStringLiteral("The Number of engines must be a number > 0. Please try again.");
const QString badLandingPoints = QStringLiteral("Landing points range from 0 to 100 in 5 point increments");

// The longest text a Qt line edit holds; a longer paste is cut to it.
constexpr int lineEditLimit = 32767;

// How the sheet's lenient reading of a typed field takes each bad input:
// as no number at all, as the 12 in front of "12,5", or as a number beyond
// the double range.
enum class Reading { Nothing, Twelve, BeyondRange };

struct BadInput {
    const char *name;
    QString text;
    Reading reading;
};

const std::array<BadInput, 11> badInputs{{
    {"empty", QString(), Reading::Nothing},
    {"blanks", QStringLiteral("   "), Reading::Nothing},
    {"plus-sign-only", QStringLiteral("+"), Reading::Nothing},
    {"minus-sign-only", QStringLiteral("-"), Reading::Nothing},
    {"decimal-comma-stops-reading", QStringLiteral("12,5"), Reading::Twelve},
    {"exponent-beyond-double", QStringLiteral("1e999"), Reading::BeyondRange},
    {"c-hex-reads-leading-zero", QStringLiteral("0x10"), Reading::Nothing},
    {"basic-hex-is-no-number", QStringLiteral("&H10"), Reading::Nothing},
    {"arabic-indic-digits", QStringLiteral(u"١٢"), Reading::Nothing},
    {"fullwidth-digits", QStringLiteral(u"１２"), Reading::Nothing},
    {"paste-100000-nines", QString(100'000, QLatin1Char('9')), Reading::BeyondRange},
}};

// Every field an official can type into.
const std::array<Ctl, 7> typedFields{
    HS_Watch(0), HS_Watch(1), LS_Watch(0), LS_Watch(1), Engines(0), Engines(1), LandingPts,
};

const std::array<Ctl, 14> namedControls{
    HS_Watch(0), HS_Watch(1), HS_Time, HS_MPH, HS_Points, LS_Watch(0), LS_Watch(1),
    LS_Time, LS_MPH, LS_Points, Engines(0), Engines(1), LandingPts, Score,
};

QString nameOf(Ctl control)
{
    return ScoreSheetWindow::objectNameOf(control);
}

Ctl controlNamed(const QString &name)
{
    for (Ctl control : namedControls) {
        if (nameOf(control) == name)
            return control;
    }
    qFatal("no control %s", qPrintable(name));
}

// What the sheet does when the bad input has been typed into a field of the
// flight below and the field is left with Tab, and then when "Calc. Score"
// is pressed. Worked out from the rules:
//   high speed 12.5 and 12.5: time 12.5, 143.942063419636 mph, 143.9 points
//   low speed 25 and 25: time 25, 71.9710317098182 mph, 250 / 12.5 = 20.0 points
//   one engine, no scale points, no landing: the score is 163.9.
struct Reaction {
    QString message;         // shown on leaving the field, if any
    QString focus;           // where the focus is then
    QStringList fields;      // "Name=text", "Name:shown", "Name:hidden"
    QString calcMessage;     // shown when "Calc. Score" is pressed next
    QString score;           // Score after that press
};

Reaction expectedReaction(Ctl field, Reading reading)
{
    const QStringList highSpeedAsBefore{"HS_Time=12.5", "HS_MPH=143.942063419636", "HS_Points=143.9"};
    const QStringList lowSpeedAsBefore{"LS_Time=25", "LS_MPH=71.9710317098182", "LS_Points=20.0"};
    // 12 and 12.5 average 12.25 s: 146.879656550649 mph, and the low-speed
    // points become 250 / 12.25 = 20.4.
    const QStringList highSpeedWithTwelve{"HS_Time=12.25", "HS_MPH=146.879656550649", "HS_Points=146.9",
                                          "LS_Points=20.4"};
    // 12 and 25 average 18.5 s: 97.2581509592138 mph, 185 / 12.5 = 14.8 points.
    const QStringList lowSpeedWithTwelve{"LS_Time=18.5", "LS_MPH=97.2581509592138", "LS_Points=14.8"};

    switch (field.name) {
    case Name::HS_Watch: {
        const QString next = field.index == 0 ? QStringLiteral("HS_Watch_1") : QStringLiteral("LS_Watch_0");
        switch (reading) {
        case Reading::Nothing: return {{}, next, highSpeedAsBefore + lowSpeedAsBefore, {}, "163.9"};
        case Reading::Twelve: return {{}, next, highSpeedWithTwelve, {}, "167.3"};
        case Reading::BeyondRange:
            // The sum cannot be formed: the time keeps the sum so far, and
            // the run has no speed and no points, nor has the low-speed run
            // measured against it. Pressing "Calc. Score" from LS_Watch_0
            // works the low-speed run out again against the 12.5 s left.
            if (field.index == 0)
                return {{}, next, {"HS_Time=0", "HS_MPH=0", "HS_Points=0.0", "LS_Points=0.0"}, {}, "0.0"};
            return {{}, next, {"HS_Time=12.5", "HS_MPH=0", "HS_Points=0.0", "LS_Points=0.0"}, {}, "20.0"};
        }
        break;
    }
    case Name::LS_Watch: {
        const QString next = field.index == 0 ? QStringLiteral("LS_Watch_1") : QStringLiteral("Engines_0");
        switch (reading) {
        case Reading::Nothing: return {{}, next, highSpeedAsBefore + lowSpeedAsBefore, {}, "163.9"};
        case Reading::Twelve: return {{}, next, highSpeedAsBefore + lowSpeedWithTwelve, {}, "158.7"};
        case Reading::BeyondRange:
            return {{},
                    next,
                    highSpeedAsBefore
                        + QStringList{field.index == 0 ? "LS_Time=0" : "LS_Time=25", "LS_MPH=0", "LS_Points=0.0"},
                    {},
                    "143.9"};
        }
        break;
    }
    case Name::Engines:
        if (field.index == 1) {
            // Never checked; any text other than the engine count's own
            // halves the low-speed points: 20 / 2 = 10, plus the 20 bonus.
            return {{}, "ScalePts_0", {"Engines_0=2", "Engines_1=<typed>", "LS_Points=20.0"}, {}, "173.9"};
        }
        if (reading == Reading::Nothing) {
            return {badEngineCount, "Engines_0", {"Engines_1=0", "Engines_1:hidden"}, badEngineCount, "0"};
        }
        // More than one engine: the running count shows a copy, and the
        // calculation, reading the count strictly, refuses it.
        return {{}, "Engines_1", {"Engines_1=<typed>", "Engines_1:shown"}, badEngineCount, "0"};
    case Name::LandingPts:
        return {badLandingPoints, "LandingPts", {"LandingPts=<typed>"}, badLandingPoints, "0"};
    default: break;
    }
    qFatal("no bad input reaction for %s", qPrintable(nameOf(field)));
}

QString shortened(const QString &text)
{
    return text.size() > 40 ? text.left(20) + QStringLiteral("...(%1 chars)").arg(text.size()) : text;
}

// The fields of a reaction that differ from what the sheet shows.
template <typename Read, typename Shown>
QStringList differences(const QStringList &expected, const QString &typed, Read read, Shown shown)
{
    QStringList wrong;
    for (const QString &entry : expected) {
        if (const auto equals = entry.indexOf(QLatin1Char('=')); equals > 0) {
            const QString name = entry.left(equals);
            QString wanted = entry.mid(equals + 1);
            if (wanted == QLatin1String("<typed>"))
                wanted = typed;
            const QString actual = read(controlNamed(name));
            if (actual != wanted)
                wrong << QStringLiteral("%1 is \"%2\", not \"%3\"").arg(name, shortened(actual), shortened(wanted));
        } else {
            const auto colon = entry.indexOf(QLatin1Char(':'));
            const QString name = entry.left(colon);
            const bool wanted = entry.mid(colon + 1) == QLatin1String("shown");
            if (shown(controlNamed(name)) != wanted)
                wrong << QStringLiteral("%1 should be %2").arg(name, entry.mid(colon + 1));
        }
    }
    return wrong;
}

QStringList toQt(const std::vector<std::string> &texts)
{
    QStringList converted;
    for (const std::string &text : texts)
        converted << QString::fromStdString(text);
    return converted;
}

void addTableRows(bool onlyPastes)
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("reading");
    for (Ctl field : typedFields) {
        for (const BadInput &input : badInputs) {
            if (onlyPastes && input.text.size() <= lineEditLimit)
                continue;
            QTest::addRow("%s-%s", qPrintable(nameOf(field)), input.name)
                << nameOf(field) << input.text << static_cast<int>(input.reading);
        }
    }
}

// Answers every message box of the real windows with OK and keeps its text.
class MessageAnswerer : public QObject {
public:
    MessageAnswerer()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); box && box->isVisible()) {
                m_texts << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        m_timer.start();
    }

    QStringList take() { return std::exchange(m_texts, {}); }

private:
    QTimer m_timer;
    QStringList m_texts;
};

// The sheet and the dialog as the program wires them.
struct Program {
    ScoreSheetWindow sheet;
    LandingDialogLauncher landing{sheet, sheet.rules()};

    Program() { sheet.setLandingDialog([this] { landing.open(); }, [this] { landing.close(); }); }

    QLineEdit *field(Ctl name) const { return sheet.findChild<QLineEdit *>(nameOf(name)); }
    QString text(Ctl name) const { return field(name) ? field(name)->text() : QStringLiteral("<none>"); }

    QString focus()
    {
        const auto known = sheet.rules().focus();
        return known ? nameOf(*known) : QString();
    }

    // Settled once Qt and the rules agree on the focus and no box is open.
    bool settled()
    {
        return QTest::qWaitFor([this] {
            const QWidget *real = sheet.focusWidget();
            return !QApplication::activeModalWidget() && real && real->objectName() == focus();
        });
    }

    bool click(Ctl name)
    {
        if (!sheet.isActiveWindow()) {
            sheet.activateWindow();
            if (!QTest::qWaitForWindowActive(&sheet))
                return false;
        }
        QWidget *target = sheet.findChild<QWidget *>(nameOf(name));
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        return settled();
    }

    bool typeInto(Ctl name, const QString &typed)
    {
        if (!click(name))
            return false;
        QTest::keyClicks(field(name), typed);
        return true;
    }

    bool tab()
    {
        QTest::keyClick(sheet.focusWidget(), Qt::Key_Tab);
        return settled();
    }
};

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void rulesReaction_data();
    void rulesReaction();
    void pasteIntoWindow_data();
    void pasteIntoWindow();
    void lowSpeedBeyondRangeLeavesHighSpeedAlone();
    void byteOrderMarkStaysInTheText();
};

void BadInputTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    registerTahoma();
}

void BadInputTest::rulesReaction_data()
{
    addTableRows(false);
}

// The rules' reaction on the headless sheet, field by field.
void BadInputTest::rulesReaction()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, reading);
    const Ctl target = controlNamed(field);
    const Reaction expected = expectedReaction(target, static_cast<Reading>(reading));

    HeadlessSheet sheet;
    sheet.start();
    for (const auto &[watch, time] : {std::pair{HS_Watch(0), "12.5"}, std::pair{HS_Watch(1), "12.5"},
                                      std::pair{LS_Watch(0), "25"}, std::pair{LS_Watch(1), "25"}})
        sheet.type(watch, time);
    if (target == Engines(1)) {
        sheet.type(Engines(0), "2");
        sheet.tab();
        QVERIFY2(sheet.focused() == Engines(1), "two engines show the running count");
    }
    sheet.click(target);
    QVERIFY2(sheet.takeMessages().empty(), "the flight goes in without a message");
    QCOMPARE(sheet.text(HS_Points), std::string("143.9"));

    // Selected whole, as entry selects the watch and engine fields, and
    // typed over.
    sheet.selectText(target, 0, characterCount(sheet.text(target)));
    sheet.typeHere(typed.toStdString());
    sheet.tab();

    const QStringList leaving = toQt(sheet.takeMessages());
    QCOMPARE(leaving, expected.message.isEmpty() ? QStringList() : QStringList{expected.message});
    QCOMPARE(sheet.focused() ? nameOf(*sheet.focused()) : QString(), expected.focus);
    const QStringList wrong = differences(
        expected.fields, typed, [&](Ctl control) { return QString::fromStdString(sheet.text(control)); },
        [&](Ctl control) { return sheet.isVisible(control); });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    if (target == LandingPts)
        QVERIFY2(sheet.isDialogOpen(), "a refused landing value leads to the landing dialog");

    sheet.click(Command2);
    const QStringList calculating = toQt(sheet.takeMessages());
    QCOMPARE(calculating, expected.calcMessage.isEmpty() ? QStringList() : QStringList{expected.calcMessage});
    QCOMPARE(QString::fromStdString(sheet.text(Score)), expected.score);
}

void BadInputTest::pasteIntoWindow_data()
{
    addTableRows(true);
}

// A paste longer than a line edit holds, on the real window: the field keeps
// the first 32767 characters, and the sheet reacts to those as the rules do
// to the whole text. How long that takes is measured in bench/paste_bench.
void BadInputTest::pasteIntoWindow()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, reading);
    const Ctl target = controlNamed(field);
    const Reaction expected = expectedReaction(target, static_cast<Reading>(reading));
    const QString kept = typed.left(lineEditLimit);

    MessageAnswerer messages;
    Program program;
    program.sheet.show();
    program.sheet.activateWindow();
    program.sheet.rules().start();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet) && program.settled(), "the sheet did not start");
    for (const auto &[watch, time] : {std::pair{HS_Watch(0), "12.5"}, std::pair{HS_Watch(1), "12.5"},
                                      std::pair{LS_Watch(0), "25"}, std::pair{LS_Watch(1), "25"}})
        QVERIFY2(program.typeInto(watch, QString::fromLatin1(time)), "a watch field did not take the focus");
    if (target == Engines(1))
        QVERIFY2(program.typeInto(Engines(0), QStringLiteral("2")) && program.tab() && program.focus() == field,
                 "two engines show the running count");
    QVERIFY2(program.click(target), qPrintable(field + " did not take the focus"));
    QVERIFY2(messages.take().isEmpty(), "the flight goes in without a message");
    QCOMPARE(program.text(HS_Points), QStringLiteral("143.9"));

    QGuiApplication::clipboard()->setText(typed);
    // The landing field opened the dialog; the operator clicks back into it.
    QVERIFY2(program.click(target), qPrintable(field + " did not take the focus back"));
    QLineEdit *box = program.field(target);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->maxLength(), lineEditLimit);
    QCOMPARE(box->text().size(), kept.size());
    QVERIFY2(box->text() == kept, "the field keeps the paste's first characters");
    QVERIFY2(program.tab(), "the sheet did not settle after Tab");

    QCOMPARE(messages.take(), expected.message.isEmpty() ? QStringList() : QStringList{expected.message});
    QCOMPARE(program.focus(), expected.focus);
    const QStringList wrong = differences(
        expected.fields, kept, [&](Ctl control) { return program.text(control); },
        [&](Ctl control) { return program.field(control)->isVisible(); });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));

    QVERIFY2(program.click(Command2) || !expected.calcMessage.isEmpty(), "\"Calc. Score\" did not take the focus");
    QVERIFY2(program.settled(), "the sheet did not settle after \"Calc. Score\"");
    QCOMPARE(messages.take(), expected.calcMessage.isEmpty() ? QStringList() : QStringList{expected.calcMessage});
    QCOMPARE(program.text(Score), expected.score);
}

// Low-speed readings of 1e308 and 25 average 5E+307 s: a time, but ten times
// it lies beyond any number, so the low-speed run has no points, and working
// the high-speed run out again leaves its own points standing.
void BadInputTest::lowSpeedBeyondRangeLeavesHighSpeedAlone()
{
    HeadlessSheet sheet;
    sheet.start();
    for (const auto &[watch, time] : {std::pair{HS_Watch(0), "12.5"}, std::pair{HS_Watch(1), "12.5"},
                                      std::pair{LS_Watch(0), "25"}, std::pair{LS_Watch(1), "25"}})
        sheet.type(watch, time);
    sheet.type(LS_Watch(0), "1e308");
    sheet.tab();
    QCOMPARE(QString::fromStdString(sheet.text(LS_Time)), QStringLiteral("5E+307"));
    QCOMPARE(QString::fromStdString(sheet.text(LS_Points)), QStringLiteral("0.0"));

    sheet.type(HS_Watch(0), "12.5");
    sheet.tab();
    QCOMPARE(QString::fromStdString(sheet.text(HS_Points)), QStringLiteral("143.9"));
    QCOMPARE(QString::fromStdString(sheet.text(LS_Points)), QStringLiteral("0.0"));
    sheet.click(Command2);
    QVERIFY2(sheet.messages().empty(), "no message on the way");
    QCOMPARE(QString::fromStdString(sheet.text(Score)), QStringLiteral("143.9"));
}

// A pasted text may begin with an invisible byte order mark. The landing
// points then count 0, and the summary must list the text as it stands, mark
// and all, not as "120", which the total does not hold.
void BadInputTest::byteOrderMarkStaysInTheText()
{
    MessageAnswerer messages;
    Program program;
    program.sheet.show();
    program.sheet.activateWindow();
    program.sheet.rules().start();
    QVERIFY2(QTest::qWaitForWindowActive(&program.sheet) && program.settled(), "the sheet did not start");

    const std::string marked = "\xEF\xBB\xBF" "120";
    program.sheet.setText(LandingPts, marked);
    QCOMPARE(program.sheet.text(LandingPts), marked);
    QVERIFY2(program.click(Command2), "\"Calc. Score\" did not take the focus");

    const auto *summary = program.sheet.findChild<QListWidget *>(QStringLiteral("Summary"));
    QTRY_COMPARE(summary->count(), 6);
    QCOMPARE(summary->item(4)->text(), QStringLiteral(u"\ufeff120 Landing Points"));
    QCOMPARE(program.text(Score), QStringLiteral("0.0"));
    QVERIFY2(messages.take().isEmpty(), "no message on the way");
}

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
