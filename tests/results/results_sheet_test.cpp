#include "call_list_files.h"
#include "call_list_model.h"
#include "results_document.h"
#include "results_files.h"
#include "results_pages.h"

#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace orlo;
using namespace orlo::contest;

namespace {

Standing ranked(int place, const std::string &name, const std::string &number, std::vector<std::string> scores,
                std::size_t counted)
{
    Standing row;
    row.place = std::to_string(place);
    row.rank = place;
    row.contestant = name;
    row.number = number;
    for (std::size_t index = 0; index < scores.size(); ++index)
        row.flights.push_back({std::int64_t(index + 1), scores[index], index == counted, false});
    row.score = scores[counted];
    row.highSpeedPoints = "180.0";
    row.lowSpeedPoints = "95.5";
    row.engineBonus = "20.0";
    row.scalePoints = "10";
    row.landingPoints = "50";
    return row;
}

// A contest of one class long enough for two pages, with an attempt, one
// still to fly, names in other scripts and one too long for its column, and a
// combination of as many rows as asked.
Results longContest(int fliers = 120, int combinedRows = 1)
{
    Results results;
    results.contest.name = "Carrier Nationals";
    results.contest.firstDay = "2026-07-14";
    results.contest.lastDay = "2026-07-16";
    results.asOf = "2026-07-15T16:42:10+0200"; // as the ranking writes it
    ClassStandings classOne;
    classOne.rule.caption = "Class I";
    classOne.rows.push_back(ranked(1, "Ann Example", "17", {"312.5", "298.0"}, 0));
    classOne.rows.back().lowSpeedPoints = "12.45"; // halved for a stopped engine, kept unrounded
    classOne.rows.push_back(ranked(2, "Σοφία Παπαδοπούλου", "GR-4", {"250.0", "301.25"}, 1));
    classOne.rows.push_back(ranked(3, "山田太郎", "J-88", {"280.0"}, 0));
    classOne.rows.push_back(ranked(4, "Bartholomew Alexander Featherstonehaugh-Montgomery of Little Snoring", "5",
                                   {"200.0"}, 0));
    for (int place = 5; place <= fliers; ++place)
        classOne.rows.push_back(ranked(place, "Flier " + std::to_string(place), std::to_string(place), {"150.0"}, 0));
    // Kept in a journal before names were limited, or typed in the flights window.
    classOne.rows.push_back(ranked(121, "Quentin " + std::string(100000, 'q') + " Tail", "21", {"140.0"}, 0));
    classOne.rows.push_back(ranked(122, "\aBell\x1b\x7fName", "22", {"130.0"}, 0));
    Standing attempt;
    attempt.place = "att";
    attempt.contestant = "Carl Attempt";
    attempt.number = "9";
    attempt.attempts = 2;
    classOne.rows.push_back(attempt);
    Standing waiting;
    waiting.contestant = "Dora Waiting";
    waiting.number = "11";
    waiting.stillToFly = true;
    classOne.rows.push_back(waiting);
    results.classes.push_back(classOne);

    CombinedStandings combined;
    combined.combination = {"Profile + Class I", {"Profile", "Class I"}};
    combined.rows.push_back({"1", 1, 1, "Ann Example", "17", {"", "312.5"}, "312.5", {"Profile"}});
    for (int place = 2; place <= combinedRows; ++place)
        combined.rows.push_back({std::to_string(place), place, place, "Flier " + std::to_string(place),
                                 std::to_string(place), {"", "150.0"}, "150.0", {"Profile"}});
    results.combined.push_back(combined);
    results.flightsWithoutContestant = 3;
    return results;
}

// pdftotext's reading of the file, a page a string.
QStringList pdfPages(const QString &path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!reader.waitForFinished(-1) || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
        reader.kill();
        reader.waitForFinished(-1);
        return {};
    }
    QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Two rounds of one class at one circle, the second begun.
std::vector<ResultTable> callTables()
{
    contest::CallList list;
    for (int round = 1; round <= 2; ++round) {
        contest::CircleRound &called = list.rounds.emplace_back();
        called.round = round;
        called.calls.push_back({1, "José Núñez", "12345", "Class I", round, round, true});
        called.calls.push_back({2, "Ann Smith", "2201", "Class I", round, round, round == 1});
    }
    return contest::callListTables(list);
}

QString htmlText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The results sheet as it is posted: written to a file and read back as text.
class ResultsSheetTest : public QObject {
    Q_OBJECT

private slots:
    void writtenSheet_data();
    void writtenSheet();
    void pagesBeginWithTheirHeader_data();
    void pagesBeginWithTheirHeader();
    void badPathWritesNothing_data();
    void badPathWritesNothing();
    void paperFollowsTheLocale();

private:
    QTemporaryDir m_folder;
};

void ResultsSheetTest::writtenSheet_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected"); // a pattern the text holds

    // The PDF read back keeps the columns' order on a line; the HTML holds
    // the same cells as markup.
    const QString pdf = QStringLiteral("results.pdf");
    QTest::newRow("pdf: contest name and days") << pdf << QStringLiteral("Carrier Nationals[\\s\\S]*2026-07-14 to 2026-07-16");
    QTest::newRow("pdf: class table header")
        << pdf << QStringLiteral("Place +Contestant +Number +Flight 1 +Flight 2 +Score +HS points +LS points +Bonus "
                                 "+Scale +Landing");
    QTest::newRow("pdf: first place row")
        << pdf << QStringLiteral("\\n *1 +Ann Example +17 +312\\.5 +298\\.0 +312\\.5 +180\\.0 +12\\.5 +20\\.0");
    QTest::newRow("pdf: greek name") << pdf << QStringLiteral("2 +Σοφία Παπαδοπούλου +GR-4 +250\\.0 +301\\.25 +301\\.25");
    QTest::newRow("pdf: japanese name") << pdf << QStringLiteral("3 +山田太郎 +J-88 +280\\.0");
    QTest::newRow("pdf: long name wraps") << pdf << QStringLiteral("Featherstonehaugh-[\\s\\S]*Snoring");
    QTest::newRow("pdf: provisional") << pdf << QStringLiteral("Provisional, as of 2026-07-15 16:42 \\+02:00");
    // "att" stands once, in the place; the score stays blank.
    QTest::newRow("pdf: attempts only") << pdf << QStringLiteral("att +Carl Attempt +9 *\\n");
    QTest::newRow("pdf: still to fly") << pdf << QStringLiteral("Dora Waiting +11 +still to fly");
    QTest::newRow("pdf: combination provisional")
        << pdf << QStringLiteral("Profile \\+ Class I\\s+Provisional, as of 2026-07-15 16:42 \\+02:00");
    QTest::newRow("pdf: combination") << pdf << QStringLiteral("1 +Ann Example +17 +312\\.5 +312\\.5 +Profile");
    // A line of its own under the combination's heading, wrapped where the page is narrow.
    const QString waiting = QStringLiteral("Class I: 2 flights recorded after Final, the first at 2026-07-15 16:30 "
                                           "\\+02:00: reopen the class to count them\\.")
                                .replace(QLatin1Char(' '), QLatin1String("\\s+"));
    QTest::newRow("pdf: combination's class with flights waiting after Final") << pdf << waiting;
    QTest::newRow("pdf: flights without contestant") << pdf << QStringLiteral("3 flights have no contestant named");
    QTest::newRow("pdf: page numbers") << pdf << QStringLiteral("Page 1 of [2-9]");
    const QString html = QStringLiteral("results.html");
    QTest::newRow("html: one file with its style") << html << QStringLiteral("<style>[\\s\\S]*</style>");
    QTest::newRow("html: first place row")
        << html << QStringLiteral("<td>1</td><td>Ann Example</td><td>17</td><td class=\"n\" align=\"right\"><b>312.5</b>");
    QTest::newRow("html: name in markup escaped") << html << QStringLiteral("Montgomery of Little Snoring");
    QTest::newRow("html: combination's class with flights waiting after Final") << html << waiting;
    QTest::newRow("html: combination provisional")
        << html << QStringLiteral("<h2>Profile \\+ Class I</h2><p class=\"state\"><b>Provisional, as of 2026-07-15 16:42 \\+02:00");
    QTest::newRow("html: LS points to the tenth") << html << QStringLiteral("<td class=\"n\" align=\"right\">12.5</td>");
    QTest::newRow("html: provisional") << html << QStringLiteral("Provisional, as of 2026-07-15 16:42 \\+02:00");
    QTest::newRow("html: a name of 100,000 characters cut")
        << html << QStringLiteral("<td>121</td><td>Quentin q{192}…</td><td>21</td>");
    QTest::newRow("html: control characters left out") << html << QStringLiteral("<td>122</td><td>BellName</td>");
    QTest::newRow("pdf: a name of 100,000 characters cut") << pdf << QStringLiteral("121 +Quentin +21 +140\\.0[^…]*\\n +q+…\\n");
    // The call list in its pit-board type: every heading whole on one line of
    // the narrowest paper, A4.
    const QString calls = QStringLiteral("calls.pdf");
    QTest::newRow("call list pdf: header on one line") << calls << QStringLiteral("Order +Contestant +Number +Class +Flight +Flown\\n");
    QTest::newRow("call list pdf: a call") << calls << QStringLiteral("1 +José Núñez +12345 +Class I +1");
}

void ResultsSheetTest::writtenSheet()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QString path = m_folder.filePath(file);
    if (file.startsWith(QLatin1String("calls")) && !QFile::exists(path)) {
        writeCallList("Carrier Nationals", callTables(), path.toStdString());
    } else if (!QFile::exists(path)) {
        Results results = longContest();
        results.combined.front().waiting.push_back({"Class I", 2, "2026-07-15T16:30:00+0200"});
        const ResultsWritten written = writeResultsDocument(results, path, QPageSize(QPageSize::A4));
        QVERIFY2(written.done, qPrintable(written.sentence));
    }
    const QString text = file.endsWith(QLatin1String(".pdf")) ? pdfPages(path).join(QLatin1Char('\f')) : htmlText(path);
    QVERIFY2(!text.isEmpty(), qPrintable(QStringLiteral("%1 could not be read back").arg(path)));
    QVERIFY2(QRegularExpression(expected).match(text).hasMatch(),
             qPrintable(QStringLiteral("'%1' not found in:\n%2").arg(expected, text.left(3000))));
}

void ResultsSheetTest::pagesBeginWithTheirHeader_data()
{
    QTest::addColumn<int>("fliers");
    QTest::addColumn<int>("combinedRows");
    QTest::addColumn<QPageSize>("paper");

    QTest::newRow("one class over three Letter pages") << 120 << 1 << QPageSize(QPageSize::Letter);
    QTest::newRow("a combination across a page break") << 40 << 80 << QPageSize(QPageSize::A4);
    // The class ends near page 1's foot: the combination's heading and
    // sentence go to page 2 with its header and first row.
    QTest::newRow("a combination begun at a page's foot") << 31 << 20 << QPageSize(QPageSize::A4);
}

// Every page the PDF and the print preview draw alike, each one numbered,
// holding a table's header, and beginning with a heading or a header, never
// with a row cut off from its header.
void ResultsSheetTest::pagesBeginWithTheirHeader()
{
    QFETCH(int, fliers);
    QFETCH(int, combinedRows);
    QFETCH(QPageSize, paper);
    const Results results = longContest(fliers, combinedRows);
    const QString path = m_folder.filePath(QStringLiteral("pages.pdf"));
    const ResultsWritten written = writeResultsDocument(results, path, paper);
    QVERIFY2(written.done, qPrintable(written.sentence));
    const QStringList pages = pdfPages(path);
    QVERIFY2(pages.size() >= 2, qPrintable(QStringLiteral("%1 pages").arg(pages.size())));
    const QRegularExpression header(QStringLiteral("Place +Contestant +Number"));
    const QRegularExpression pageBegins(QStringLiteral("^\\s*(Carrier Nationals|Class I\\n|Profile \\+ Class I\\n|"
                                                       "Place +Contestant +Number)"));
    // A heading, the state or the sentence above a table, last before the
    // page number.
    const QRegularExpression headingLeftBehind(QStringLiteral("(Class I|Profile \\+ Class I|Provisional, as of [^\\n]*|"
                                                              "The sum of [^\\n]*|share the place\\.)\\s*Page \\d+ of"));
    for (int page = 0; page < pages.size(); ++page) {
        QVERIFY2(header.match(pages[page]).hasMatch(), qPrintable(QStringLiteral("no header on page %1").arg(page + 1)));
        QVERIFY2(pageBegins.match(pages[page]).hasMatch(),
                 qPrintable(QStringLiteral("page %1 begins with neither a heading nor a header:\n%2")
                                .arg(page + 1)
                                .arg(pages[page].left(400))));
        QVERIFY2(!headingLeftBehind.match(pages[page]).hasMatch(),
                 qPrintable(QStringLiteral("page %1 ends with a heading:\n%2").arg(page + 1).arg(pages[page].right(400))));
        const QString footer = QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages.size());
        QVERIFY2(pages[page].contains(footer), qPrintable(QStringLiteral("no '%1'").arg(footer)));
    }

    // The printer's preview at its own resolution, on the same paper.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(resultsPageLayout(paper));
    QPrintPreviewWidget preview(&printer);
    connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
            [&results](QPrinter *device) { paintResults(results, *device); });
    preview.updatePreview();
    QVERIFY2(preview.pageCount() == pages.size(), qPrintable(QStringLiteral("the preview shows %1 pages, the PDF has %2")
                                                                 .arg(preview.pageCount())
                                                                 .arg(pages.size())));
}

void ResultsSheetTest::badPathWritesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("an existing folder") << m_folder.filePath(QStringLiteral("folder.pdf")) << QStringLiteral("it is a folder");
    QTest::newRow("a folder that does not exist")
        << m_folder.filePath(QStringLiteral("nowhere/results.html")) << QStringLiteral("Cannot write the results to");
    QTest::newRow("an extension of no results sheet")
        << m_folder.filePath(QStringLiteral("results.doc")) << QStringLiteral("ends in neither .pdf nor .html");
}

void ResultsSheetTest::badPathWritesNothing()
{
    QFETCH(QString, path);
    QFETCH(QString, sentence);
    QDir().mkpath(m_folder.filePath(QStringLiteral("folder.pdf")));
    const ResultsWritten written = writeResultsDocument(longContest(), path, QPageSize(QPageSize::A4));
    QVERIFY2(!written.done, "written where no results file belongs");
    QVERIFY2(written.sentence.contains(sentence), qPrintable(written.sentence));
    QVERIFY2(!QFileInfo(path).isFile(), qPrintable(path));
}

void ResultsSheetTest::paperFollowsTheLocale()
{
    QCOMPARE(paperFor(QLocale(QLocale::English, QLocale::UnitedStates)).id(), QPageSize::Letter);
    QCOMPARE(paperFor(QLocale(QLocale::German, QLocale::Germany)).id(), QPageSize::A4);
    QCOMPARE(paperFor(QLocale(QLocale::English, QLocale::UnitedKingdom)).id(), QPageSize::A4);
}

QTEST_MAIN(ResultsSheetTest)
#include "results_sheet_test.moc"
