#include "flights_csv.h"

#include <QMap>
#include <QTest>

using namespace orlo;
using namespace orlo::journal;
using namespace orlo::contest;

// The export as a spreadsheet reads it: RFC 4180 quoting, and no text that a
// spreadsheet would run as a formula.
class JournalCsvTest : public QObject {
    Q_OBJECT

private slots:
    void oneFlight_data();
    void oneFlight();
};

void JournalCsvTest::oneFlight_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("recorded");
    QTest::addColumn<QString>("exported");
    QTest::newRow("plain-name") << "contestant" << "Ann Lee" << "Ann Lee";
    QTest::newRow("comma-quoted") << "contestant" << "Lee, Ann" << "\"Lee, Ann\"";
    QTest::newRow("quotes-doubled") << "contestant" << "Bud \"Ace\" O'Brien" << "\"Bud \"\"Ace\"\" O'Brien\"";
    QTest::newRow("utf8-kept") << "contestant" << "Zoë Ærø #12" << "Zoë Ærø #12";
    QTest::newRow("equals-formula-prefixed") << "contestant" << "=1+1" << "'=1+1";
    QTest::newRow("plus-formula-prefixed") << "contestant" << "+SUM(A1:A9)" << "'+SUM(A1:A9)";
    QTest::newRow("minus-formula-prefixed") << "contestant" << "-1+2" << "'-1+2";
    QTest::newRow("at-formula-prefixed") << "contestant" << "@SUM(A1)" << "'@SUM(A1)";
    QTest::newRow("tab-start-prefixed") << "contestant" << "\tx" << "'\tx";
    QTest::newRow("carriage-return-prefixed-and-quoted") << "contestant" << "\rx" << "\"'\rx\"";
    QTest::newRow("formula-with-quotes-prefixed-then-quoted")
        << "contestant" << "=HYPERLINK(\"http://x\",\"y\")" << "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\"";
    QTest::newRow("negative-number-untouched") << "score" << "-0.5" << "-0.5";
    QTest::newRow("score-exactly-as-shown") << "score" << "280.80" << "280.80";
    QTest::newRow("engine-bonus-before-the-score") << "bonus" << "20.0" << "20.0";
    QTest::newRow("typed-formula-in-watch-prefixed") << "watch" << "=2*6" << "'=2*6";
    QTest::newRow("comma-decimal-watch-quoted") << "watch" << "12,3" << "\"12,3\"";
    QTest::newRow("nul-left-out") << "contestant" << QString::fromUtf8("Ann\0Lee", 7) << "AnnLee";
    QTest::newRow("escape-and-delete-left-out") << "contestant" << "a\x1b[31mb\x7f" << "a[31mb";
    QTest::newRow("control-hiding-formula-prefixed") << "contestant" << "\x01=1+1" << "'=1+1";
    QTest::newRow("number-formula-prefixed") << "number" << "=17" << "'=17";
    QTest::newRow("status-reason-quoted") << "reason" << "re-fly, granted" << "\"re-fly, granted\"";
    QTest::newRow("summary-lines-in-one-cell") << "summary" << "Class I\n280.8 Total Score"
                                               << "\"Class I\n280.8 Total Score\"";
}

void JournalCsvTest::oneFlight()
{
    QFETCH(QString, field);
    QFETCH(QString, recorded);
    QFETCH(QString, exported);
    FlightRow flight;
    flight.id = 7;
    flight.calculationCount = 2;
    flight.last.recordedAt = "2026-12-08T14:03:27+01:00";
    flight.last.values.classCaption = "Class I";
    flight.last.values.score = "280.8";
    flight.status = contest::FlightStatus::Attempt;
    flight.uuid = "0b8e6f4a-1c2d-4e5f-8a9b-0c1d2e3f4a5b";
    QStringList row = {"7", "", "2", "2026-12-08T14:03:27+01:00", "Class I", "", "", "", "", "", "",
                       "",  "", "", "",  "",                          "",        "", "", "", "280.8",
                       "",  "", "attempt", "", "0b8e6f4a-1c2d-4e5f-8a9b-0c1d2e3f4a5b"};
    const std::string text = recorded.toStdString();
    qsizetype column = 0; // where the recorded text goes
    if (field == "contestant") {
        flight.contestant = text;
        column = 1;
    } else if (field == "watch") {
        flight.last.values.highSpeedWatch1 = text;
        column = 5;
    } else if (field == "bonus") {
        flight.last.values.engineBonus = text;
        column = 19;
    } else if (field == "score") {
        flight.last.values.score = text;
        column = 20;
    } else if (field == "number") {
        flight.number = text;
        column = 22;
    } else if (field == "reason") {
        flight.statusReason = text;
        column = 24;
    } else {
        for (const QString &line : recorded.split('\n'))
            flight.last.values.summary.push_back(line.toStdString());
        column = 21;
    }
    row[column] = exported;

    const QString csv = QString::fromStdString(flightsCsv({flight}));
    const qsizetype headerEnd = csv.indexOf(QStringLiteral("\r\n"));
    QVERIFY2(csv.startsWith(QStringLiteral("Flight,Contestant,")), qPrintable(csv));
    const QStringList headings = csv.left(headerEnd).split(',');
    QCOMPARE(headings.size(), row.size());
    const QMap<QString, QString> headingOf{{"contestant", "Contestant"}, {"watch", "HS watch 1"},
                                           {"bonus", "Engine bonus"},    {"score", "Score"},
                                           {"number", "Number"},         {"reason", "Status reason"},
                                           {"summary", "Summary"}};
    QVERIFY2(headings[column] == headingOf[field], qPrintable("the value went under " + headings[column]));
    QCOMPARE(csv.mid(headerEnd + 2), row.join(',') + QStringLiteral("\r\n"));
}

QTEST_APPLESS_MAIN(JournalCsvTest)
#include "journal_csv_test.moc"
