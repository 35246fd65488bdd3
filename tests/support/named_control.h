#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace orlo {

// A window's control found by its object name, as the tests find what the
// official sees; a name no such control carries ends the test, saying which.
template <typename Control>
Control *namedControl(const QObject &window, const QString &name,
                      Qt::FindChildOptions options = Qt::FindChildrenRecursively)
{
    auto *control = window.findChild<Control *>(name, options);
    if (!control)
        qFatal("%s has no control named %s", qPrintable(window.objectName()), qPrintable(name));
    return control;
}

} // namespace orlo
