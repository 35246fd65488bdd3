#include "manual_window.h"

#include <QImage>
#include <QKeySequence>
#include <QEvent>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace orlo {

namespace {

// A heading's anchor as the manual's own links name it, the way GitHub
// names it: lower case, blanks to hyphens, other punctuation left out.
QString anchorOf(const QString &heading)
{
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            anchor += c;
        else if (c == QLatin1Char(' '))
            anchor += QLatin1Char('-');
    }
    return anchor;
}

// Qt's Markdown reader gives headings no anchors, so the manual's list of
// contents would lead nowhere: each heading is named as its links name it.
void nameHeadings(QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.text().isEmpty())
            continue;
        QTextCursor heading(block);
        heading.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat named;
        named.setAnchor(true);
        named.setAnchorNames({anchorOf(block.text())});
        heading.mergeCharFormat(named);
    }
}

// The pictures are screenshots up to 1,833 pixels wide: each is shown at
// most as wide as the page, its proportions kept, so that the pictures
// never make the text scroll sideways. Found first and changed after, as a
// format changed may merge the fragments being walked.
void fitPictures(QTextDocument &document, int width)
{
    std::vector<std::pair<int, QTextImageFormat>> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().isImageFormat())
                pictures.emplace_back(fragment.fragment().position(), fragment.fragment().charFormat().toImageFormat());
    for (auto &[position, picture] : pictures) {
        const QSize natural = document.resource(QTextDocument::ImageResource, QUrl(picture.name())).value<QImage>().size();
        if (natural.isEmpty())
            continue;
        const int shown = std::min(natural.width(), std::max(width, 1));
        if (qRound(picture.width()) == shown)
            continue;
        picture.setWidth(shown);
        picture.setHeight(double(natural.height()) * shown / natural.width());
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor); // a picture is one character
        cursor.setCharFormat(picture);
    }
}

} // namespace

ManualWindow::ManualWindow(QWidget *parent) : QWidget(parent), m_text(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("manual"));
    setWindowTitle(QStringLiteral("Orlo Score: the user's manual"));
    m_text->setObjectName(QStringLiteral("manualText"));
    // The manual's own links lead to its headings; any other link leads
    // nowhere, since nothing is fetched. Followed by QTextBrowser, a link
    // loads the manual afresh, without the headings' names.
    m_text->setOpenLinks(false);
    connect(m_text, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        if (link.hasFragment())
            m_text->scrollToAnchor(link.fragment());
    });
    m_text->setSource(QUrl(QStringLiteral("qrc:/manual/manual.md")), QTextDocument::MarkdownResource);
    nameHeadings(*m_text->document());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    m_text->viewport()->installEventFilter(this);
    // Never narrower than lines of some words: beside a sheet that leaves a
    // strip (1024×600) it was squeezed into the strip, a word a line; too
    // narrow, it opens whole on the screen instead, as the other windows do.
    m_text->setMinimumWidth(m_text->fontMetrics().horizontalAdvance(QString(48, QLatin1Char('x'))));
    resize(760, 720);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
}

bool ManualWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text->viewport() && event->type() == QEvent::Resize)
        fitPictures(*m_text->document(), m_text->viewport()->width() - 2 * int(m_text->document()->documentMargin()));
    return QWidget::eventFilter(watched, event);
}

} // namespace orlo
