#pragma once

#include <QString>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace orlo {

class ContestChanges;
class FieldService;

// "Show on the network…": starts and stops the standings' pages on the
// field's network and shows the addresses to type, a QR code of each for
// phones, how many are watching, and who can see them. Serving goes on
// while the window is closed; it ends with the window's owner.
class NetworkWindow final : public QWidget {
public:
    // address: only that IPv4 address is listened on ("" for every one).
    NetworkWindow(const std::string &journalPath, ContestChanges &changes, QString address = {},
                  QWidget *parent = nullptr);
    ~NetworkWindow() override;

private:
    void startOrStop();
    void showState(const QString &problem = {});
    void showWatchers(int watchers);

    std::unique_ptr<FieldService> m_service;
    QString m_address;
    QSpinBox *m_port = nullptr;
    QPushButton *m_start = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_watchers = nullptr;
    QWidget *m_addresses = nullptr;
    QVBoxLayout *m_addressList = nullptr;
};

} // namespace orlo
