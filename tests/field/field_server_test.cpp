#include "contest_changes.h"
#include "field_flights.h"
#include "field_service.h"
#include "network_window.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <csignal>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <memory>
#include <vector>

using namespace orlo;

// The standings served on loopback alone, each exchange bounded in time: the
// routes, the refusals and each limit, with the limits made small where the
// default would take long.
class FieldServerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void answers_data();
    void answers();
    void connectionsOverTheLimit_data();
    void connectionsOverTheLimit();
    void silentClientsDropped_data();
    void silentClientsDropped();
    void longWait_data();
    void longWait();
    void unreadAnswersHeldBounded();
    void window();
    void servesUntilInterrupted_data();
    void servesUntilInterrupted();

private:
    QTemporaryDir m_folder;
    std::string m_journal;
};

namespace {

constexpr int answerWithinMs = 5000; // on a loaded machine; an answer takes milliseconds

struct Answer {
    int status = 0; // 0: none came
    QByteArray whole;
    bool closed = false;
};

std::unique_ptr<QTcpSocket> connectTo(int port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress(QHostAddress::LocalHost), quint16(port));
    [[maybe_unused]] const bool connected =
        QTest::qWaitFor([&] {
            return socket->state() == QAbstractSocket::ConnectedState
                || socket->error() != QAbstractSocket::UnknownSocketError;
        }, answerWithinMs);
    return socket;
}

// Reads until a whole answer came (its head and as many bytes as it says),
// the server closed, or the time ran out; the server runs in this thread.
Answer readAnswer(QTcpSocket &socket, int withinMs = answerWithinMs)
{
    Answer answer;
    const auto complete = [&] {
        answer.whole += socket.readAll();
        answer.closed = socket.state() == QAbstractSocket::UnconnectedState;
        const qsizetype end = answer.whole.indexOf("\r\n\r\n");
        if (end < 0)
            return answer.closed;
        const QByteArray head = answer.whole.left(end);
        const qsizetype at = head.indexOf("Content-Length: ");
        const qsizetype length = at < 0 ? 0 : head.mid(at + 16, head.indexOf('\r', at) - at - 16).toLongLong();
        const bool headOnly = head.startsWith("HTTP/1.1 200") && length > 0 && answer.whole.size() == end + 4;
        return answer.closed || answer.whole.size() >= end + 4 + length || (headOnly && socket.property("head").toBool());
    };
    [[maybe_unused]] const bool whole = QTest::qWaitFor(complete, withinMs);
    answer.status = answer.whole.mid(9, 3).toInt();
    return answer;
}

Answer exchange(int port, const QByteArray &request)
{
    const std::unique_ptr<QTcpSocket> socket = connectTo(port);
    socket->setProperty("head", request.startsWith("HEAD"));
    socket->write(request);
    return readAnswer(*socket);
}

QByteArray get(const QByteArray &target, const QByteArray &host = "127.0.0.1")
{
    return "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\n\r\n";
}

FieldService::Settings small()
{
    FieldService::Settings settings;
    settings.limits.connections = 3;
    settings.limits.requestMs = 300;
    settings.longWaitMs = 600;
    return settings;
}

} // namespace

void FieldServerTest::initTestCase()
{
    QVERIFY2(m_folder.isValid(), "no temporary folder");
    m_journal = m_folder.filePath(QStringLiteral("journal.sqlite")).toStdString();
    QVERIFY2(test::recordFlight(m_journal, "Ann Lee", "Class I", "371.7") > 0, "Ann's flight not recorded");
    QVERIFY2(test::recordFlight(m_journal, "</script><img src=x onerror=alert(1)>", "Class I", "300.0") > 0,
             "the hostile name's flight not recorded");
    contest::SeriesSettings series;
    series.name = "Club <Cup>";
    journal::ContestJournal(m_journal).setSeries(series);
}

void FieldServerTest::answers_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("holds");
    QTest::addColumn<QByteArray>("lacks");

    QTest::newRow("phone") << get("/") << 200 << QByteArray("Ann Lee") << QByteArray("<img src=x");
    QTest::newRow("phone escapes the name") << get("/") << 200 << QByteArray("&lt;/script&gt;&lt;img") << QByteArray();
    QTest::newRow("phone links the series") << get("/") << 200 << QByteArray("<a href=\"/series\">") << QByteArray();
    QTest::newRow("series") << get("/series") << 200 << QByteArray("<h1>Club &lt;Cup&gt;</h1>") << QByteArray("<img src=x");
    QTest::newRow("series escapes the name") << get("/series") << 200 << QByteArray("&lt;/script&gt;&lt;img")
                                             << QByteArray("<Cup>");
    QTest::newRow("series head") << QByteArray("HEAD /series HTTP/1.1\r\nHost: a\r\n\r\n") << 200
                                 << QByteArray("Content-Length: ") << QByteArray("<html");
    QTest::newRow("tv") << get("/tv") << 200 << QByteArray("Follow on your phone:<br><b>http://127.0.0.1:") << QByteArray();
    QTest::newRow("tv shows the host the screen used") << get("/tv", "192.0.2.7:8080") << 200
                                                       << QByteArray("<b>http://192.0.2.7:8080/</b>") << QByteArray();
    QTest::newRow("tv takes no markup from the host") << get("/tv", "<b>evil") << 200 << QByteArray("Follow")
                                                      << QByteArray("<b>evil");
    QTest::newRow("json") << get("/standings.json") << 200 << QByteArray("\"format\":1,\"version\":1")
                          << QByteArray("</script>");
    QTest::newRow("json type") << get("/standings.json") << 200 << QByteArray("Content-Type: application/json")
                               << QByteArray();
    QTest::newRow("contestant") << get("/contestant/1") << 200 << QByteArray("<h1>Ann Lee</h1>") << QByteArray();
    QTest::newRow("contestant unknown") << get("/contestant/999") << 404 << QByteArray() << QByteArray("Ann");
    QTest::newRow("results csv") << get("/results.csv") << 200 << QByteArray("Ann Lee") << QByteArray();
    QTest::newRow("results html") << get("/results.html") << 200 << QByteArray("Ann Lee") << QByteArray("<img src=x");
    QTest::newRow("results pdf") << get("/results.pdf") << 200 << QByteArray("%PDF") << QByteArray();
    QTest::newRow("results xlsx") << get("/results.xlsx") << 200 << QByteArray("PK") << QByteArray();
    QTest::newRow("head") << QByteArray("HEAD / HTTP/1.1\r\nHost: a\r\n\r\n") << 200 << QByteArray("Content-Length: ")
                          << QByteArray("<html");
    QTest::newRow("never stored") << get("/") << 200 << QByteArray("Cache-Control: no-store") << QByteArray();
    QTest::newRow("nothing loaded from elsewhere") << get("/tv") << 200 << QByteArray("default-src 'none'")
                                                   << QByteArray();
    for (const char *method : {"POST", "PUT", "DELETE", "PATCH", "OPTIONS"})
        QTest::addRow("%s refused", method) << QByteArray(method) + " / HTTP/1.1\r\nHost: a\r\nContent-Length: 0\r\n\r\n"
                                            << 405 << QByteArray("Allow: GET, HEAD") << QByteArray("Ann");
    for (const char *target : {"/../journal.sqlite", "/%2e%2e/journal.sqlite", "/..%2fjournal.sqlite",
                               "/journal.sqlite", m_journal.c_str(), "http://127.0.0.1/journal.sqlite", "/tv/../../x"})
        QTest::addRow("out of the tree: %s", target) << get(target) << 404 << QByteArray() << QByteArray("SQLite");
    QTest::newRow("head of 9 KB") << "GET / HTTP/1.1\r\nHost: a\r\nX-Pad: " + QByteArray(9 * 1024, 'a') + "\r\n\r\n"
                                  << 431 << QByteArray() << QByteArray("Ann");
    QTest::newRow("head of 9 KB without its end") << "GET / HTTP/1.1\r\nX-Pad: " + QByteArray(9 * 1024, 'a') << 431
                                                  << QByteArray() << QByteArray("Ann");
    QTest::newRow("no HTTP") << QByteArray("HELLO\r\n\r\n") << 400 << QByteArray() << QByteArray("Ann");
    QTest::newRow("a GET with a body") << QByteArray("GET / HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello") << 400
                                       << QByteArray() << QByteArray("Ann");
}

void FieldServerTest::answers()
{
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    QFETCH(QByteArray, holds);
    QFETCH(QByteArray, lacks);
    ContestChanges changes(m_journal);
    FieldService service(m_journal, changes, small());
    const QString why = service.start(QStringLiteral("127.0.0.1"), 0);
    QVERIFY2(why.isEmpty(), qPrintable(why));
    const Answer answer = exchange(service.port(), request);
    QVERIFY2(answer.status == status, qPrintable(QStringLiteral("answered %1, expected %2: %3")
                                                     .arg(answer.status)
                                                     .arg(status)
                                                     .arg(QString::fromUtf8(answer.whole.left(400)))));
    QVERIFY2(answer.whole.contains(holds), qPrintable("lacks " + holds));
    QVERIFY2(lacks.isEmpty() || !answer.whole.contains(lacks), qPrintable("holds " + lacks));
}

void FieldServerTest::connectionsOverTheLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("a small limit") << 3;
    QTest::newRow("the default, 256") << 0;
}

void FieldServerTest::connectionsOverTheLimit()
{
    QFETCH(int, limit);
    FieldService::Settings settings = small();
    settings.limits.connections = limit > 0 ? limit : FieldService::Settings().limits.connections;
    settings.limits.requestMs = 20000; // the connections held stay for the whole test
    ContestChanges changes(m_journal);
    FieldService service(m_journal, changes, settings);
    QVERIFY2(service.start(QStringLiteral("127.0.0.1"), 0).isEmpty(), "not serving");
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int at = 0; at < settings.limits.connections; ++at)
        held.push_back(connectTo(service.port()));
    // The held ones are taken: each answers a request.
    held.back()->write(get("/standings.json"));
    QCOMPARE(readAnswer(*held.back()).status, 200);
    const std::unique_ptr<QTcpSocket> oneMore = connectTo(service.port());
    const Answer refused = readAnswer(*oneMore);
    QVERIFY2(refused.status == 503, qPrintable("one more answered " + refused.whole.left(200)));
    QVERIFY2(refused.whole.contains("Retry-After"), "no time to try again said");
    // One gone, another is let in.
    held.front()->abort();
    QTRY_VERIFY2(exchange(service.port(), get("/standings.json")).status == 200, "no room after one went");
}

void FieldServerTest::silentClientsDropped_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("half a head") << QByteArray("GET / HTTP/1.1\r\nHost: a\r\n");
    QTest::newRow("silent after an answer") << get("/standings.json");
}

void FieldServerTest::silentClientsDropped()
{
    QFETCH(QByteArray, sent);
    ContestChanges changes(m_journal);
    FieldService service(m_journal, changes, small());
    QVERIFY2(service.start(QStringLiteral("127.0.0.1"), 0).isEmpty(), "not serving");
    const std::unique_ptr<QTcpSocket> socket = connectTo(service.port());
    socket->write(sent);
    // requestMs is 300: a silent client is let go well within the wait.
    QTRY_VERIFY2_WITH_TIMEOUT(socket->state() == QAbstractSocket::UnconnectedState, "the silent client is still held",
                              answerWithinMs);
    const QByteArray got = socket->readAll();
    QVERIFY2(sent.isEmpty() || sent.endsWith("\r\n\r\n") ? true : got.isEmpty(), qPrintable("answered " + got));
}

void FieldServerTest::longWait_data()
{
    QTest::addColumn<bool>("flightRecorded");
    QTest::addColumn<bool>("seriesSetUp");
    QTest::addColumn<int>("versionAfter"); // added to the version waited past
    QTest::addColumn<bool>("ordered");      // the director keeps an order of flying, Bo Day entered second
    QTest::addColumn<QString>("nextAfter"); // called next after the change; empty: nobody called
    QTest::addColumn<bool>("held");         // a scoring window has the journal open throughout
    QTest::newRow("a flight wakes it") << true << false << 1 << false << "" << true;
    QTest::newRow("a flight advances Up next") << true << false << 1 << true << "Ann Lee" << true;
    QTest::newRow("a series set up wakes it") << false << true << 1 << false << "" << true;
    QTest::newRow("the wait ends unchanged") << false << false << 0 << false << "" << true;
    // Served alone: the flight comes from a program that opens the journal,
    // records and closes it again, leaving no log's index to look at.
    QTest::newRow("a flight recorded with nobody holding it open") << true << false << 1 << false << "" << false;
}

void FieldServerTest::longWait()
{
    QFETCH(bool, flightRecorded);
    QFETCH(bool, seriesSetUp);
    QFETCH(int, versionAfter);
    QFETCH(bool, ordered);
    QFETCH(QString, nextAfter);
    QFETCH(bool, held);
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("journal.sqlite")).toStdString();
    QVERIFY2(test::recordFlight(path, "Ann Lee", "Class I", "371.7") > 0, "not recorded");
    if (ordered) {
        journal::ContestJournal contest(path);
        contest.add({"Bo Day", "", {"Class I"}});
        contest::FlyingOrder order;
        order.classes.push_back({"Class I", contest::OrderMethod::AsEntered, 0, {}, ""});
        contest.setFlightOrder(order);
    }
    // A scoring window has the journal open, as on the field.
    journal::FlightJournal scoring(path);
    if (held)
        QVERIFY2(scoring.open(), "the journal cannot be opened for recording");
    FieldService::Settings settings = small();
    settings.longWaitMs = flightRecorded || seriesSetUp ? 20000 : 600;
    ContestChanges changes(path);
    changes.watch();
    FieldService service(path, changes, settings);
    QVERIFY2(service.start(QStringLiteral("127.0.0.1"), 0).isEmpty(), "not serving");
    const std::uint64_t version = service.version();
    const auto calledNext = [](const QByteArray &answer) {
        const QJsonObject json = QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).object();
        return json.value(QStringLiteral("upNext")).toArray().at(0).toObject().value(QStringLiteral("contestant")).toString();
    };
    QCOMPARE(calledNext(exchange(service.port(), get("/standings.json")).whole),
             ordered ? QStringLiteral("Bo Day") : QString());
    const std::unique_ptr<QTcpSocket> socket = connectTo(service.port());
    socket->write(get("/standings.json?since=" + QByteArray::number(qulonglong(version))));
    // Nothing yet: the version has not passed.
    QTest::qWait(150);
    QVERIFY2(socket->bytesAvailable() == 0, "answered before any change");
    QCOMPARE(service.watchers(), 1);
    if (flightRecorded)
        QVERIFY2(test::recordFlight(path, "Bo Day", "Class I", "300.0") > 0, "the second flight not recorded");
    if (seriesSetUp) {
        contest::SeriesSettings series;
        series.name = "Club Cup";
        journal::ContestJournal(path).setSeries(series);
    }
    const Answer answer = readAnswer(*socket);
    QVERIFY2(answer.status == 200, qPrintable("answered " + answer.whole.left(200)));
    const QJsonObject json = QJsonDocument::fromJson(answer.whole.mid(answer.whole.indexOf("\r\n\r\n") + 4)).object();
    QCOMPARE(json.value(QStringLiteral("version")).toInteger(), qint64(version) + versionAfter);
    QCOMPARE(answer.whole.contains("Bo Day"), flightRecorded || ordered);
    if (versionAfter)
        QCOMPARE(calledNext(answer.whole), nextAfter);
    // Unchanged, the answer is the version alone.
    QCOMPARE(json.contains(QStringLiteral("classes")), bool(versionAfter));
    if (seriesSetUp)
        QVERIFY2(exchange(service.port(), get("/series")).whole.contains("<h1>Club Cup</h1>"), "the series not shown");
}

namespace {

long residentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

} // namespace

// A client that sends request after request and reads none of the answers
// holds the server's memory to about a megabyte of answers: the rest waits
// unread until the idle limit lets the client go. Without the limit the
// answers pile up, 26 KB a request.
void FieldServerTest::unreadAnswersHeldBounded()
{
    ContestChanges changes(m_journal);
    FieldService::Settings settings = small();
    settings.limits.requestMs = 5000;
    FieldService service(m_journal, changes, settings);
    QVERIFY2(service.start(QStringLiteral("127.0.0.1"), 0).isEmpty(), "not serving");
    QCOMPARE(exchange(service.port(), get("/results.pdf")).status, 200); // made once, then answered at once
    const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    QVERIFY2(client >= 0, "no socket");
    const int small = 4096;
    ::setsockopt(client, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(quint16(service.port()));
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(client, reinterpret_cast<sockaddr *>(&server), sizeof server);
    QTest::qWait(100);
    const long before = residentKb();
    const QByteArray request = get("/results.pdf");
    int sent = 0;
    for (int at = 0; at < 3000; ++at) {
        if (::send(client, request.constData(), size_t(request.size()), MSG_NOSIGNAL) != request.size())
            break;
        ++sent;
        QCoreApplication::processEvents();
    }
    QTest::qWait(500);
    const long grown = residentKb() - before;
    ::close(client);
    QVERIFY2(sent > 500, qPrintable(QStringLiteral("only %1 requests sent").arg(sent)));
    QVERIFY2(grown < 20 * 1024, qPrintable(QStringLiteral("the server grew by %1 KB for %2 unread answers").arg(grown).arg(sent)));
}

// The window starts and stops the pages, shows where they are with a QR
// code, and counts who watches; on loopback alone here.
void FieldServerTest::window()
{
    ContestChanges changes(m_journal);
    NetworkWindow window(m_journal, changes, QStringLiteral("127.0.0.1"));
    window.show();
    auto *port = window.findChild<QSpinBox *>(QStringLiteral("networkPort"));
    auto *start = window.findChild<QPushButton *>(QStringLiteral("networkStart"));
    auto *watchers = window.findChild<QLabel *>(QStringLiteral("networkWatchers"));
    QVERIFY2(port && start && watchers, "the window's controls are missing");
    QCOMPARE(port->value(), 8080);
    port->setValue(0);
    start->click();
    auto *address = window.findChild<QLabel *>(QStringLiteral("networkAddress"));
    QVERIFY2(address, qPrintable("no address shown: "
                                 + window.findChild<QLabel *>(QStringLiteral("networkState"))->text()));
    QVERIFY2(address->text().startsWith(QStringLiteral("http://127.0.0.1:")), qPrintable(address->text()));
    auto *code = window.findChild<QLabel *>(QStringLiteral("networkQr"));
    QVERIFY2(code && code->pixmap().width() > 100, "no QR code of the address");
    QCOMPARE(watchers->text(), QStringLiteral("Watching now: 0"));
    const int served = address->text().section(u':', 2).remove(u'/').toInt();
    QCOMPARE(exchange(served, get("/")).status, 200);
    QCOMPARE(watchers->text(), QStringLiteral("Watching now: 1"));
    start->click();
    QVERIFY2(!window.findChild<QLabel *>(QStringLiteral("networkAddress")), "an address shown after stopping");
    QVERIFY2(exchange(served, get("/")).status == 0, "still answering after stopping");
}

void FieldServerTest::servesUntilInterrupted_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
}

// The program serves headless, saying where, until interrupted, and then
// ends cleanly.
void FieldServerTest::servesUntilInterrupted()
{
    QFETCH(int, signal);
    QProcess program;
    program.start(QStringLiteral(ORLO_SCORE_PROGRAM),
                  {QStringLiteral("--journal"), QString::fromStdString(m_journal), QStringLiteral("--serve"),
                   QStringLiteral("127.0.0.1:0")});
    const QRegularExpression address(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)/"));
    QByteArray said;
    QRegularExpressionMatch match;
    QTRY_VERIFY2_WITH_TIMEOUT((said += program.readAllStandardOutput(), match = address.match(QString::fromUtf8(said)),
                               match.hasMatch()),
                              qPrintable("no address said: " + said + program.readAllStandardError()), 20000);
    QCOMPARE(exchange(match.captured(1).toInt(), get("/standings.json")).status, 200);
    // Served on this computer's own address alone: nobody on a network sees it.
    QTRY_VERIFY2_WITH_TIMEOUT((said += program.readAllStandardOutput(), said.contains("Only this computer can see them.")),
                              qPrintable("said: " + said), 20000);
    ::kill(pid_t(program.processId()), signal);
    QVERIFY2(program.waitForFinished(20000), "still serving after the signal");
    if (program.state() != QProcess::NotRunning)
        program.kill();
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(program.readAllStandardOutput().contains("Stopped showing the standings."), "no word of the end");
}

QTEST_MAIN(FieldServerTest)
#include "field_server_test.moc"
