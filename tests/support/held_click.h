#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>

// A mouse click as a hand makes it: the button is let go after the work the
// press set off has run (a focus move, a field's check, a message answered),
// where QTest::mouseClick delivers press and release back to back.
inline void heldClick(QWidget *widget, QPoint where)
{
    const QPointer<QWidget> target(widget);
    QTest::mousePress(widget, Qt::LeftButton, {}, where);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (target)
        QTest::mouseRelease(target, Qt::LeftButton, {}, where);
}
