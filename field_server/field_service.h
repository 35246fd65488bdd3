#pragma once

#include "field_view.h"
#include "http_exchange.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orlo {

namespace journal {
class StandingsReader;
}
class ContestChanges;

// The standings served on the field's network: reads the journal as every
// reader does (on a thread of its own, read-only), draws the pages from the
// one results model, answers each request the network module hands it, and
// holds the long waits of /standings.json?since=V until the version passes V.
// The module (Qt Network, libqrencode) is loaded at the first start.
class FieldService final : public QObject, public field::HttpSite {
    Q_OBJECT

public:
    struct Settings {
        field::HttpLimits limits;
        int longWaitMs = 25000; // a waiting /standings.json?since=V is answered by then
    };

    // Reads the journal again after each change the one signal tells,
    // this program's and others'.
    FieldService(std::string journalPath, ContestChanges &changes, QObject *parent = nullptr);
    FieldService(std::string journalPath, ContestChanges &changes, const Settings &settings, QObject *parent = nullptr);
    ~FieldService() override;

    // Reads the journal and listens on the address ("" for every IPv4
    // address) and port; says why not, or nothing.
    QString start(const QString &address, int port);
    void stop();
    bool serving() const { return bool(m_serving); }
    int port() const;
    // "http://192.168.1.20:8080/", one an address of the machine.
    QStringList addresses() const;
    // The clients that asked for a page in the last 40 seconds, told apart by their address.
    int watchers() const { return int(m_seen.size()); }
    std::uint64_t version() const;

    // The QR code of the text: its width in modules, and the modules row by row.
    static int qrCode(const QString &text, std::vector<bool> &modules);

    // The journal changed: read it again now, or after the read under way.
    void journalChanged();

    struct Drawn; // a version's view and the pages every request of it shares

signals:
    void watchersChanged(int watchers);

private:
    struct Waiter {
        std::uint64_t since = 0;
        field::HttpRespond respond;
        qint64 until = 0;
    };
    struct ResultsFile {
        std::uint64_t version = 0;
        std::string bytes;
        std::vector<field::HttpRespond> waiting;
        bool making = false;
    };

    void answer(const field::HttpRequest &request, field::HttpRespond respond) override;

    void readNow();
    void takeRead();
    void wakeWaiters(bool all);
    void tick();
    void answerFile(const std::string &extension, field::HttpRespond respond);
    field::HttpReply jsonReply() const;
    std::string tvCorner(const std::string &host, std::string &svg);

    std::string m_path;
    Settings m_settings;
    std::unique_ptr<journal::StandingsReader> m_reader;
    std::unique_ptr<field::HttpServing> m_serving;
    QThreadPool m_pool; // one thread: the reader and the results files, one at a time
    QFutureWatcher<std::shared_ptr<const Drawn>> m_reading;
    bool m_readAgain = false;
    std::shared_ptr<const Drawn> m_view;
    std::vector<Waiter> m_waiters;
    std::map<std::string, ResultsFile> m_files;
    std::map<std::string, std::string> m_qr; // address → SVG, a few
    std::map<std::string, qint64> m_seen;    // client address → when last seen
    QElapsedTimer m_clock;
    QTimer m_tick;
    std::unique_ptr<QTemporaryDir> m_folder;
};

} // namespace orlo
