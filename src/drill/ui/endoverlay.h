#pragma once

#include <QFrame>

class QLabel;

// Covers the whole drill screen while the session is recorded: "成績記録中",
// or "時間切れ" when the time ran out.
class EndOverlay final : public QFrame
{
    Q_OBJECT

public:
    explicit EndOverlay(QWidget *parent);

    void cover(bool timedOut);

private:
    QLabel *m_recording = nullptr;
    QLabel *m_timeUp = nullptr;
};
