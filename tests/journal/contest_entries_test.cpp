#include "contestant_names.h"

#include <QTest>

using namespace orlo::journal;

// The entry list of a contest: names compared, entries kept and imported,
// flights corrected with a trail of every change.
class ContestEntriesTest : public QObject {
    Q_OBJECT

private slots:
    void namesCompared_data();
    void namesCompared();
    void completionFinds_data();
    void completionFinds();
};

void ContestEntriesTest::namesCompared_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("tidy");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("same");
    QTest::newRow("two spaces inside") << "Hal  Ivers" << "Hal Ivers" << "Hal Ivers" << true;
    QTest::newRow("blanks at the ends and a tab") << " \tHal\t Ivers  " << "Hal Ivers" << "hal ivers" << true;
    QTest::newRow("no-break space between initials") << "B.\u00a0Okafor" << "B. Okafor" << "b. OKAFOR" << true;
    QTest::newRow("latin-1 capitals fold") << "ÉMILE ØRSTED" << "ÉMILE ØRSTED" << "émile ørsted" << true;
    QTest::newRow("multiplication sign is no letter") << "A×B" << "A×B" << "A÷B" << false;
    QTest::newRow("a longer first name is another name") << "Ken Lo" << "Ken Lo" << "Kenneth Lo" << false;
    QTest::newRow("other scripts compared as written") << "Дмитрий" << "Дмитрий" << "дмитрий" << false;
    QTest::newRow("blanks alone are no name") << " \t " << "" << "" << true;
}

void ContestEntriesTest::namesCompared()
{
    QFETCH(QString, typed);
    QFETCH(QString, tidy);
    QFETCH(QString, other);
    QFETCH(bool, same);
    QCOMPARE(QString::fromStdString(tidyName(typed.toStdString())), tidy);
    QVERIFY2(sameName(typed.toStdString(), other.toStdString()) == same,
             qPrintable(typed + (same ? " differs from " : " matches ") + other));
}

void ContestEntriesTest::completionFinds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("found");
    QTest::newRow("number") << "17" << QList<int>{1, 2};
    QTest::newRow("inside a name, any case") << "OKA" << QList<int>{1};
    QTest::newRow("starts first, then inside") << "a" << QList<int>{2, 0, 1};
    QTest::newRow("nothing typed finds all") << "" << QList<int>{0, 1, 2};
    QTest::newRow("nobody") << "zz" << QList<int>{};
}

void ContestEntriesTest::completionFinds()
{
    QFETCH(QString, typed);
    QFETCH(QList<int>, found);
    const std::vector<NameAndNumber> entries{{"Lee Ward", "3"}, {"B. Okafor", "17"}, {"Ann Cho", "117"}};
    QList<int> positions;
    for (const std::size_t position : completions(entries, typed.toStdString()))
        positions.append(static_cast<int>(position));
    QCOMPARE(positions, found);
}

QTEST_GUILESS_MAIN(ContestEntriesTest)
#include "contest_entries_test.moc"
