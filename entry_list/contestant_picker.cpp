#include "contestant_picker.h"

#include "contestant_names.h"
#include "journal_words.h"
#include "shown_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStringListModel>

namespace orlo {

namespace {

std::vector<contest::NameAndNumber> searched(const std::vector<contest::Entry> &entries)
{
    std::vector<contest::NameAndNumber> names;
    names.reserve(entries.size());
    for (const contest::Entry &entry : entries)
        names.push_back({entry.name, entry.number});
    return names;
}

// How many names the confirmation of a new name shows.
constexpr std::size_t nearestShown = 3;

} // namespace

QString offeredText(const contest::Entry &entry)
{
    return entry.number.empty() ? shownText(entry.name) : shownText(entry.name + " " + entry.number);
}

ContestantPicker::ContestantPicker(QWidget *parent) : QLineEdit(parent)
{
    setAccessibleName(QStringLiteral("Contestant"));
    setPlaceholderText(QStringLiteral("Name or number"));
    m_offers = new QStringListModel(this);
    m_completer = new QCompleter(m_offers, this);
    // The offers are found by the entry list's own rules, not the completer's.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(12);
    // Not the line's own completer, which would write each offer highlighted
    // into the line while the director types.
    m_completer->setWidget(this);
    connect(this, &QLineEdit::textEdited, this, &ContestantPicker::offer);
    // The line hears Enter before the offers do: the offer highlighted is taken here.
    connect(this, &QLineEdit::returnPressed, this, [this] {
        const QModelIndex offered = m_completer->popup()->currentIndex();
        if (m_completer->popup()->isVisible() && offered.isValid())
            setText(offered.data().toString());
        m_completer->popup()->hide();
        pickOnce();
    });
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this, [this](const QString &text) {
        setText(text);
        pickOnce();
    });
}

// Enter on an offer reaches both the line and the offers; a click only the offers.
void ContestantPicker::pickOnce()
{
    if (std::exchange(m_pickPending, true))
        return;
    QMetaObject::invokeMethod(this, [this] {
        m_pickPending = false;
        emit picked();
    }, Qt::QueuedConnection);
}

// Escape on the offers is theirs: it puts them away, and no shortcut of the
// window (which Escape closes) takes it first.
bool ContestantPicker::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
        && m_completer->popup()->isVisible()) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void ContestantPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_completer->popup()->isVisible()) {
        m_completer->popup()->hide();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    // Enter names the contestant; it does not also press a dialog's default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

void ContestantPicker::setEntries(std::vector<contest::Entry> entries)
{
    m_entries = std::move(entries);
}

void ContestantPicker::offer(const QString &typed)
{
    QStringList offers;
    if (!typed.trimmed().isEmpty())
        for (const std::size_t position : contest::completions(searched(m_entries), typed.toStdString()))
            offers << offeredText(m_entries[position]);
    m_offers->setStringList(offers);
    if (offers.isEmpty()) {
        m_completer->popup()->hide();
        return;
    }
    m_completer->complete();
    m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
}

std::optional<contest::Entry> ContestantPicker::entryNamed() const
{
    const std::string typed = text().toStdString();
    const std::string compared = contest::comparedName(typed);
    if (compared.empty())
        return std::nullopt;
    for (const contest::Entry &entry : m_entries)
        if (contest::sameName(entry.name, typed) || (!entry.number.empty() && contest::comparedName(entry.number) == compared)
            || contest::sameName(offeredText(entry).toStdString(), typed))
            return entry;
    return std::nullopt;
}

std::optional<std::int64_t> confirmedEntry(ContestantPicker &picker, journal::ContestJournal &contest)
{
    if (const std::optional<contest::Entry> entry = picker.entryNamed())
        return entry->id;
    const std::string name = contest::tidyName(picker.text().toStdString());
    if (name.empty())
        return std::nullopt;
    QStringList nearest;
    for (const std::size_t position : contest::nearestNames(searched(picker.entries()), name, nearestShown))
        nearest << offeredText(picker.entries()[position]);
    QMessageBox confirm(QMessageBox::NoIcon, QStringLiteral("Not on the entry list"),
                        QStringLiteral("“%1” is not on the entry list. Add it?").arg(shownText(name)),
                        QMessageBox::NoButton, picker.window());
    confirm.setInformativeText(nearest.isEmpty() ? QStringLiteral("The entry list is empty.")
                                                 : QStringLiteral("Nearest names on the list: %1.")
                                                       .arg(nearest.join(QStringLiteral(", "))));
    QPushButton *add = confirm.addButton(QStringLiteral("&Add to the list"), QMessageBox::AcceptRole);
    // Enter here is often the second press of a director who meant the
    // offer: it keeps the list as it is, and only Add adds. The box gives
    // its first button the focus, and a focused button would take Enter.
    add->setAutoDefault(false);
    confirm.setDefaultButton(confirm.addButton(QMessageBox::Cancel));
    confirm.exec();
    // Back to the window the name was typed in, whatever the window system activates.
    picker.window()->activateWindow();
    if (confirm.clickedButton() != add)
        return std::nullopt;
    try {
        return contest.add({name, {}, {}});
    } catch (const std::exception &refused) {
        QMessageBox told(QMessageBox::NoIcon, QStringLiteral("Not added to the entry list"), shownText(journalSentence(refused)),
                         QMessageBox::Ok, picker.window());
        told.exec();
        return std::nullopt;
    }
}

ContestantDelegate::ContestantDelegate(const journal::JournalReader &reader, journal::ContestJournal &contest,
                                       QObject *parent)
    : QStyledItemDelegate(parent), m_reader(reader), m_contest(contest)
{
}

QWidget *ContestantDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *picker = new ContestantPicker(parent);
    picker->setFrame(false);
    try {
        picker->setEntries(m_reader.entries());
    } catch (const std::exception &) {
        // Without the list, a name typed is still taken, and confirmed as new.
    }
    // Enter commits through the delegate's own handling of the key.
    return picker;
}

void ContestantDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<ContestantPicker *>(editor)->setText(index.data(Qt::EditRole).toString());
}

void ContestantDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (m_confirming)
        return;
    auto *picker = static_cast<ContestantPicker *>(editor);
    if (contest::sameName(picker->text().toStdString(), index.data(Qt::EditRole).toString().toStdString()))
        return;
    m_confirming = true;
    const std::optional<std::int64_t> entry = confirmedEntry(*picker, m_contest);
    m_confirming = false;
    if (!entry)
        return;
    QString name = picker->text();
    try {
        for (const contest::Entry &listed : m_reader.entries())
            if (listed.id == *entry)
                name = shownText(listed.name);
    } catch (const std::exception &) {
        // The name as typed finds the same entry.
    }
    model->setData(index, name);
}

} // namespace orlo

#include "moc_contestant_picker.cpp"
