#pragma once

#include <QPushButton>

namespace orlo {

// A push button whose caption wraps onto several lines when the button is
// taller than one line, so that a caption fits a box of fixed pixel size.
class WrappingButton : public QPushButton {
    Q_OBJECT
    // Read by the caption checks: the caption is laid out with word wrap.
    Q_PROPERTY(bool wordWrap READ wordWrap CONSTANT)
public:
    explicit WrappingButton(const QString &caption, QWidget *parent = nullptr);

    bool wordWrap() const { return true; }

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace orlo
