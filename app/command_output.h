#pragma once

#include <QString>

namespace orlo {

// One line on the standard error, after the program's name, as every
// command of the command line says what went wrong.
void say(const QString &sentence);

} // namespace orlo
