#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// The wait screen shown while the program is busy between screens.
class WaitScreen final : public QWidget
{
    Q_OBJECT

public:
    explicit WaitScreen(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};
