// What must hold after each of the monkey's actions, whatever was typed.
#include "monkey.h"

#include <QApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

namespace orlo::monkey {

using namespace orlo::ctl;

namespace {

constexpr int messagesPerActionAllowed = 3;

const QStringList knownMessages{
    QStringLiteral("Negative time, how'd you do that? Positive numbers please."),
    QStringLiteral("Negative times, how'd you do that? Positive numbers please."),
    QStringLiteral("You must enter at least one watch time for the highspeed."),
    QStringLiteral("The Number of engines must be a number > 0. Please try again."),
    QStringLiteral("Landing points range from 0 to 100 in 5 point increments"),
};
const QString badLandingMessage = knownMessages.at(4);

// A complete number as the score sheet's strict reading takes it, written
// out here as a pattern so the check does not lean on the reader it checks.
bool looksLikeCompleteNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[ \\t\\n]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?[ \\t\\n]*$"));
    return number.match(text).hasMatch();
}

// A complete number within the double range; one too small for a double
// reads as 0 and counts. Qt gives an infinity for a number too large.
bool readsAsFiniteNumber(const QString &text)
{
    return looksLikeCompleteNumber(text) && std::isfinite(text.trimmed().toDouble());
}

// What the sheet counts for a text that need not be a number: blanks
// dropped, then as much of a number as stands at the front, else 0
// ("12abc" counts 12).
double leniently(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[ \\t\\n]")));
    static const QRegularExpression front(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?"));
    const QRegularExpressionMatch number = front.match(text);
    if (!number.hasMatch())
        return 0;
    QString written = number.captured(0);
    written.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    return written.toDouble();
}

// The number at the front of a summary line ("143.9 High Speed Points").
double leadingNumber(const QString &line, const QString &suffix)
{
    return leniently(line.left(line.size() - suffix.size()));
}

} // namespace

Calculation Monkey::calculation() const
{
    Calculation now;
    const QListWidget *summary = list(Summary);
    for (int row = 0; row < summary->count(); ++row)
        now.summary << summary->item(row)->text();
    now.summaryShown = summary->isVisible();
    now.score = text(Score);
    now.lowSpeedPoints = text(LS_Points);
    return now;
}

QString Monkey::brokenRule()
{
    for (const QString &message : std::as_const(m_messages)) {
        if (!knownMessages.contains(message))
            return QStringLiteral("an unknown message: %1").arg(preview(message));
    }
    if (m_messages.size() > messagesPerActionAllowed)
        return QStringLiteral("%1 messages for one action").arg(m_messages.size());
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (std::count_if(windows.begin(), windows.end(), [](const QWidget *window) {
            return qobject_cast<const LandingDialogWindow *>(window) && window->isVisible();
        }) > 1)
        return QStringLiteral("more than one landing dialog is open");
    if (m_expectedLanding) {
        if (text(LandingPts) != *m_expectedLanding)
            return QStringLiteral("\"Done\" wrote %1 into LandingPts, not %2")
                .arg(preview(text(LandingPts)), *m_expectedLanding);
        if (m_messages.contains(badLandingMessage))
            return QStringLiteral("the landing points \"Done\" wrote failed their own check");
        if (dialog())
            return QStringLiteral("\"Done\" left the dialog open");
        ++m_tally.landings;
    }
    if (const QString broken = brokenCalculation(); !broken.isEmpty())
        return broken;
    return brokenReset();
}

QString Monkey::brokenCalculation()
{
    // A press that counted rebuilds the summary, and a calculation run
    // to its end lists the total.
    const bool calculated = m_calcPressed && m_summaryRebuilt;
    const Calculation now = calculation();
    const std::optional<Calculation> previous = std::exchange(m_lastCalculation, std::nullopt);
    if (!calculated)
        return {};
    m_lastCalculation = now;
    ++m_tally.calculations;
    m_tally.repeatedCalculations += previous ? 1 : 0;
    if (previous && *previous != now)
        return QStringLiteral("\"Calc. Score\" pressed again changed the sheet: summary [%1] score %2 "
                              "low-speed points %3, before [%4] %5 %6")
            .arg(now.summary.join(QStringLiteral("; ")), now.score, now.lowSpeedPoints,
                 previous->summary.join(QStringLiteral("; ")), previous->score, previous->lowSpeedPoints);
    if (!now.summaryShown)
        return QStringLiteral("\"Calc. Score\" left the summary hidden");

    const bool enginesReadable = readsAsFiniteNumber(text(Engines(0)));
    const bool totalListed = !now.summary.isEmpty() && now.summary.back().endsWith(QLatin1String(" Total Score"));
    if (!totalListed) {
        // Only an engine count that cannot be read, or sums beyond any
        // number, stop the calculation short.
        const auto moderate = [this](Ctl field) { return std::fabs(leniently(text(field))) < 1e300; };
        if (enginesReadable && moderate(HS_Points) && moderate(LS_Points) && moderate(LandingPts))
            return QStringLiteral("\"Calc. Score\" stopped short with %1 engines: [%2]")
                .arg(preview(text(Engines(0))), now.summary.join(QStringLiteral("; ")));
        return {};
    }
    if (!enginesReadable)
        return QStringLiteral("\"Calc. Score\" listed a total with %1 engines").arg(preview(text(Engines(0))));

    double listed = 0;
    for (const QString &line : now.summary) {
        if (line == QLatin1String(" 20.0 Multiple Engine Bonus"))
            listed += 20;
        for (const QString &suffix : {QStringLiteral(" Scale Points"), QStringLiteral(" Landing Points")}) {
            if (line.endsWith(suffix))
                listed += leadingNumber(line, suffix);
        }
    }
    const double expected = leniently(text(HS_Points)) + leniently(text(LS_Points)) + listed;
    const double score = text(Score).toDouble();
    // The landing points are listed to a tenth and the score is rounded
    // to one: the two roundings may together make a tenth.
    const double tolerance = 0.1 + std::max(1.0, std::fabs(expected)) * 1e-12;
    if (!(std::fabs(score - expected) <= tolerance))
        return QStringLiteral("Score %1 is not HS_Points %2 + LS_Points %3 + %4 listed (%5)")
            .arg(text(Score), text(HS_Points), text(LS_Points))
            .arg(listed)
            .arg(expected);
    return {};
}

QString Monkey::brokenReset()
{
    // Reset counts unless leaving the field the focus was in failed its
    // check (a message) or sent the focus to the running engines.
    const bool blocked = !m_messages.isEmpty() || m_focusBefore == Engines(0);
    const bool resetRan = m_resetPressed && m_summaryRebuilt;
    if (m_resetPressed && !resetRan && !blocked)
        return QStringLiteral("\"Reset\" was pressed but did not reset the sheet");
    if (!resetRan)
        return {};
    ++m_tally.resets;
    QStringList wrong;
    const auto expect = [&](Ctl field, const char *wanted) {
        if (text(field) != QLatin1String(wanted))
            wrong << QStringLiteral("%1 %2").arg(ScoreSheetWindow::objectNameOf(field), preview(text(field)));
    };
    for (int i = 0; i <= 1; ++i) {
        expect(HS_Watch(i), "0");
        expect(LS_Watch(i), "0");
        expect(Engines(i), "1");
    }
    for (Ctl result : {HS_Time, HS_MPH, HS_Points, LS_Time, LS_MPH, LS_Points, LandingPts, Score})
        expect(result, "0");
    if (!checked(Class(0)))
        wrong << QStringLiteral("Class I not selected");
    if (!checked(ScalePts(0)) || checked(ScalePts(1)))
        wrong << QStringLiteral("scale points 0 not selected");
    if (!control(ScalePts(1))->isVisible() || control<QRadioButton>(ScalePts(1))->text() != QLatin1String("100"))
        wrong << QStringLiteral("the upper scale option is not the shown \"100\"");
    if (list(Summary)->isVisible() || list(Summary)->count() != 0)
        wrong << QStringLiteral("the summary is shown or not empty");
    if (m_program.sheet.rules().focus() != Class(0))
        wrong << QStringLiteral("the focus is not on Class I");
    return wrong.isEmpty() ? QString() : QStringLiteral("after Reset: ") + wrong.join(QStringLiteral(", "));
}

} // namespace orlo::monkey
