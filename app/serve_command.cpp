#include "serve_command.h"

#include "contest_changes.h"
#include "field_service.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace orlo {

namespace {

// The write end of the pair a signal is told through: a handler may only write.
int signalled[2] = {-1, -1};

void tell(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalled[0], &byte, 1);
}

} // namespace

std::optional<ServedAt> servedAt(const QString &given)
{
    static const QRegularExpression form(QStringLiteral("^(?:(\\d{1,3}(?:\\.\\d{1,3}){3}):)?(\\d{1,5})$"));
    const QRegularExpressionMatch match = form.match(given);
    if (!match.hasMatch())
        return std::nullopt;
    const int port = match.captured(2).toInt();
    const QString address = match.captured(1);
    if (port > 65535)
        return std::nullopt;
    // Qt Network comes with the serving module alone: the address is checked here by hand.
    for (const QString &part : address.split(u'.', Qt::SkipEmptyParts))
        if (part.toInt() > 255)
            return std::nullopt;
    return ServedAt{address, port};
}

int serveStandings(const QString &journalPath, const ServedAt &where)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalled) != 0) {
        std::perror("Orlo_Score");
        return 1;
    }
    // No window records here: the changes are all other programs'.
    ContestChanges changes(journalPath.toStdString());
    FieldService service(journalPath.toStdString(), changes);
    if (const QString why = service.start(where.address, where.port); !why.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(why));
        return 1;
    }
    changes.watch();
    std::printf("The standings of %s are shown on the network at:\n", qPrintable(journalPath));
    for (const QString &address : service.addresses())
        std::printf("  %s\n", qPrintable(address));
    // 127.x.x.x is this computer's own: nobody else reaches pages served there alone.
    const bool here = where.address.startsWith(QLatin1String("127."));
    std::printf("%s Ctrl+C ends it.\n", here ? "Only this computer can see them." : "Anyone on these networks can see them.");
    std::fflush(stdout);

    QSocketNotifier notifier(signalled[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, QCoreApplication::instance(), &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = tell;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    QCoreApplication::exec();
    service.stop();
    std::printf("Stopped showing the standings.\n");
    return 0;
}

} // namespace orlo
