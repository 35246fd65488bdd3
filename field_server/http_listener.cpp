// The network module: a listening socket that takes at most a set number of
// connections and reads each request head within its limits, by a parser of
// its own that knows GET and HEAD alone. Qt HTTP Server 6.4 offers no limit
// on the connections, the head's size or the time to send it, and its
// parser takes whatever arrives; a page that only ever answers GET needs
// little of it, so the program reads the head itself.
#include "http_exchange.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <qrencode.h>

#include <memory>

namespace orlo::field {

namespace {

// Answers not yet taken by a client that sends requests without reading:
// past this the next request waits, and the idle limit lets it go.
constexpr qint64 unreadLimit = 1 << 20;

const char *reasonOf(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Unknown";
    }
}

// Every answer carries these: nothing is kept by a cache, nothing framed, nothing sniffed.
QByteArray responseHead(int status, const std::string &type, std::size_t length, bool close)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonOf(status) + "\r\n";
    head += "Content-Type: " + QByteArray::fromStdString(type.empty() ? "text/plain; charset=utf-8" : type) + "\r\n";
    head += "Content-Length: " + QByteArray::number(qulonglong(length)) + "\r\n";
    head += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nX-Frame-Options: DENY\r\n"
            "Referrer-Policy: no-referrer\r\n";
    // The pages' own inline style and script alone; nothing is loaded or sent elsewhere.
    head += "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; "
            "connect-src 'self'; img-src 'self' data:; base-uri 'none'; form-action 'none'; "
            "frame-ancestors 'none'\r\n";
    if (status == 405)
        head += "Allow: GET, HEAD\r\n";
    if (status == 503)
        head += "Retry-After: 5\r\n";
    head += close ? "Connection: close\r\n\r\n" : "Connection: keep-alive\r\n\r\n";
    return head;
}

QByteArray plainAnswer(int status, const char *sentence)
{
    const QByteArray body = QByteArray(sentence) + '\n';
    return responseHead(status, {}, std::size_t(body.size()), true) + body;
}

// The value of a header in the head's lines, its name in any case; empty when absent.
QByteArray headerValue(const QList<QByteArray> &lines, const QByteArray &name)
{
    for (qsizetype at = 1; at < lines.size(); ++at) {
        const qsizetype colon = lines[at].indexOf(':');
        if (colon > 0 && lines[at].left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return lines[at].mid(colon + 1).trimmed();
    }
    return {};
}

class Connection final : public QObject {
public:
    Connection(QTcpSocket *socket, HttpSite &site, const HttpLimits &limits, QObject *parent)
        : QObject(parent), m_socket(socket), m_site(site), m_limits(limits)
    {
        socket->setParent(this);
        m_idle.setSingleShot(true);
        m_idle.setInterval(limits.requestMs);
        connect(&m_idle, &QTimer::timeout, this, &Connection::drop);
        // What a client sends is held to one head more than the limit; the
        // rest waits in the system's buffer.
        socket->setReadBufferSize(qint64(limits.headBytes) + 1);
        connect(socket, &QTcpSocket::readyRead, this, &Connection::readHead);
        connect(socket, &QTcpSocket::bytesWritten, this, [this] {
            if (!m_answering && (m_socket->bytesAvailable() > 0 || !m_buffer.isEmpty()))
                readHead();
        });
        connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
        m_idle.start();
    }

private:
    void drop()
    {
        m_socket->abort();
        deleteLater();
    }

    void refuse(int status, const char *sentence)
    {
        m_answering = true;
        m_idle.stop();
        m_socket->write(plainAnswer(status, sentence));
        m_socket->disconnectFromHost();
        // A client that reads nothing of the refusal is let go all the same.
        QTimer::singleShot(2000, this, &Connection::drop);
    }

    void readHead()
    {
        if (m_answering) {
            // A request sent before the answer to the last one waits, within the limit.
            if (m_socket->bytesAvailable() > qint64(m_limits.headBytes))
                refuse(431, "The request head is longer than 8 KB.");
            return;
        }
        if (m_socket->bytesToWrite() > unreadLimit)
            return;
        const qint64 room = qint64(m_limits.headBytes) + 1 - m_buffer.size();
        if (room > 0)
            m_buffer += m_socket->read(room);
        // The head with its blank line fits the limit, or the request is refused.
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if ((end < 0 && std::size_t(m_buffer.size()) > m_limits.headBytes)
            || (end >= 0 && std::size_t(end) + 4 > m_limits.headBytes)) {
            refuse(431, "The request head is longer than 8 KB.");
            return;
        }
        if (end < 0)
            return;
        const QByteArray head = m_buffer.left(end);
        m_buffer.remove(0, end + 4);
        take(head);
    }

    void take(const QByteArray &head)
    {
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> words = lines.front().trimmed().split(' ');
        if (words.size() != 3 || !words[2].startsWith("HTTP/1.")) {
            refuse(400, "That is no HTTP/1.1 request.");
            return;
        }
        const QByteArray &method = words[0];
        if (method != "GET" && method != "HEAD") {
            // Nothing here changes: only pages are read.
            refuse(405, "Only GET and HEAD are answered here.");
            return;
        }
        if (!headerValue(lines, "Content-Length").isEmpty() || !headerValue(lines, "Transfer-Encoding").isEmpty()) {
            refuse(400, "A GET carries no body here.");
            return;
        }
        m_answering = true;
        m_idle.stop();
        m_head = method == "HEAD";
        m_close = headerValue(lines, "Connection").compare("close", Qt::CaseInsensitive) == 0 || words[2] == "HTTP/1.0";
        HttpRequest request{words[1].toStdString(), headerValue(lines, "Host").toStdString(),
                            m_socket->peerAddress().toString().toStdString()};
        QPointer<Connection> alive(this);
        m_site.answer(request, [alive](HttpReply reply) {
            if (alive)
                alive->send(reply);
        });
    }

    void send(const HttpReply &reply)
    {
        if (!m_answering || m_socket->state() != QAbstractSocket::ConnectedState)
            return;
        m_socket->write(responseHead(reply.status, reply.type, reply.body.size(), m_close));
        if (!m_head)
            m_socket->write(reply.body.data(), qint64(reply.body.size()));
        m_answering = false;
        if (m_close) {
            m_socket->disconnectFromHost();
            QTimer::singleShot(m_limits.requestMs, this, &Connection::drop);
            return;
        }
        m_idle.start();
        // A request that came while this one was answered.
        if (m_socket->bytesAvailable() > 0 || !m_buffer.isEmpty())
            QTimer::singleShot(0, this, &Connection::readHead);
    }

    QTcpSocket *m_socket;
    HttpSite &m_site;
    const HttpLimits &m_limits;
    QTimer m_idle;
    QByteArray m_buffer;
    bool m_answering = false;
    bool m_head = false;
    bool m_close = false;
};

class Listener final : public QTcpServer, public HttpServing {
public:
    Listener(HttpSite &site, const HttpLimits &limits) : m_site(site), m_limits(limits) {}
    ~Listener() override
    {
        close();
        // The connections go first, while the count they keep is still there.
        for (QObject *child : findChildren<QObject *>(Qt::FindDirectChildrenOnly))
            if (dynamic_cast<Connection *>(child) || qobject_cast<QTcpSocket *>(child))
                delete child;
    }

    std::string listen(const std::string &address, int port) override
    {
        QHostAddress host(QHostAddress::AnyIPv4);
        if (!address.empty() && address != "0.0.0.0" && !host.setAddress(QString::fromStdString(address)))
            return "'" + address + "' is no IPv4 address";
        m_given = address.empty() || address == "0.0.0.0" ? std::string() : address;
        if (!QTcpServer::listen(host, quint16(port)))
            return errorString().toStdString();
        return {};
    }

    int port() const override { return serverPort(); }

    std::vector<std::string> addresses() const override
    {
        if (!m_given.empty())
            return {m_given};
        std::vector<std::string> own;
        std::vector<std::string> loopback;
        for (const QHostAddress &address : QNetworkInterface::allAddresses())
            if (address.protocol() == QAbstractSocket::IPv4Protocol)
                (address.isLoopback() ? loopback : own).push_back(address.toString().toStdString());
        own.insert(own.end(), loopback.begin(), loopback.end());
        return own;
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket;
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        if (m_open >= m_limits.connections) {
            // Told at once, without reading the request; refusals in flight are few.
            if (m_refusing >= 64) {
                socket->abort();
                delete socket;
                return;
            }
            ++m_refusing;
            socket->setParent(this);
            socket->write(plainAnswer(503, "Too many are watching; try again in a moment."));
            socket->disconnectFromHost();
            const QPointer<QTcpSocket> held(socket);
            connect(socket, &QObject::destroyed, this, [this] { --m_refusing; });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QTimer::singleShot(2000, socket, [held] {
                if (held) {
                    held->abort();
                    held->deleteLater();
                }
            });
            return;
        }
        auto *connection = new Connection(socket, m_site, m_limits, this);
        ++m_open;
        connect(connection, &QObject::destroyed, this, [this] { --m_open; });
    }

private:
    HttpSite &m_site;
    HttpLimits m_limits;
    std::string m_given;
    int m_open = 0;
    int m_refusing = 0;
};

} // namespace

} // namespace orlo::field

extern "C" Q_DECL_EXPORT orlo::field::HttpServing *orloHttpServing(orlo::field::HttpSite *site,
                                                                   const orlo::field::HttpLimits &limits)
{
    return new orlo::field::Listener(*site, limits);
}

// Level M, as printed codes for a screen or paper are made: a phone reads it
// across the room.
extern "C" Q_DECL_EXPORT int orloQrCode(const char *text, std::vector<bool> *modules)
{
    QRcode *code = QRcode_encodeString(text, 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    if (!code)
        return 0;
    const int width = code->width;
    modules->assign(std::size_t(width) * std::size_t(width), false);
    for (std::size_t at = 0; at < modules->size(); ++at)
        (*modules)[at] = code->data[at] & 1;
    QRcode_free(code);
    return width;
}
