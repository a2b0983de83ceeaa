#pragma once

#include <QString>

class QWidget;

// Queues a key press as the window system would deliver it, so that it is
// held back by loops that exclude user input (QTest::keyClick is not).
void queueWindowSystemKey(QWidget *widget, int key, const QString &text);
