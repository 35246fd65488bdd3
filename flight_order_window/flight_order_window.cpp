#include "flight_order_window.h"

#include "call_list_output.h"

#include "call_list_model.h"
#include "contest_journal.h"
#include "call_list_reading.h"
#include "journal_files.h"
#include "journal_reader.h"
#include "journal_words.h"
#include "order_draw.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace orlo {

namespace {

constexpr int entryRole = Qt::UserRole;
constexpr int flightRole = Qt::UserRole + 1;
constexpr int flownRole = Qt::UserRole + 2;

QPushButton *button(const QString &text, const QString &name, const QKeySequence &keys, QWidget *parent)
{
    auto *made = new QPushButton(text, parent);
    made->setObjectName(name);
    if (!keys.isEmpty()) {
        made->setShortcut(keys);
        made->setToolTip(keys.toString(QKeySequence::NativeText));
    }
    made->setAutoDefault(false);
    return made;
}

} // namespace

FlightOrderWindow::FlightOrderWindow(std::string journalPath, ContestChanges &changes, QWidget *parent)
    : QWidget(parent, Qt::Window), m_path(std::move(journalPath)), m_changes(changes)
{
    setWindowTitle(QStringLiteral("Flight order"));
    buildControls();
    reload();
    connect(&m_changes, &ContestChanges::changed, this, [this] {
        if (isVisible())
            reload();
    });
}

void FlightOrderWindow::buildControls()
{
    m_class = new QComboBox(this);
    m_class->setObjectName(QStringLiteral("orderClass"));
    m_method = new QComboBox(this);
    m_method->setObjectName(QStringLiteral("orderMethod"));
    for (auto method : {contest::OrderMethod::AsEntered, contest::OrderMethod::Drawn,
                        contest::OrderMethod::ReverseStandings, contest::OrderMethod::ByHand}) {
        QString name = QString::fromStdString(contest::methodName(method));
        name[0] = name[0].toUpper();
        m_method->addItem(name);
    }
    m_seed = new QLineEdit(this);
    m_seed->setObjectName(QStringLiteral("orderSeed"));
    m_seed->setPlaceholderText(QStringLiteral("a new seed"));
    m_draw = button(QStringLiteral("&Draw"), QStringLiteral("drawButton"), {}, this);
    m_distance = new QSpinBox(this);
    m_distance->setObjectName(QStringLiteral("minDistance"));
    m_distance->setRange(1, 50);
    m_circle = new QLineEdit(this);
    m_circle->setObjectName(QStringLiteral("orderCircle"));
    m_circle->setPlaceholderText(QStringLiteral("the one circle"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("orderList"));
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("orderProgress"));
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("orderProblems"));
    m_problem->setWordWrap(true);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *up = button(QStringLiteral("Move &up"), QStringLiteral("moveUp"), QKeySequence(Qt::ALT | Qt::Key_Up), this);
    auto *down = button(QStringLiteral("Move do&wn"), QStringLiteral("moveDown"), QKeySequence(Qt::ALT | Qt::Key_Down), this);
    auto *again = button(QStringLiteral("Call &again"), QStringLiteral("callAgain"), QKeySequence(Qt::CTRL | Qt::Key_G), this);
    auto *withdrawButton = button(QStringLiteral("&Withdraw"), QStringLiteral("withdraw"), {}, this);
    m_callList = button(QStringLiteral("Call &list…"), QStringLiteral("callListButton"), QKeySequence(Qt::CTRL | Qt::Key_P), this);
    auto *print = button(QStringLiteral("P&rint call list…"), QStringLiteral("printCallList"), {}, this);
    auto *close = button(QStringLiteral("Close"), QStringLiteral("closeOrder"), {}, this);

    connect(m_class, &QComboBox::currentIndexChanged, this, &FlightOrderWindow::showClass);
    connect(m_method, &QComboBox::activated, this, &FlightOrderWindow::methodChosen);
    connect(m_draw, &QPushButton::clicked, this, &FlightOrderWindow::draw);
    connect(m_seed, &QLineEdit::returnPressed, this, &FlightOrderWindow::draw);
    connect(m_distance, &QSpinBox::editingFinished, this, [this] {
        contest::FlyingOrder order = m_order;
        order.minDistance = m_distance->value();
        if (order.minDistance != m_order.minDistance)
            keep(order);
    });
    connect(m_circle, &QLineEdit::editingFinished, this, [this] {
        contest::FlyingOrder order = m_order;
        classOrder(order).circle = m_circle->text().trimmed().toStdString();
        if (order != m_order)
            keep(order);
    });
    connect(up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { move(1); });
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, &FlightOrderWindow::movedByMouse);
    connect(again, &QPushButton::clicked, this, &FlightOrderWindow::callAgain);
    connect(withdrawButton, &QPushButton::clicked, this, &FlightOrderWindow::withdraw);
    connect(m_callList, &QPushButton::clicked, this, [this] {
        connect(callListSaveDialog(*this), &QFileDialog::fileSelected, this, &FlightOrderWindow::saveCallList);
    });
    connect(print, &QPushButton::clicked, this, [this] {
        try {
            openCallListPrint(*this, callListTitleOf(m_path), contest::callListTables(m_called));
        } catch (const std::exception &problem) {
            m_problem->setText(QStringLiteral("Cannot print the call list: %1. Nothing was printed.")
                                   .arg(QString::fromUtf8(problem.what())));
        }
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Class:"), m_class);
    auto *howRow = new QHBoxLayout;
    howRow->addWidget(m_method);
    howRow->addWidget(new QLabel(QStringLiteral("Seed:"), this));
    howRow->addWidget(m_seed);
    howRow->addWidget(m_draw);
    form->addRow(QStringLiteral("Order:"), howRow);
    auto *apartRow = new QHBoxLayout;
    apartRow->addWidget(m_distance);
    apartRow->addWidget(new QLabel(QStringLiteral("flights apart at the circle"), this));
    apartRow->addStretch(1);
    apartRow->addWidget(new QLabel(QStringLiteral("Circle:"), this));
    apartRow->addWidget(m_circle);
    form->addRow(QStringLiteral("Keep a pilot:"), apartRow);
    auto *side = new QVBoxLayout;
    for (QPushButton *each : {up, down, again, withdrawButton})
        side->addWidget(each);
    side->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_list, 1);
    middle->addLayout(side);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_callList);
    bottom->addWidget(print);
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_progress);
    layout->addLayout(middle, 1);
    layout->addWidget(m_problem);
    layout->addLayout(bottom);
    resize(620, 520);
}

bool FlightOrderWindow::saveCallList(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    try {
        if (journal::isJournalFile(path.toStdString(), m_path))
            throw std::runtime_error(theJournalItself);
        writeCallList(callListTitleOf(m_path), contest::callListTables(m_called), path.toStdString());
    } catch (const std::exception &problem) {
        m_problem->setText(QStringLiteral("Cannot write the call list to %1: %2. Nothing was written.")
                               .arg(shown, QString::fromStdString(problem.what())));
        return false;
    }
    m_problem->setText(QStringLiteral("Wrote the call list to %1.").arg(shown));
    return true;
}

void FlightOrderWindow::reload()
{
    try {
        const journal::JournalReader reader(m_path);
        m_order = reader.flightOrder();
        m_entries = reader.entries();
        m_called = journal::readCallList(reader);
        m_problem->clear();
    } catch (const std::exception &problem) {
        m_problem->setText(QString::fromStdString(journalSentence(problem)));
        return;
    }
    const QString chosen = m_class->currentText();
    QStringList classes;
    for (const contest::CircleRound &round : m_called.rounds)
        for (const contest::Call &call : round.calls)
            if (!classes.contains(QString::fromStdString(call.caption)))
                classes << QString::fromStdString(call.caption);
    for (const contest::Entry &entry : m_entries)
        for (const std::string &caption : entry.classes)
            if (!classes.contains(QString::fromStdString(caption)))
                classes << QString::fromStdString(caption);
    m_showing = true;
    m_class->clear();
    m_class->addItems(classes);
    m_class->setCurrentIndex(std::max(0, int(classes.indexOf(chosen))));
    m_showing = false;
    showClass();
}

std::string FlightOrderWindow::chosenClass() const
{
    return m_class->currentText().toStdString();
}

contest::ClassOrder &FlightOrderWindow::classOrder(contest::FlyingOrder &order) const
{
    const std::string caption = chosenClass();
    for (contest::ClassOrder &kept : order.classes)
        if (kept.caption == caption)
            return kept;
    return order.classes.emplace_back(order.orderOf(caption));
}

// The class's pilots in the round it flies now, as called; then those withdrawn.
void FlightOrderWindow::showClass()
{
    if (m_showing)
        return;
    m_showing = true;
    const std::string caption = chosenClass();
    const contest::ClassOrder kept = m_order.orderOf(caption);
    m_method->setCurrentIndex(static_cast<int>(kept.method));
    m_seed->setText(kept.method == contest::OrderMethod::Drawn ? QString::number(kept.seed) : QString());
    m_distance->setValue(m_order.minDistance);
    m_circle->setText(QString::fromStdString(kept.circle));
    const contest::RoundProgress progress = contest::progressOf(m_called, caption);
    m_progress->setText(progress.rounds > 0 ? QString::fromStdString(contest::progressText(progress)) : QString());
    const int row = m_list->currentRow();
    m_list->clear();
    int place = 0;
    for (const contest::CircleRound &round : m_called.rounds)
        for (const contest::Call &call : round.calls)
            if (round.round == progress.round && call.caption == caption) {
                auto *item = new QListWidgetItem(QStringLiteral("%1. %2, flight %3%4")
                                                     .arg(++place)
                                                     .arg(QString::fromStdString(call.contestant
                                                                                 + (call.number.empty() ? "" : " " + call.number)))
                                                     .arg(call.flight)
                                                     .arg(call.flown ? QStringLiteral(": flown") : QString()),
                                                 m_list);
                item->setData(entryRole, qint64(call.entry));
                item->setData(flightRole, call.flight);
                item->setData(flownRole, call.flown);
            }
    for (const contest::Entry &entry : m_entries)
        if (entry.withdrawn && std::find(entry.classes.begin(), entry.classes.end(), caption) != entry.classes.end()) {
            auto *item = new QListWidgetItem(
                QStringLiteral("%1: withdrawn")
                    .arg(QString::fromStdString(entry.name + (entry.number.empty() ? "" : " " + entry.number))),
                m_list);
            item->setData(entryRole, qint64(entry.id));
            item->setData(flownRole, true);
        }
    m_list->setCurrentRow(std::min(std::max(row, 0), m_list->count() - 1));
    QStringList told;
    for (const contest::OrderConflict &conflict : m_called.conflicts)
        told << QString::fromStdString(contest::conflictText(conflict));
    m_problem->setText(told.join(u'\n'));
    m_showing = false;
}

void FlightOrderWindow::keep(const contest::FlyingOrder &order)
{
    try {
        journal::ContestJournal(m_path).setFlightOrder(order);
    } catch (const std::exception &problem) {
        m_problem->setText(QString::fromStdString(journalSentence(problem)) + QStringLiteral(" The order was not changed."));
        return;
    }
    // The window reads the journal again as it hears of the change.
    m_changes.tell(ContestChange::Settings);
}

void FlightOrderWindow::methodChosen()
{
    contest::FlyingOrder order = m_order;
    contest::ClassOrder &kept = classOrder(order);
    kept.method = static_cast<contest::OrderMethod>(m_method->currentIndex());
    if (kept.method == contest::OrderMethod::Drawn) {
        draw();
        return;
    }
    kept.entries = kept.method == contest::OrderMethod::ByHand ? shownEntries() : std::vector<std::int64_t>();
    keep(order);
}

// A seed typed makes that seed's draw, to check a draw made before; Draw
// with the seed shown draws afresh.
void FlightOrderWindow::draw()
{
    bool typed = false;
    const qulonglong seed = m_seed->text().trimmed().toULongLong(&typed);
    contest::FlyingOrder order = m_order;
    contest::ClassOrder &kept = classOrder(order);
    std::vector<std::int64_t> entered;
    for (const contest::Entry &entry : m_entries)
        if (std::find(entry.classes.begin(), entry.classes.end(), kept.caption) != entry.classes.end())
            entered.push_back(entry.id);
    std::sort(entered.begin(), entered.end());
    kept.method = contest::OrderMethod::Drawn;
    const contest::ClassOrder before = m_order.orderOf(kept.caption);
    const bool typedAnew = typed && !(before.method == contest::OrderMethod::Drawn && before.seed == seed);
    kept.seed = typedAnew ? seed : contest::freshSeed();
    kept.entries = contest::drawOrder(entered, kept.seed);
    keep(order);
}

std::vector<std::int64_t> FlightOrderWindow::shownEntries() const
{
    std::vector<std::int64_t> shown;
    for (int row = 0; row < m_list->count(); ++row) {
        const std::int64_t entry = m_list->item(row)->data(entryRole).toLongLong();
        if (std::find(shown.begin(), shown.end(), entry) == shown.end())
            shown.push_back(entry);
    }
    return shown;
}

void FlightOrderWindow::move(int by)
{
    const int row = m_list->currentRow(), to = row + by;
    if (row < 0 || to < 0 || to >= m_list->count())
        return;
    std::vector<std::int64_t> entries = shownEntries();
    if (to >= int(entries.size()))
        return;
    std::swap(entries[std::size_t(row)], entries[std::size_t(to)]);
    contest::FlyingOrder order = m_order;
    contest::ClassOrder &kept = classOrder(order);
    kept.method = contest::OrderMethod::ByHand;
    kept.entries = entries;
    keep(order);
    m_list->setCurrentRow(to);
}

void FlightOrderWindow::movedByMouse()
{
    if (m_showing)
        return;
    contest::FlyingOrder order = m_order;
    contest::ClassOrder &kept = classOrder(order);
    kept.method = contest::OrderMethod::ByHand;
    kept.entries = shownEntries();
    keep(order);
}

// A flight flown for the round does not count for it: the pilot is called again.
void FlightOrderWindow::callAgain()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item || !item->data(flownRole).toBool() || item->data(flightRole).toInt() == 0) {
        m_problem->setText(QStringLiteral("Choose a pilot who has flown this round to call again."));
        return;
    }
    try {
        journal::ContestJournal(m_path).callAgain(item->data(entryRole).toLongLong(), chosenClass(),
                                                  item->data(flightRole).toInt());
    } catch (const std::exception &problem) {
        m_problem->setText(QString::fromStdString(journalSentence(problem)) + QStringLiteral(" Nobody was called again."));
        return;
    }
    // The window reads the journal again as it hears of the change.
    m_changes.tell(ContestChange::Settings);
}

void FlightOrderWindow::withdraw()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    const std::int64_t id = item->data(entryRole).toLongLong();
    bool withdrawn = false;
    for (const contest::Entry &entry : m_entries)
        if (entry.id == id)
            withdrawn = entry.withdrawn;
    try {
        journal::ContestJournal(m_path).setWithdrawn(id, !withdrawn);
    } catch (const std::exception &problem) {
        m_problem->setText(QString::fromStdString(journalSentence(problem)));
        return;
    }
    // The window reads the journal again as it hears of the change.
    m_changes.tell(ContestChange::Entries);
}

} // namespace orlo
