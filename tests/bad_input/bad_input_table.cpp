// What each bad input does in each field: the inputs, the reactions worked out from the rules, the table's rows.
#include "bad_input_table.h"

#include "score_sheet_window.h"

#include <QTest>

namespace orlo::bad_input {

using namespace orlo::ctl;

namespace {

// Every field an official can type into.
const std::array<Ctl, 7> typedFields{
    HS_Watch(0), HS_Watch(1), LS_Watch(0), LS_Watch(1), Engines(0), Engines(1), LandingPts,
};

const QString badEngineCount = QStringLiteral("The Number of engines must be a number > 0. Please try again.");
const QString badLandingPoints = QStringLiteral("Landing points range from 0 to 100 in 5 point increments");

const std::array<Ctl, 14> namedControls{
    HS_Watch(0), HS_Watch(1), HS_Time, HS_MPH, HS_Points, LS_Watch(0), LS_Watch(1),
    LS_Time, LS_MPH, LS_Points, Engines(0), Engines(1), LandingPts, Score,
};

} // namespace

const std::array<BadInput, 11> badInputs{{
    {"empty", QString(), Reading::Nothing},
    {"blanks", QStringLiteral("   "), Reading::Nothing},
    {"plus-sign-only", QStringLiteral("+"), Reading::Nothing},
    {"minus-sign-only", QStringLiteral("-"), Reading::Nothing},
    {"comma-without-digits-stops-reading", QStringLiteral("12,x"), Reading::Twelve},
    {"exponent-beyond-double", QStringLiteral("1e999"), Reading::BeyondRange},
    {"c-hex-reads-leading-zero", QStringLiteral("0x10"), Reading::Nothing},
    {"basic-hex-is-no-number", QStringLiteral("&H10"), Reading::Nothing},
    {"arabic-indic-digits", QStringLiteral(u"١٢"), Reading::Nothing},
    {"fullwidth-digits", QStringLiteral(u"１２"), Reading::Nothing},
    {"paste-100000-nines", QString(100'000, QLatin1Char('9')), Reading::BeyondRange},
}};

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

} // namespace orlo::bad_input
