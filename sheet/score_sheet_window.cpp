#include "score_sheet_window.h"

#include "designed_palette.h"
#include "sheet_artwork.h"
#include "sheet_scroller.h"
#include "tab_order.h"
#include "tahoma_font.h"
#include "twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

namespace orlo {

using namespace ctl;

namespace {

// The client area: 12915 x 8775 twips.
constexpr QSize sheetSize(pixelsFromTwips(12915), pixelsFromTwips(8775));

bool isButton(Ctl control)
{
    switch (control.name) {
    case Name::Command1:
    case Name::Command2:
    case Name::Command3:
    case Name::Command4: return true;
    default: return false;
    }
}

// Keeps a count raised for the lifetime of a scope.
class Raised {
public:
    explicit Raised(int &count) : m_count(count) { ++m_count; }
    ~Raised() { --m_count; }
    Raised(const Raised &) = delete;
    Raised &operator=(const Raised &) = delete;

private:
    int &m_count;
};

} // namespace

ScoreSheetWindow::ScoreSheetWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Orlo Carrier Scoring Program"));
    setWindowIcon(stopwatchIcon());
    resize(sheetSize);
    setFont(tahomaBold(13));
    // The controls are made on the page before the scroller takes it: one
    // widget moved, not each control.
    auto *page = new QWidget(this);
    m_page = page;
    m_form.emplace(*this, *page);
    m_scroller = new SheetScroller(*this, *page, sheetSize);
    m_form->arrangeTabOrder();
    watchOperator();
    offerJournal();
    applyDesignedLook(*this);
}

ScoreSheetWindow::~ScoreSheetWindow()
{
    for (const auto &[key, widget] : m_form->widgets())
        widget->removeEventFilter(this);
}

void ScoreSheetWindow::fitToScreen()
{
    m_scroller->fitWindowToScreen();
}

void ScoreSheetWindow::setCallLine(const QString &line)
{
    if (!m_callLine) {
        if (line.isEmpty())
            return;
        // Right of the logo, below "Scores to the tenth", above the first rule.
        m_callLine = new QLabel(m_page);
        m_callLine->setObjectName(QStringLiteral("CallLine"));
        m_callLine->setGeometry(twipsRect(4140, 2610, 8700, 480));
        m_callLine->setWordWrap(true);
        m_callLine->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        m_callLine->setFont(tahomaBold(11));
        m_callLine->setTextFormat(Qt::PlainText);
    }
    // Broken between the pilots called, never inside one's name and flight.
    QStringList parts = line.split(QStringLiteral(" \u00B7 "));
    for (QString &part : parts)
        part.replace(QLatin1Char(' '), QChar(0x00A0));
    m_callLine->setText(parts.join(QStringLiteral(" \u00B7 ")));
    m_callLine->setVisible(!line.isEmpty());
}

QString ScoreSheetWindow::objectNameOf(Ctl control)
{
    return ScoreSheetForm::objectNameOf(control);
}

// Tab and Backtab walk the sheet's own order of stops, so that which option
// of a group is a stop follows the selection alone (Qt moves the Tab flag
// around an option group as the focus moves in it).
bool ScoreSheetWindow::focusNextPrevChild(bool next)
{
    const auto stop = nextTabStop(
        controlOf(focusWidget()), next,
        [this](Ctl control) {
            const QWidget *widget = widgetOf(control);
            return widget && widget->isVisibleTo(this) && widget->isEnabled();
        },
        [this](Ctl option) { return isSelected(option); });
    if (!stop)
        return false;
    widgetOf(*stop)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void ScoreSheetWindow::watchOperator()
{
    for (const auto &[key, widget] : m_form->widgets()) {
        const Ctl control{key.first, key.second};
        if (control.name == Name::lblRunning)
            continue;
        widget->installEventFilter(this);
        if (isButton(control)) {
            // Clicks made from code or by assistive tools; the official's own
            // presses with mouse and Space are followed in the event filter.
            connect(qobject_cast<QPushButton *>(widget), &QPushButton::clicked, this,
                    [this, control] { reportPress(control); });
        }
    }
}

// The window's own action, in the context menu of everything but the text
// boxes (which keep their editing menu) and on Ctrl+J wherever the focus is.
void ScoreSheetWindow::offerJournal()
{
    auto *journal = new QAction(QStringLiteral("Flight journal…"), this);
    journal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    addAction(journal);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(journal, &QAction::triggered, this, &ScoreSheetWindow::journalRequested);
}

void ScoreSheetWindow::setLandingDialog(std::function<void()> open, std::function<void()> close)
{
    m_openLanding = std::move(open);
    m_closeLanding = std::move(close);
}

// The field operations the rules use that reach beyond the form's controls.

void ScoreSheetWindow::setVisible(Ctl control, bool visible)
{
    if (QWidget *widget = widgetOf(control)) {
        const Raised own(m_ownChanges);
        widget->setVisible(visible);
    }
}

void ScoreSheetWindow::setFocus(Ctl control)
{
    QWidget *widget = widgetOf(control);
    if (!widget)
        return;
    // Focus given to a window that is not active arrives only once the
    // window is activated, and then as an activation, not as a move.
    if (!isActiveWindow())
        activateWindow();
    const Raised own(m_ownChanges);
    widget->setFocus(Qt::OtherFocusReason);
}

void ScoreSheetWindow::showMessage(std::string_view message)
{
    settlePressBeforeMessage();
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), fromUtf8Exactly(message), QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    applyDesignedLook(box);
    // Without a window manager nothing activates the box on its own.
    QMetaObject::invokeMethod(&box, [&box] { box.activateWindow(); }, Qt::QueuedConnection);
    box.exec();
    activateWindow();
}

void ScoreSheetWindow::openLandingDialog()
{
    if (m_openLanding)
        m_openLanding();
}

void ScoreSheetWindow::closeLandingDialog()
{
    if (m_closeLanding)
        m_closeLanding();
}

void ScoreSheetWindow::endProgram()
{
    m_ended = true;
    closeLandingDialog();
    QCoreApplication::exit(0);
}

bool ScoreSheetWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (followButtonPress(watched, event))
        return true;
    // Whatever the reason Qt gives, a focus-in is a move only where it puts
    // the focus on another control than the rules know of: the activation
    // that follows a message box or the dialog is none, while a click into
    // the sheet when another window was active is one.
    if (event->type() == QEvent::FocusIn && m_ownChanges == 0 && controlOf(watched))
        report({});
    // Keys typed ahead, as a fast official does on a busy machine, come after
    // the focus move that went before them: the field has selected its text
    // and typing replaces it. When the rules refused the move with a message,
    // the key belonged to a field the official has been sent back from. Space
    // on a button is held from here on, wherever the move sends the focus.
    if (event->type() == QEvent::KeyPress && !m_reports.empty() && !m_delivering) {
        deliverReports();
        if (QApplication::focusWidget() != watched)
            return true;
    }
    // A number longer than its box shows its leading digits again once the
    // focus has moved on to another control; a message box or another window
    // taking the focus leaves the cursor where the operator was typing.
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        auto *field = qobject_cast<QLineEdit *>(watched);
        if (field && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            field->setCursorPosition(0);
    }
    return QWidget::eventFilter(watched, event);
}

// A press of a sheet button is the official's from the moment it goes down
// until it is released over the button (or Space is let go). The release
// reports it to the rules, which decide whether it counts; Qt's own click is
// kept from firing, since Qt drops the click when the focus leaves a held
// button, as the rules' focus moves may do before the release comes.
bool ScoreSheetWindow::followButtonPress(QObject *watched, QEvent *event)
{
    const auto control = controlOf(watched);
    auto *button = control && isButton(*control) ? qobject_cast<QPushButton *>(watched) : nullptr;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (button && button->isEnabled() && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_held = HeldButton{*control, true};
        return false;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!button || mouse->button() != Qt::LeftButton)
            return false;
        const bool counts = m_held && m_held->byMouse && m_held->button == *control
                            && button->rect().contains(mouse->position().toPoint());
        m_held.reset();
        button->setDown(false);
        if (counts)
            reportPress(*control);
        return false;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Space || key->isAutoRepeat())
            return false;
        if (button && button->isEnabled() && key->modifiers() == Qt::NoModifier)
            m_held = HeldButton{*control, false};
        else
            m_held.reset();
        return false;
    }
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Space || key->isAutoRepeat())
            return false;
        const auto held = m_held;
        if (button)
            button->setDown(false);
        if (!held || held->byMouse)
            return false;
        m_held.reset();
        if (auto *pressed = qobject_cast<QPushButton *>(widgetOf(held->button)))
            pressed->setDown(false);
        reportPress(held->button);
        // Let go where the focus has been sent on, the key is the button's.
        return watched != widgetOf(held->button);
    }
    default: return false;
    }
}

// A message box takes the release of a button held while the focus move to
// it ran a field's check: the press is settled as the message comes up, and
// the rules count it or not as they count a press refused on the way.
void ScoreSheetWindow::settlePressBeforeMessage()
{
    const auto held = std::exchange(m_held, std::nullopt);
    if (!held)
        return;
    if (auto *button = qobject_cast<QPushButton *>(widgetOf(held->button)))
        button->setDown(false);
    if (m_rules.focus() == held->button)
        reportPress(held->button);
}

void ScoreSheetWindow::reportPress(Ctl button)
{
    report([this, button] { m_rules.buttonPressed(button); });
}

// The dialog's "Done" comes after whatever the official did on the sheet
// before it, and is taken at once when nothing else is under way: the points
// are on the sheet, and the focus on "Calc. Score", before the dialog goes.
void ScoreSheetWindow::landingPointsChosen(std::int16_t points)
{
    report([this, points] { m_rules.landingPointsChosen(points); });
    deliverReports();
}

void ScoreSheetWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

// The rules run outside the window system's delivery of focus and mouse
// events, one action at a time: a message box opened from inside a focus
// change would leave the field that gains the focus without its focus-in.
void ScoreSheetWindow::report(std::function<void()> action)
{
    m_reports.push_back(std::move(action));
    QMetaObject::invokeMethod(this, &ScoreSheetWindow::deliverReports, Qt::QueuedConnection);
}

void ScoreSheetWindow::deliverReports()
{
    // Reports that arrive while a handler waits in a message box wait too.
    if (m_delivering)
        return;
    m_delivering = true;
    while (!m_reports.empty() && !m_ended) {
        const std::function<void()> next = std::move(m_reports.front());
        m_reports.pop_front();
        // A press or a selection comes after the focus move that led to it.
        catchUpFocus();
        if (next && !m_ended)
            next();
        catchUpFocus();
    }
    m_reports.clear();
    m_delivering = false;
}

// Tells the rules where the focus really is when they think it elsewhere:
// the operator moved it, or Qt moved it on from a control a handler hid.
void ScoreSheetWindow::catchUpFocus()
{
    m_rules.catchUpFocus([this]() -> std::optional<Ctl> {
        if (m_ended)
            return std::nullopt;
        return controlOf(focusWidget());
    });
}

} // namespace orlo

#include "moc_score_sheet_window.cpp"
