#pragma once

#include <QFrame>

#include <vector>

class NoticeLabel;
class QHBoxLayout;
class QLabel;

// The status line under the header: level, problems left, seconds so far,
// and how many sessions this is at the level, today, and minutes since login.
// A screen reader reads it as one text instead of a dozen small labels.
class StatusLine final : public QFrame
{
    Q_OBJECT

public:
    explicit StatusLine(QWidget *parent = nullptr);

    void showLevel(const QString &name);
    void showRemaining(int problems);
    void showTime(qint32 seconds);
    void showLevelCount(int count);
    void showToday(int count);
    void showMinutes(int minutes);
    // Says the whole line to a screen reader, wherever the focus is.
    void tell();

private:
    QLabel *addPart(QHBoxLayout *row, const QString &caption, const char *name, const QString &unit);
    void showValue(QLabel *value, qint64 number);
    void describe();

    struct Part
    {
        QString caption;
        QLabel *value;
        QString unit;
    };
    std::vector<Part> m_parts;
    QLabel *m_level = nullptr;
    QLabel *m_remaining = nullptr;
    QLabel *m_time = nullptr;
    QLabel *m_levelCount = nullptr;
    QLabel *m_today = nullptr;
    QLabel *m_minutes = nullptr;
    NoticeLabel *m_notice = nullptr;
};
