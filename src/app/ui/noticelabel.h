#pragma once

#include <QLabel>

// A label that a screen reader speaks as soon as it appears, the way it
// speaks a notification: for a message the student must act on at once
// without first having to find it on the screen.
class NoticeLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit NoticeLabel(const QString &text, QWidget *parent = nullptr);
    // An empty notice, heard and never seen; hidden until it is first
    // announced, so that a screen opening says no empty notice.
    static NoticeLabel *unseen(QWidget *parent, const QString &objectName);

    // Shows the label; `spoken` is what the screen reader says.
    void announce(const QString &spoken);
};
