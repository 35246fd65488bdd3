#pragma once

#include <QString>

#include <optional>

namespace orlo {

// Where --serve listens: an IPv4 address (empty: every one) and a port.
struct ServedAt {
    QString address;
    int port = 0;
};

// "8080" or "192.168.1.20:8080"; none for anything else.
std::optional<ServedAt> servedAt(const QString &given);

// Serves the journal's standings on the network until SIGINT or SIGTERM,
// having printed the addresses to type; or says why not in one line on the
// standard error. Returns the exit status.
int serveStandings(const QString &journalPath, const ServedAt &where);

} // namespace orlo
