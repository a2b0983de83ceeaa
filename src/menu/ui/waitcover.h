#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;

// Covers the menu while it fills its lists or is being left, with a
// progress bar for the reads that take long.
class WaitCover final : public QFrame
{
    Q_OBJECT

public:
    explicit WaitCover(QWidget *parent);

    // Over the whole of the parent, above everything, the progress bar shown.
    void cover();
    void setProgressRange(int maximum);
    void setProgress(int value);
    void hideProgress();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_text = nullptr;
    QProgressBar *m_progress = nullptr;
};
