#include "journal_problem_notice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace orlo {

JournalProblemNotice::JournalProblemNotice(const QString &problem, QWidget *sheet) : QFrame(sheet)
{
    setObjectName(QStringLiteral("JournalProblem"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(2);
    setAutoFillBackground(true);
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

namespace {

const QString remarkName = QStringLiteral("FlightRemark");

void showOver(const QString &problem, QWidget *sheet, bool remark)
{
    const QPointer<QWidget> over(sheet);
    QMetaObject::invokeMethod(
        sheet,
        [problem, over, remark] {
            if (!over)
                return;
            if (remark) {
                for (auto *shown : over->findChildren<JournalProblemNotice *>(remarkName, Qt::FindDirectChildrenOnly))
                    shown->close();
                if (problem.isEmpty())
                    return;
            }
            // Below the notices still shown: a later one (recording goes on
            // again, say) hides no earlier one.
            int top = 12;
            for (const auto *shown : over->findChildren<JournalProblemNotice *>(Qt::FindDirectChildrenOnly)) {
                if (shown->isVisible())
                    top = std::max(top, shown->geometry().bottom() + 7);
            }
            auto *notice = new JournalProblemNotice(problem, over);
            if (remark)
                notice->setObjectName(remarkName);
            // Tall enough for every line of the wrapped sentence.
            notice->setFixedHeight(notice->layout()->totalHeightForWidth(notice->width()));
            notice->move(12, top);
            notice->raise();
            notice->show();
        },
        Qt::QueuedConnection);
}

} // namespace

void JournalProblemNotice::showLater(const QString &problem, QWidget *sheet)
{
    showOver(problem, sheet, false);
}

void JournalProblemNotice::showRemark(const QString &remark, QWidget *sheet)
{
    showOver(remark, sheet, true);
}

} // namespace orlo

#include "moc_journal_problem_notice.cpp"
