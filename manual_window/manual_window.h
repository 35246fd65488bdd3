#pragma once

#include <QWidget>

class QTextBrowser;

namespace orlo {

// The user's manual, as the program was built with it: docs/manual.md from
// the program's resources, rendered from its Markdown with the pictures it
// shows. Nothing is fetched from a network. Escape closes it.
class ManualWindow final : public QWidget {
    Q_OBJECT

public:
    explicit ManualWindow(QWidget *parent = nullptr);

protected:
    // The pictures follow the width of the page the text is laid out on.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTextBrowser *m_text;
};

} // namespace orlo
