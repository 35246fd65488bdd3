#include "window_place.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace orlo {

namespace {

QString &settingsFile()
{
    static QString file;
    return file;
}

QString settingsKey(const QString &key)
{
    return QStringLiteral("windows/") + key;
}

// The window system's frame around the sheet, taken to be the same around
// any other window of the program.
QMargins frameOf(const QWidget &sheet)
{
    const QRect outer = sheet.frameGeometry();
    const QRect inner = sheet.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// Saves a window's place a moment after it stops moving, and at once when it is hidden.
class PlaceKeeper final : public QObject {
public:
    PlaceKeeper(QWidget &window, QString key) : QObject(&window), m_window(window), m_key(std::move(key))
    {
        m_later.setSingleShot(true);
        m_later.setInterval(500);
        connect(&m_later, &QTimer::timeout, this, &PlaceKeeper::save);
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window) {
            if (event->type() == QEvent::Hide)
                save();
            else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && m_window.isVisible())
                m_later.start();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void save()
    {
        m_later.stop();
        if (settingsFile().isEmpty())
            return;
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.setValue(settingsKey(m_key), m_window.saveGeometry());
    }

    QWidget &m_window;
    QString m_key;
    QTimer m_later;
};

} // namespace

Placement placeBeside(const QRect &available, const QRect &sheet, QSize wanted, QSize least)
{
    const int roomRight = available.right() - sheet.right();
    const int roomLeft = sheet.left() - available.left();
    const bool right = roomRight >= roomLeft;
    const int room = std::max(roomRight, roomLeft);
    QSize size = wanted.boundedTo(available.size());
    const bool beside = room >= least.width();
    // Too narrow a side, but room under the sheet: there, as wide as wanted.
    const int roomBelow = available.bottom() - sheet.bottom();
    if (!beside && roomBelow >= least.height() && available.width() >= least.width()) {
        size = wanted.boundedTo(QSize(available.width(), roomBelow));
        const int x = std::clamp(sheet.left(), available.left(), available.right() + 1 - size.width());
        const QRect frame(QPoint(x, sheet.bottom() + 1), size);
        return {frame, frame.intersects(sheet)};
    }
    if (beside)
        size.setWidth(std::min(size.width(), room));
    const int x = beside ? (right ? sheet.right() + 1 : sheet.left() - size.width())
                         : (right ? available.right() + 1 - size.width() : available.left());
    const int y = std::clamp(sheet.top(), available.top(), available.bottom() + 1 - size.height());
    const QRect frame(QPoint(x, y), size);
    return {frame, frame.intersects(sheet)};
}

bool placeBeside(QWidget &window, const QWidget &sheet)
{
    const QMargins frame = frameOf(sheet);
    const Placement placement =
        placeBeside(sheet.screen()->availableGeometry(), sheet.frameGeometry(), window.size().grownBy(frame),
                    window.minimumSizeHint().expandedTo(window.minimumSize()).grownBy(frame));
    window.resize(placement.frame.size().shrunkBy(frame));
    window.move(placement.frame.topLeft()); // a window's position is its frame's
    return placement.overSheet;
}

void placeWhole(QWidget &window, const QWidget &near)
{
    const QMargins frame = frameOf(*near.window());
    const QRect available = near.screen()->availableGeometry();
    window.resize(window.size().boundedTo(available.size().shrunkBy(frame)));
    const QSize outer = window.size().grownBy(frame);
    const QPoint corner = near.window()->frameGeometry().topLeft();
    window.move(std::clamp(corner.x(), available.left(), available.right() + 1 - outer.width()),
                std::clamp(corner.y(), available.top(), available.bottom() + 1 - outer.height()));
}

void keepPlacesIn(const QString &file)
{
    settingsFile() = file;
}

bool coversButtonOf(const QRect &frame, const QWidget &sheet)
{
    const QList<QPushButton *> buttons = sheet.findChildren<QPushButton *>();
    return std::any_of(buttons.begin(), buttons.end(), [&](const QPushButton *button) {
        return button->isVisible() && frame.intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
    });
}

bool restorePlace(QWidget &window, const QString &key, const QWidget *sheet)
{
    if (settingsFile().isEmpty())
        return false;
    const QByteArray kept = QSettings(settingsFile(), QSettings::IniFormat).value(settingsKey(key)).toByteArray();
    const QRect before = window.geometry();
    if (kept.isEmpty() || !window.restoreGeometry(kept))
        return false;
    // Whole on one screen, or placed afresh; judged at the least size its
    // contents now need, to which it grows as it shows (a place kept narrower
    // than that, at a screen's edge, reached past the edge).
    QRect restored = window.frameGeometry();
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    restored.setSize(restored.size() + window.size().expandedTo(least) - window.size());
    const QScreen *screen = QGuiApplication::screenAt(restored.center());
    if (screen && screen->availableGeometry().contains(restored) && !(sheet && coversButtonOf(restored, *sheet)))
        return true;
    window.setGeometry(before);
    return false;
}

void keepPlace(QWidget &window, const QString &key)
{
    new PlaceKeeper(window, key);
}

} // namespace orlo
