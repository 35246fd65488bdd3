#include "command_output.h"

#include <QCoreApplication>

#include <cstdio>

namespace orlo {

void say(const QString &sentence)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(sentence));
}

} // namespace orlo
