// The bad-input table: each bad input, and what the sheet does with it in each field of a worked-out flight.
#pragma once

#include "sheet_fields.h"

#include <QString>
#include <QStringList>

#include <array>

namespace orlo::bad_input {

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

extern const std::array<BadInput, 11> badInputs;

// A control's object name on the score sheet, and back.
QString nameOf(Ctl control);
Ctl controlNamed(const QString &name);

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

Reaction expectedReaction(Ctl field, Reading reading);

// A text cut short for a report.
QString shortened(const QString &text);

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

// The table's columns and rows: every typed field with every bad input, or
// with only those longer than a line edit holds.
void addTableRows(bool onlyPastes);

} // namespace orlo::bad_input
