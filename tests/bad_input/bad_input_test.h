// The bad-input test's slots: bad input on the headless sheet and on the real windows.
#pragma once

#include <QObject>

// Bad input in every field: the rules' reaction on the headless sheet (bad_input_headless.cpp),
// and an overlong paste and an invisible mark on the real windows (bad_input_windows.cpp).
class BadInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void rulesReaction_data();
    void rulesReaction();
    void pasteIntoWindow_data();
    void pasteIntoWindow();
    void lowSpeedBeyondRangeLeavesHighSpeedAlone();
    void byteOrderMarkStaysInTheText();
};
