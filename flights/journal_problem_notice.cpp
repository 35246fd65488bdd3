#include "journal_problem_notice.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

JournalProblemNotice::JournalProblemNotice(const QString &problem, QWidget *sheet)
    : QWidget(sheet, Qt::Tool | Qt::WindowDoesNotAcceptFocus), m_sheet(sheet)
{
    // The sheet's font and colours, as a part of the sheet.
    setAttribute(Qt::WA_WindowPropagation);
    setFont(sheet->font());
    setPalette(sheet->palette());
    setObjectName(QStringLiteral("JournalProblem"));
    setWindowTitle(QStringLiteral("Flight journal"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);

    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto *text = new QLabel(problem, this);
    text->setObjectName(QStringLiteral("Problem"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(close, 0, Qt::AlignRight);
    setFixedWidth(300);
}

void JournalProblemNotice::showLater(const QString &problem, QWidget *sheet)
{
    const QPointer<QWidget> over(sheet);
    QMetaObject::invokeMethod(
        sheet,
        [problem, over] {
            if (over)
                (new JournalProblemNotice(problem, over))->show();
        },
        Qt::QueuedConnection);
}

// Over the carrier picture in the sheet's upper left corner, where it hides
// no field, caption or result; it follows the sheet, which the window manager
// may place only after the notice is shown.
void JournalProblemNotice::placeOverSheet()
{
    move(m_sheet->mapToGlobal(QPoint(12, 12)));
}

void JournalProblemNotice::showEvent(QShowEvent *event)
{
    // Tall enough for every line of the wrapped sentence.
    setFixedHeight(layout()->totalHeightForWidth(width()));
    placeOverSheet();
    m_sheet->installEventFilter(this);
    QWidget::showEvent(event);
}

bool JournalProblemNotice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_sheet && (event->type() == QEvent::Move || event->type() == QEvent::Show))
        placeOverSheet();
    return QWidget::eventFilter(watched, event);
}
