#pragma once

#include <QString>

class QWidget;

// Queues a key press as the window system would deliver it, so that it is
// held back by loops that exclude user input (QTest::keyClick is not).
void queueWindowSystemKey(QWidget *widget, int key, const QString &text);
// Queues a left-button click on the middle of `widget` the same way; with
// `twice`, a second click follows at once, as a double click does.
void queueWindowSystemClick(QWidget *widget, bool twice = false);
