#pragma once

#include "headless_sheet.h"

#include <QString>
#include <QStringList>

// What the headless sheet shows, as Qt strings for QCOMPARE.

inline QString textOf(const HeadlessSheet &sheet, orlo::Ctl control)
{
    return QString::fromStdString(sheet.text(control));
}

inline QStringList summaryOf(const HeadlessSheet &sheet)
{
    QStringList lines;
    for (const std::string &item : sheet.items(orlo::ctl::Summary))
        lines << QString::fromStdString(item);
    return lines;
}

// The messages shown since the last call, each answered with OK.
inline QStringList messagesOf(HeadlessSheet &sheet)
{
    QStringList messages;
    for (const std::string &message : sheet.takeMessages())
        messages << QString::fromStdString(message);
    return messages;
}
