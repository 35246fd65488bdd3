#include "contest_settings_dialog.h"

#include "contest_checks.h"
#include "contest_lists.h"
#include "contest_words.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace orlo {

namespace {

// The Final box fills its cell: a click anywhere in the cell ticks it, not
// on the small box alone.
class CellCheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &position) const override { return rect().contains(position); }
};

} // namespace

namespace {

enum Column { CaptionColumn, CountingColumn, CountedColumn, OfficialColumn, TiesColumn, FinalColumn, Columns };

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

ContestSettingsDialog::ContestSettingsDialog(const contest::ContestSettings &contest,
                                             const contest::Results &shown, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Contest"));
    m_name = new QLineEdit(fromStd(contest.name), this);
    m_name->setAccessibleName(QStringLiteral("Contest name"));
    m_firstDay = new QLineEdit(fromStd(contest.firstDay), this);
    m_firstDay->setAccessibleName(QStringLiteral("First day"));
    m_lastDay = new QLineEdit(fromStd(contest.lastDay), this);
    m_lastDay->setAccessibleName(QStringLiteral("Last day"));
    for (QLineEdit *day : {m_firstDay, m_lastDay})
        day->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));

    m_classes = new QTableWidget(0, Columns, this);
    m_classes->setObjectName(QStringLiteral("ContestClasses"));
    m_classes->setAccessibleName(QStringLiteral("Classes"));
    m_classes->setHorizontalHeaderLabels({QStringLiteral("Class"), QStringLiteral("Counts"),
                                          QStringLiteral("Best K"), QStringLiteral("Official flights"),
                                          QStringLiteral("Ties"), QStringLiteral("Final")});
    m_classes->verticalHeader()->hide();
    // Tab goes from rule to rule, not from bare cell to bare cell; the table
    // follows the focus.
    m_classes->setTabKeyNavigation(false);
    m_classes->setFocusPolicy(Qt::NoFocus);
    // The classes of the contest, then those shown that have no rule of their own yet.
    for (const contest::ClassRule &rule : contest.classes)
        addClassRow(rule);
    for (const contest::ClassStandings &standings : shown.classes)
        if (std::none_of(contest.classes.begin(), contest.classes.end(),
                         [&](const contest::ClassRule &rule) { return rule.caption == standings.rule.caption; }))
            addClassRow(standings.rule);
    m_classes->resizeColumnsToContents();
    m_classes->resizeRowsToContents();

    m_combinations = new QPlainTextEdit(fromStd(contest::combinationsText(contest.combinations)), this);
    m_combinations->setAccessibleName(QStringLiteral("Combined standings"));
    // A sentence, so that an empty box never reads as a combination set.
    m_combinations->setPlaceholderText(QStringLiteral("No combined standings."));
    m_combinations->setTabChangesFocus(true);
    const QFontMetrics metrics = m_combinations->fontMetrics();
    m_combinations->setFixedHeight(metrics.lineSpacing() * 3 + 2 * m_combinations->frameWidth()
                                   + 2 * int(m_combinations->document()->documentMargin()));

    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("ContestRefusal"));
    m_refusal->setAccessibleName(QStringLiteral("Why the settings were not taken"));
    m_refusal->setWordWrap(true);
    m_refusal->hide();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Contest name:"), m_name);
    form->addRow(QStringLiteral("First day:"), m_firstDay);
    form->addRow(QStringLiteral("Last day:"), m_lastDay);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Classes:"), this));
    layout->addWidget(m_classes, 1);
    layout->addWidget(new QLabel(QStringLiteral("Combined standings, one a line, as "
                                                "\u201cProfile + Class I + Class II = Profile, Class I, Class II\u201d:"),
                                 this));
    layout->addWidget(m_combinations);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);

    QWidget *previous = m_lastDay;
    QWidget::setTabOrder(m_name, m_firstDay);
    QWidget::setTabOrder(m_firstDay, m_lastDay);
    for (QWidget *control : std::as_const(m_ruleControls)) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
    QWidget::setTabOrder(previous, m_combinations);
    QWidget::setTabOrder(m_combinations, buttons);
    fitToScreen();
}

// As wide as the rules and as high as every class, on the screen it opens on:
// a class scrolled out of sight at the start is easily missed.
void ContestSettingsDialog::fitToScreen()
{
    const int frame = 2 * m_classes->frameWidth();
    int rows = m_classes->horizontalHeader()->sizeHint().height();
    for (int row = 0; row < m_classes->rowCount(); ++row)
        rows += m_classes->rowHeight(row);
    m_classes->setMinimumHeight(rows + frame);
    const QMargins margins = layout()->contentsMargins();
    QSize wanted = sizeHint().expandedTo(
        QSize(std::max(640, m_classes->horizontalHeader()->length() + frame + margins.left() + margins.right()), 0));
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
    // Room for the window system's frame and title around the dialog.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    resize(wanted.boundedTo(room));
    // The director may make it smaller again: the classes then scroll.
    m_classes->setMinimumHeight(m_classes->horizontalHeader()->sizeHint().height() + frame
                                + m_classes->verticalHeader()->defaultSectionSize());
}

void ContestSettingsDialog::addClassRow(const contest::ClassRule &rule)
{
    const int row = m_classes->rowCount();
    m_classes->insertRow(row);
    auto *caption = new QTableWidgetItem(fromStd(rule.caption));
    caption->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    caption->setData(Qt::UserRole, fromStd(rule.finalAt));
    m_classes->setItem(row, CaptionColumn, caption);
    const QString shownCaption = fromStd(rule.caption);
    // Each control named for a reader that speaks the screen: the class, then the rule.
    const auto place = [&](Column column, QWidget *control, const QString &rulePart) {
        control->setAccessibleName(shownCaption + QStringLiteral(", ") + rulePart);
        control->setFocusPolicy(Qt::StrongFocus);
        control->installEventFilter(this);
        m_classes->setCellWidget(row, column, control);
        m_ruleControls << control;
    };
    const auto choice = [&](Column column, const QStringList &choices, bool first, const QString &rulePart) {
        auto *box = new QComboBox(m_classes);
        box->addItems(choices);
        box->setCurrentIndex(first ? 0 : 1);
        place(column, box, rulePart);
    };
    const auto count = [&](Column column, int value, const QString &rulePart) {
        auto *box = new QSpinBox(m_classes);
        box->setRange(1, 20);
        box->setValue(value);
        place(column, box, rulePart);
    };
    choice(CountingColumn,
           {fromStd(contest::countingChoice(contest::Counting::BestFlight)),
            fromStd(contest::countingChoice(contest::Counting::SumOfBest))},
           rule.counting == contest::Counting::BestFlight, QStringLiteral("how it counts"));
    count(CountedColumn, rule.counted, QStringLiteral("best K flights summed"));
    count(OfficialColumn, rule.officialFlights, QStringLiteral("official flights allowed"));
    choice(TiesColumn,
           {fromStd(contest::tieChoice(contest::TieRule::Shared)), fromStd(contest::tieChoice(contest::TieRule::NextBest))},
           rule.ties == contest::TieRule::Shared, QStringLiteral("how ties are settled"));
    auto *final = new CellCheckBox(m_classes);
    final->setChecked(rule.final);
    place(FinalColumn, final, QStringLiteral("final"));
}

bool ContestSettingsDialog::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control || !m_ruleControls.contains(control))
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Wheel:
        if (control->hasFocus())
            break;
        QCoreApplication::sendEvent(m_classes->viewport(), event);
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
            if (auto *box = qobject_cast<QComboBox *>(control))
                box->showPopup();
            else if (auto *count = qobject_cast<QSpinBox *>(control))
                count->selectAll();
            return true;
        }
        break;
    case QEvent::FocusIn:
        m_classes->scrollTo(m_classes->indexAt(control->geometry().center()));
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

contest::ContestSettings ContestSettingsDialog::settings() const
{
    contest::ContestSettings contest;
    contest.name = m_name->text().simplified().toStdString();
    contest.firstDay = m_firstDay->text().trimmed().toStdString();
    contest.lastDay = m_lastDay->text().trimmed().toStdString();
    for (int row = 0; row < m_classes->rowCount(); ++row) {
        contest::ClassRule rule;
        rule.caption = m_classes->item(row, CaptionColumn)->text().toStdString();
        const auto *counting = static_cast<QComboBox *>(m_classes->cellWidget(row, CountingColumn));
        rule.counting = counting->currentIndex() == 0 ? contest::Counting::BestFlight : contest::Counting::SumOfBest;
        rule.counted = static_cast<QSpinBox *>(m_classes->cellWidget(row, CountedColumn))->value();
        rule.officialFlights = static_cast<QSpinBox *>(m_classes->cellWidget(row, OfficialColumn))->value();
        const auto *ties = static_cast<QComboBox *>(m_classes->cellWidget(row, TiesColumn));
        rule.ties = ties->currentIndex() == 0 ? contest::TieRule::Shared : contest::TieRule::NextBest;
        rule.final = static_cast<QCheckBox *>(m_classes->cellWidget(row, FinalColumn))->isChecked();
        // A class closed before keeps its time; the journal stamps one closed now.
        if (rule.final)
            rule.finalAt = m_classes->item(row, CaptionColumn)->data(Qt::UserRole).toString().toStdString();
        contest.classes.push_back(std::move(rule));
    }
    contest.combinations = contest::combinationsIn(m_combinations->toPlainText().toStdString());
    return contest;
}

void ContestSettingsDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        const contest::ContestSettings asShown = settings();
        if (const std::optional<std::string> refusal = contest::refusalOf(asShown)) {
            showRefusal(*refusal, asShown);
            return;
        }
    }
    QDialog::done(result);
}

void ContestSettingsDialog::showRefusal(const std::string &refusal, const contest::ContestSettings &refused)
{
    // The part at fault is the first whose settings alone the check refuses.
    contest::ContestSettings part;
    part.name = refused.name;
    part.firstDay = refused.firstDay;
    part.lastDay = refused.lastDay;
    QWidget *fault = m_combinations;
    QWidget *under = m_combinations;
    if (contest::refusalOf(part)) {
        const bool firstAtFault = !refused.firstDay.empty() && !contest::isCalendarDay(refused.firstDay);
        fault = firstAtFault ? m_firstDay : m_lastDay;
        under = m_lastDay;
    } else {
        for (std::size_t row = 0; row < refused.classes.size(); ++row) {
            part.classes.push_back(refused.classes[row]);
            if (contest::refusalOf(part)) {
                const bool sums = refused.classes[row].counting == contest::Counting::SumOfBest;
                fault = m_classes->cellWidget(int(row), sums ? CountedColumn : OfficialColumn);
                under = m_classes;
                m_classes->scrollTo(m_classes->model()->index(int(row), CaptionColumn));
                break;
            }
        }
    }
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    layout->removeWidget(m_refusal);
    const int at = under == m_lastDay ? 1 : layout->indexOf(under) + 1;
    layout->insertWidget(at, m_refusal);
    m_refusal->setText(fromStd(refusal) + QStringLiteral(" Nothing was changed yet: correct it and press OK, or Cancel."));
    m_refusal->show();
    fault->setFocus(Qt::OtherFocusReason);
}

} // namespace orlo
