// field_bench: the standings on the field's network, on loopback, bounded in
// count and time. Prints:
//  - with 200 clients waiting on /standings.json?since=V, how long after a
//    flight is recorded the first, median and last of them have the new
//    version (goal: the last within 1 s);
//  - the processor time of 200 idle clients' waits over 30 s (goal: under 2 %
//    of a core), against none;
//  - the memory with 256 connections open;
//  - the sheet's press-to-record time (the calculation written to the
//    journal) with and without the 200 clients (goal: within 10 %).
// The server is the program itself (--serve) in a process of its own, so
// that its processor time and memory are its own; the clients and the
// recording are this process's.
#include "flight_journal.h"
#include "journal_filler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>
#include <memory>
#include <string>
#include <vector>

using namespace orlo;

namespace {

// A page's wait on the version, asked again as soon as it is answered.
class Waiting {
public:
    Waiting(int port, std::uint64_t since) : m_since(since)
    {
        m_socket.connectToHost(QHostAddress(QHostAddress::LocalHost), quint16(port));
        QObject::connect(&m_socket, &QTcpSocket::connected, &m_socket, [this] { ask(); });
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] { read(); });
    }
    std::uint64_t seen() const { return m_since; }
    qint64 answeredAt = -1;
    static QElapsedTimer clock;

private:
    void ask()
    {
        m_socket.write("GET /standings.json?since=" + QByteArray::number(qulonglong(m_since))
                       + " HTTP/1.1\r\nHost: bench\r\n\r\n");
    }
    void read()
    {
        m_got += m_socket.readAll();
        const qsizetype end = m_got.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const qsizetype at = m_got.indexOf("Content-Length: ");
        const qsizetype length = m_got.mid(at + 16, m_got.indexOf('\r', at) - at - 16).toLongLong();
        if (m_got.size() < end + 4 + length)
            return;
        const QByteArray body = m_got.mid(end + 4, length);
        m_got.remove(0, end + 4 + length);
        const qsizetype version = body.indexOf("\"version\":");
        m_since = body.mid(version + 10, body.indexOf(',', version) - version - 10).toULongLong();
        answeredAt = clock.elapsed();
        ask();
    }

    QTcpSocket m_socket;
    QByteArray m_got;
    std::uint64_t m_since;
};
QElapsedTimer Waiting::clock;

// The process's processor time, user and system, in seconds.
double coreSeconds(qint64 pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command's name, which may hold spaces, in brackets.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int at = 3; at <= 15 && fields >> field; ++at)
        if (at == 14 || at == 15)
            ticks += std::stod(field);
    return ticks / double(sysconf(_SC_CLK_TCK));
}

long residentKb(qint64 pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// One press of "Calc. Score" as the journal records it: a new flight's calculation.
double pressToRecordMs(journal::FlightJournal &journal)
{
    CalculationRecord values;
    values.classCaption = "Class I";
    values.highSpeedPoints = "150.0";
    values.score = "350.0";
    values.summary = {"Class I", "350.0 Total Score"};
    QElapsedTimer took;
    took.start();
    journal.calculated(values);
    const double ms = double(took.nsecsElapsed()) / 1e6;
    journal.flightEnded();
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::vector<double> presses(journal::FlightJournal &journal, int count)
{
    std::vector<double> took;
    for (int press = 0; press < count; ++press) {
        took.push_back(pressToRecordMs(journal));
        QTest::qWait(250); // the pages read the flight and answer their clients meanwhile
    }
    return took;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("journal.sqlite")).toStdString();
    if (!bench::fillJournal(path, 2000)) {
        std::fprintf(stderr, "field_bench: the journal could not be filled\n");
        return 1;
    }
    journal::FlightJournal journal(path);
    std::printf("A journal of 2,000 flights.\n");

    QProcess server;
    server.start(QStringLiteral(ORLO_SCORE_PROGRAM), {QStringLiteral("--journal"), QString::fromStdString(path),
                                                      QStringLiteral("--serve"), QStringLiteral("127.0.0.1:0")});
    const QRegularExpression address(QStringLiteral("http://127\\.0\\.0\\.1:(\\d+)/"));
    QByteArray said;
    if (!QTest::qWaitFor([&] { return address.match(QString::fromUtf8(said += server.readAllStandardOutput())).hasMatch(); },
                         20000)) {
        std::fprintf(stderr, "field_bench: the program does not serve: %s\n", server.readAllStandardError().constData());
        return 1;
    }
    const int port = address.match(QString::fromUtf8(said)).captured(1).toInt();
    const qint64 pid = server.processId();
    QTest::qWait(1000);
    const double quietStart = coreSeconds(pid);
    QTest::qWait(10000);
    std::printf("Serving, no client, 10 s: %.2f %% of a core\n", 100 * (coreSeconds(pid) - quietStart) / 10);
    Waiting::clock.start();
    const long before = residentKb(pid);
    std::vector<std::unique_ptr<Waiting>> clients;
    for (int at = 0; at < 200; ++at)
        clients.push_back(std::make_unique<Waiting>(port, 1));
    QTest::qWait(1000);

    // A flight reaches every waiting client.
    double worstLast = 0;
    for (int round = 0; round < 5; ++round) {
        const std::uint64_t was = clients.front()->seen();
        const qint64 recorded = Waiting::clock.elapsed();
        pressToRecordMs(journal);
        const bool all = QTest::qWaitFor([&] {
            return std::all_of(clients.begin(), clients.end(), [&](const auto &client) { return client->seen() > was; });
        }, 10000);
        std::vector<double> after;
        for (const auto &client : clients)
            after.push_back(double(client->answeredAt - recorded));
        std::sort(after.begin(), after.end());
        worstLast = std::max(worstLast, after.back());
        std::printf("Flight %d reached %s200 waiting clients: first %.0f ms, median %.0f ms, last %.0f ms after it was recorded\n",
                    round + 1, all ? "all " : "NOT all of ", after.front(), after[after.size() / 2], after.back());
        QTest::qWait(500);
    }
    std::printf("The last of 200 clients, worst of 5 flights: %.0f ms (goal: within 1000 ms)\n", worstLast);

    // Their cost while nothing changes: each waits 25 s and asks again.
    const double idleStart = coreSeconds(pid);
    QTest::qWait(30000);
    const double idle = coreSeconds(pid) - idleStart;
    std::printf("200 idle clients for 30 s: %.2f s of the server's core, %.2f %% (goal: under 2 %%)\n", idle,
                100 * idle / 30);

    // With 256 connections open.
    for (int at = 200; at < 256; ++at)
        clients.push_back(std::make_unique<Waiting>(port, clients.front()->seen()));
    QTest::qWait(1000);
    std::printf("The server's memory: %ld KB resident before the clients, %ld KB with 256 connections open\n", before,
                residentKb(pid));
    clients.resize(200);
    QTest::qWait(500);

    // Blocks of presses with the server paused and serving in turn, so that
    // the machine's other load weighs on both alike.
    std::vector<double> alone, served;
    for (int block = 0; block < 6; ++block) {
        const bool paused = block % 2 == 0;
        if (paused)
            ::kill(pid_t(pid), SIGSTOP);
        const std::vector<double> took = presses(journal, 10);
        (paused ? alone : served).insert((paused ? alone : served).end(), took.begin(), took.end());
        if (paused)
            ::kill(pid_t(pid), SIGCONT);
    }
    std::printf("Press to record, median of 30 presses 250 ms apart: %.2f ms with the server paused, %.2f ms with it "
                "serving 200 waiting clients (%+.0f %%; goal: within 10 %%)\n",
                median(alone), median(served), 100 * (median(served) - median(alone)) / median(alone));
    clients.clear();
    server.terminate();
    if (!server.waitForFinished(10000))
        server.kill();
    return journal.finish() == 0 ? 0 : 1;
}
