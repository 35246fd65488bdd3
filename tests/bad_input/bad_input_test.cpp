// The bad-input test's start: the application's name and the windows' font.
#include "bad_input_test.h"
#include "tahoma_font.h"

#include <QApplication>
#include <QTest>

using namespace orlo;

void BadInputTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("Orlo_Score"));
    registerTahoma();
}

QTEST_MAIN(BadInputTest)

#include "moc_bad_input_test.cpp"
