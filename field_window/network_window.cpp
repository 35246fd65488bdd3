#include "network_window.h"

#include "field_service.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orlo {

namespace {

constexpr int defaultPort = 8080;
constexpr int modulePixels = 5; // a code of some 30 modules is 150 px square: a phone reads it off the screen

// The QR code of the text, black on white with its quiet zone; a null
// pixmap when it cannot be made.
QPixmap qrPixmap(const QString &text)
{
    std::vector<bool> modules;
    int width = 0;
    try {
        width = FieldService::qrCode(text, modules);
    } catch (const std::exception &) {
        return {};
    }
    if (width <= 0)
        return {};
    constexpr int quiet = 4;
    QImage image(width + 2 * quiet, width + 2 * quiet, QImage::Format_Mono);
    image.fill(1);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x)
            if (modules[std::size_t(y * width + x)])
                image.setPixel(x + quiet, y + quiet, 0);
    return QPixmap::fromImage(image.scaled(image.size() * modulePixels));
}

} // namespace

NetworkWindow::NetworkWindow(const std::string &journalPath, ContestChanges &changes, QString address, QWidget *parent)
    : QWidget(parent, Qt::Window), m_service(std::make_unique<FieldService>(journalPath, changes)),
      m_address(std::move(address))
{
    setWindowTitle(QStringLiteral("Show on the network"));
    auto *who = new QLabel(
        QStringLiteral("Anyone on the same network as this computer (the field's Wi-Fi) can open these addresses on "
                       "a phone or a big screen; they show only what the posted results show, and nothing can be "
                       "changed from them."),
        this);
    who->setObjectName(QStringLiteral("networkWho"));
    who->setWordWrap(true);
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("networkPort"));
    // 0 lets the system pick a free port.
    m_port->setRange(0, 65535);
    m_port->setValue(defaultPort);
    m_start = new QPushButton(this);
    m_start->setObjectName(QStringLiteral("networkStart"));
    m_start->setAutoDefault(false);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("networkState"));
    m_state->setWordWrap(true);
    m_watchers = new QLabel(this);
    m_watchers->setObjectName(QStringLiteral("networkWatchers"));
    m_addresses = new QWidget(this);
    m_addresses->setObjectName(QStringLiteral("networkAddresses"));
    m_addressList = new QVBoxLayout(m_addresses);
    m_addressList->setContentsMargins(0, 0, 0, 0);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(m_start, &QPushButton::clicked, this, &NetworkWindow::startOrStop);
    connect(m_service.get(), &FieldService::watchersChanged, this, &NetworkWindow::showWatchers);

    auto *portRow = new QHBoxLayout;
    portRow->addWidget(new QLabel(QStringLiteral("Port:"), this));
    portRow->addWidget(m_port);
    portRow->addWidget(m_start);
    portRow->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_watchers, 1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(who);
    layout->addLayout(portRow);
    layout->addWidget(m_state);
    layout->addWidget(m_addresses, 1);
    layout->addLayout(buttons);
    showState();
    m_start->setFocus();
    resize(560, 300);
}

NetworkWindow::~NetworkWindow() = default;

void NetworkWindow::startOrStop()
{
    if (m_service->serving()) {
        m_service->stop();
        showState();
        return;
    }
    const QString problem = m_service->start(m_address, m_port->value());
    showState(problem);
}

void NetworkWindow::showState(const QString &problem)
{
    const bool serving = m_service->serving();
    m_start->setText(serving ? QStringLiteral("Stop showing") : QStringLiteral("Start showing"));
    m_port->setEnabled(!serving);
    while (QLayoutItem *item = m_addressList->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (!serving) {
        m_state->setText(problem.isEmpty() ? QStringLiteral("The standings are not shown on the network.") : problem);
        m_watchers->clear();
        return;
    }
    m_state->setText(QStringLiteral("Shown at these addresses; the big screen's page ends in /tv:"));
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.4);
    large.setBold(true);
    for (const QString &address : m_service->addresses()) {
        auto *row = new QWidget(m_addresses);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 4, 0, 4);
        auto *code = new QLabel(row);
        code->setObjectName(QStringLiteral("networkQr"));
        code->setPixmap(qrPixmap(address));
        auto *text = new QLabel(address, row);
        text->setObjectName(QStringLiteral("networkAddress"));
        text->setFont(large);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        rowLayout->addWidget(code);
        rowLayout->addWidget(text, 1);
        m_addressList->addWidget(row);
    }
    showWatchers(m_service->watchers());
}

void NetworkWindow::showWatchers(int watchers)
{
    if (m_service->serving())
        m_watchers->setText(QStringLiteral("Watching now: %1").arg(watchers));
}

} // namespace orlo
