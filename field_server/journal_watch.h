#pragma once

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>

namespace orlo {

namespace journal {
class JournalReader;
}

// Tells when the journal changed, by whichever program: SQLite's
// data_version over a read-only connection, asked on a short timer. The
// field's pages are told no other way, so that the one "contest changed"
// signal can take its place here alone.
class JournalWatch final : public QObject {
    Q_OBJECT

public:
    JournalWatch(const std::string &journalPath, int intervalMs, QObject *parent = nullptr);
    ~JournalWatch() override;

signals:
    void changed();

private:
    void look();

    std::unique_ptr<journal::JournalReader> m_reader;
    QTimer m_timer;
    long long m_seen = -1;
};

} // namespace orlo
