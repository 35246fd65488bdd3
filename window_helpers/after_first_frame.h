#pragma once

#include <QObject>

#include <functional>

namespace orlo {

// Runs action once the window has had its first frame painted, so that
// what it does (opening a file, another window) never delays that frame;
// at once when there is no window yet. window is a QWindow.
void afterFirstFrame(QObject *window, std::function<void()> action);

} // namespace orlo
