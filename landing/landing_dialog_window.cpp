#include "landing_dialog_window.h"

#include "designed_palette.h"
#include "tahoma_font.h"
#include "twips.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace orlo {

namespace {

constexpr std::array<const char *, 4> optionCaptions{
    "Arrested landing, with plane in normal 3 point attitude = 100 Points.",
    "Arrested landing, with plane in other than normal 3 point attitude = 50 Points.",
    "Arrested landing, with plane coming to rest or 1 with wheel off the deck = 25 Points.",
    "No arrested landing",
};

constexpr std::array<int, 4> optionTops{180, 500, 820, 1140};

} // namespace

LandingDialogWindow::LandingDialogWindow(LandingPointsReceiver &sheet) : QWidget(nullptr), m_rules(*this, sheet)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Form2"));
    registerTahoma();
    setFont(tahomaBold(13));
    resize(pixelsFromTwips(9810), pixelsFromTwips(4410));

    for (int i = 0; i < 4; ++i) {
        auto *option = new QRadioButton(QString::fromUtf8(optionCaptions[static_cast<std::size_t>(i)]), this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        option->setAccessibleName(option->text());
        option->setGeometry(twipsRect(180, optionTops[static_cast<std::size_t>(i)], 8775, 315));
        option->installEventFilter(this);
        connect(option, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked && m_rulesAtWork == 0)
                m_rules.optionSelected(i);
        });
        m_options[static_cast<std::size_t>(i)] = option;
    }

    auto *label = new QLabel(QStringLiteral("Missed landing laps"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(twipsRect(180, 1920, 2415, 255));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(label->text());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setGeometry(twipsRect(180, 2160, 8835, 1500));
    label->setBuddy(m_list);

    m_done = new QPushButton(QStringLiteral("Done"), this);
    m_done->setObjectName(QStringLiteral("Command1"));
    m_done->setAutoDefault(false);
    m_done->setDefault(false);
    m_done->setGeometry(twipsRect(7980, 3720, 1095, 495));
    m_done->installEventFilter(this);
    connect(m_done, &QPushButton::clicked, this, [this] { m_rules.buttonPressed(); });

    // The tab order of the form: the first three grades, the list, "Done",
    // then "No arrested landing". Qt makes the group one stop, its selected
    // grade, so tabbing through never changes the points.
    QWidget::setTabOrder(m_options[0], m_options[1]);
    QWidget::setTabOrder(m_options[1], m_options[2]);
    QWidget::setTabOrder(m_options[2], m_list);
    QWidget::setTabOrder(m_list, m_done);
    QWidget::setTabOrder(m_done, m_options[3]);

    applyDesignedLook(*this);
    m_rules.load();
}

QRadioButton *LandingDialogWindow::option(int index) const
{
    return index >= 0 && index < 4 ? m_options[static_cast<std::size_t>(index)] : nullptr;
}

// The arrow keys step through the grades in a ring, as option groups do on
// the desktops officials use; the grade reached becomes the selected one.
int LandingDialogWindow::arrowStep(const QKeyEvent &key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    switch (key.key()) {
    case Qt::Key_Down:
    case Qt::Key_Right: return 1;
    case Qt::Key_Up:
    case Qt::Key_Left: return -1;
    default: return 0;
    }
}

bool LandingDialogWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto &key = *static_cast<QKeyEvent *>(event);
        // "Done" is neither the default nor the cancel button: Return presses
        // it only where it has the focus, as Space does and as a focused
        // button takes Return on the desktops officials use.
        if (watched == m_done && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
            && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            if (!key.isAutoRepeat())
                m_done->click();
            return true;
        }
        const int step = arrowStep(key);
        for (int i = 0; step != 0 && i < 4; ++i) {
            if (watched == m_options[static_cast<std::size_t>(i)]) {
                m_rules.focusTo(dialog::Option1((i + step + 4) % 4));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QWidget *LandingDialogWindow::widget(DialogCtl control) const
{
    switch (control.name) {
    case DialogName::Option1: return option(control.index);
    case DialogName::List1: return m_list;
    case DialogName::Command1: return m_done;
    }
    return nullptr;
}

bool LandingDialogWindow::isSelected(int option) const
{
    const QRadioButton *button = this->option(option);
    return button && button->isChecked();
}

void LandingDialogWindow::select(int option)
{
    if (QRadioButton *button = this->option(option)) {
        ++m_rulesAtWork;
        button->setChecked(true);
        --m_rulesAtWork;
    }
}

void LandingDialogWindow::addItem(std::string_view item)
{
    m_list->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
}

int LandingDialogWindow::listIndex() const
{
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void LandingDialogWindow::setListIndex(int index)
{
    m_list->setCurrentRow(index);
}

void LandingDialogWindow::setFocus(DialogCtl control)
{
    if (QWidget *target = widget(control))
        target->setFocus(Qt::OtherFocusReason);
}

void LandingDialogWindow::closeDialog()
{
    close();
}

} // namespace orlo

#include "moc_landing_dialog_window.cpp"
