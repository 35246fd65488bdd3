#pragma once

#include <QApplication>
#include <QPalette>

// Sets a dark application palette, as a dark desktop theme does, for the
// lifetime of a scope; windows made meanwhile must keep their own colours.
class DarkDesktop {
public:
    DarkDesktop() : m_before(QApplication::palette())
    {
        QPalette dark(QColor(238, 238, 236), QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(36, 36, 36));
        dark.setColor(QPalette::Text, QColor(238, 238, 236));
        QApplication::setPalette(dark);
    }
    ~DarkDesktop() { QApplication::setPalette(m_before); }
    DarkDesktop(const DarkDesktop &) = delete;
    DarkDesktop &operator=(const DarkDesktop &) = delete;

private:
    QPalette m_before;
};
