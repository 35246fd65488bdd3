#include "import_preview.h"

#include "classes_change.h"
#include "event_classes.h"
#include "shown_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace orlo {

namespace {

// A combo box's item for "no column", and for the name read from the first and last name columns.
constexpr int noColumn = -1;
constexpr int firstAndLastName = -2;

std::optional<std::size_t> columnOf(const QComboBox &choice)
{
    const int column = choice.currentData().toInt();
    return column < 0 ? std::optional<std::size_t>() : std::size_t(column);
}

} // namespace

ImportPreview::ImportPreview(const QString &fileName, QByteArray file, std::vector<contest::Entry> listed,
                             std::vector<contest::ScoredFlight> flights, QWidget *parent)
    : QDialog(parent), m_file(std::move(file)), m_listed(std::move(listed)), m_flights(std::move(flights))
{
    setWindowTitle(QStringLiteral("Import %1").arg(QFileInfo(fileName).fileName()));
    m_name = new QComboBox(this);
    m_name->setObjectName(QStringLiteral("NameColumn"));
    m_number = new QComboBox(this);
    m_number->setObjectName(QStringLiteral("NumberColumn"));
    m_classes = new QComboBox(this);
    m_classes->setObjectName(QStringLiteral("ClassesColumn"));
    m_rows = new QTableWidget(0, 4, this);
    m_rows->setObjectName(QStringLiteral("PreviewRows"));
    m_rows->setHorizontalHeaderLabels(
        {QStringLiteral("Line"), QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Classes")});
    m_rows->verticalHeader()->hide();
    m_rows->horizontalHeader()->setStretchLastSection(true);
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_columns = new QLabel(this);
    m_columns->setObjectName(QStringLiteral("ColumnsUsed"));
    m_columns->setWordWrap(true);
    m_events = new QTableWidget(0, 3, this);
    m_events->setObjectName(QStringLiteral("EventClasses"));
    m_events->setHorizontalHeaderLabels(
        {QStringLiteral("Event"), QStringLiteral("Rows"), QStringLiteral("Read as class")});
    m_events->verticalHeader()->hide();
    m_events->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_changes = new QListWidget(this);
    m_changes->setObjectName(QStringLiteral("ClassChanges"));
    m_changes->setWordWrap(true);
    // A grouped problem is a long sentence: wrapped, and the list scrolls.
    m_problems = new QListWidget(this);
    m_problems->setObjectName(QStringLiteral("Problems"));
    m_problems->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("Import"));
    buttons->addButton(QDialogButtonBox::Cancel);

    auto *choices = new QFormLayout;
    choices->addRow(QStringLiteral("&Name from:"), m_name);
    choices->addRow(QStringLiteral("N&umber from:"), m_number);
    choices->addRow(QStringLiteral("&Classes from:"), m_classes);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("From %1:").arg(QDir::toNativeSeparators(fileName)), this));
    layout->addLayout(choices);
    layout->addWidget(m_rows, 3);
    layout->addWidget(m_columns);
    layout->addWidget(m_events, 2);
    layout->addWidget(m_changes, 1);
    layout->addWidget(m_problems, 2);
    layout->addWidget(buttons);
    resize(680, 600);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_read = readRegistration(std::string_view(m_file.constData(), std::size_t(m_file.size())));
    fillChoices();
    for (QComboBox *choice : {m_name, m_number, m_classes})
        connect(choice, &QComboBox::currentIndexChanged, this, &ImportPreview::read);
    read();
}

void ImportPreview::fillChoices()
{
    const RegistrationColumns found = m_read.columns;
    const auto select = [](QComboBox *choice, std::optional<std::size_t> column) {
        choice->setCurrentIndex(std::max(0, choice->findData(column ? int(*column) : noColumn)));
    };
    if (found.firstName && found.lastName)
        m_name->addItem(QStringLiteral("%1 and %2")
                            .arg(shownText(m_read.header[*found.firstName]), shownText(m_read.header[*found.lastName])),
                        firstAndLastName);
    m_number->addItem(QStringLiteral("(none)"), noColumn);
    m_classes->addItem(QStringLiteral("(none)"), noColumn);
    for (std::size_t column = 0; column < m_read.header.size(); ++column) {
        const QString heading = m_read.header[column].empty() ? QStringLiteral("Column %1").arg(column + 1)
                                                              : shownText(m_read.header[column]);
        for (QComboBox *choice : {m_name, m_number, m_classes})
            choice->addItem(heading, int(column));
    }
    select(m_name, found.name);
    select(m_number, found.number);
    select(m_classes, found.classes);
    // A header without any heading for the name: the director picks one, nothing chosen for him.
    if (!found.namesSomeone())
        m_name->setCurrentIndex(-1);
}

void ImportPreview::read()
{
    if (!m_read.header.empty() && m_name->currentIndex() >= 0) {
        RegistrationColumns chosen{columnOf(*m_name), {}, {}, columnOf(*m_number), columnOf(*m_classes)};
        if (m_name->currentData().toInt() == firstAndLastName) {
            const RegistrationColumns found = columnsNamed(m_read.header);
            chosen.firstName = found.firstName;
            chosen.lastName = found.lastName;
        }
        m_read = readRegistration(std::string_view(m_file.constData(), std::size_t(m_file.size())), chosen,
                                  m_eventClasses);
    }
    showEvents();
    showChanges();
    const int shown = std::min(int(m_read.rows.size()), shownRows);
    m_rows->setRowCount(shown);
    for (int row = 0; row < shown; ++row) {
        const journal::RegistrationRow &entry = m_read.rows[std::size_t(row)];
        QStringList classes;
        for (const std::string &eventClass : entry.entry.classes)
            classes << shownText(eventClass);
        const QStringList cells{QString::number(entry.line), shownText(entry.entry.name), shownText(entry.entry.number),
                                classes.join(QStringLiteral(" / "))};
        for (int column = 0; column < cells.size(); ++column)
            m_rows->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_rows->resizeColumnsToContents();
    QString columns = m_read.header.empty() || !m_read.columns.namesSomeone()
                          ? QString()
                          : shownText(columnsUsedSaid(m_read.header, m_read.columns));
    if (m_read.rows.size() > std::size_t(shown))
        columns = QStringLiteral("The first %1 of %2 entries are shown. ").arg(shown).arg(m_read.rows.size()) + columns;
    m_columns->setText(columns);
    m_problems->clear();
    // A file of a million bad rows is told by its first lines.
    constexpr std::size_t shownProblems = 100;
    for (std::size_t line = 0; line < std::min(m_read.problems.size(), shownProblems); ++line)
        m_problems->addItem(shownText(m_read.problems[line]));
    if (m_read.problems.size() > shownProblems)
        m_problems->addItem(QStringLiteral("… and %1 more lines like these.").arg(m_read.problems.size() - shownProblems));
    if (m_read.problems.empty())
        m_problems->addItem(m_read.rows.empty() ? QStringLiteral("The file lists no entry.")
                                                : QStringLiteral("No problems: every entry shown can be imported."));
    m_import->setEnabled(m_read.problems.empty() && !m_read.rows.empty());
}

void ImportPreview::showEvents()
{
    m_events->setVisible(!m_read.events.empty());
    // The same events read again (another event's class chosen): each row's
    // choice stays as it is, the box that was just changed among them.
    bool same = m_events->rowCount() == int(m_read.events.size());
    for (int row = 0; same && row < m_events->rowCount(); ++row)
        same = m_events->item(row, 0)->data(Qt::UserRole).toString()
               == QString::fromStdString(m_read.events[std::size_t(row)].event);
    if (same)
        return;
    m_events->setRowCount(int(m_read.events.size()));
    for (int row = 0; row < m_events->rowCount(); ++row) {
        const RegistrationEvent &event = m_read.events[std::size_t(row)];
        auto *name = new QTableWidgetItem(shownText(event.event));
        name->setData(Qt::UserRole, QString::fromStdString(event.event));
        m_events->setItem(row, 0, name);
        m_events->setItem(row, 1, new QTableWidgetItem(QString::number(event.lines.size())));
        auto *choice = new QComboBox(m_events);
        choice->setObjectName(QStringLiteral("EventClass"));
        // No data: no class chosen, and none read from the event's name.
        if (!event.caption)
            choice->addItem(QStringLiteral("(choose a class)"));
        for (const EventClass &known : eventClasses) {
            const QString caption = QString::fromUtf8(known.caption.data(), qsizetype(known.caption.size()));
            choice->addItem(caption, caption);
        }
        choice->addItem(QStringLiteral("(no class: the pilot alone)"), QString());
        if (event.caption)
            choice->setCurrentIndex(choice->findData(QString::fromStdString(*event.caption)));
        connect(choice, &QComboBox::currentIndexChanged, this, [this, choice, key = event.event] {
            if (choice->currentData().isValid())
                m_eventClasses[key] = choice->currentData().toString().toStdString();
            else
                m_eventClasses.erase(key);
            read();
        });
        m_events->setCellWidget(row, 2, choice);
    }
    m_events->resizeColumnsToContents();
    // Each event in view, up to six (a site's export holds three or four),
    // since the director checks the class of each: the third was cut at
    // the table's foot. More than six scroll.
    int height = m_events->horizontalHeader()->sizeHint().height() + 2 * m_events->frameWidth();
    for (int row = 0; row < std::min(m_events->rowCount(), 6); ++row)
        height += m_events->rowHeight(row);
    m_events->setMinimumHeight(height);
}

void ImportPreview::showChanges()
{
    std::vector<contest::NewEntry> read;
    for (const journal::RegistrationRow &row : m_read.rows)
        read.push_back(row.entry);
    m_changes->clear();
    for (const contest::ClassesChange &change : contest::classesChanges(read, m_listed, m_flights))
        m_changes->addItem(shownText(contest::classesChangeSaid(change)));
    m_changes->setVisible(m_changes->count() > 0);
}

} // namespace orlo

#include "moc_import_preview.cpp"
