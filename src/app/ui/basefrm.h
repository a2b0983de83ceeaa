#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// The wait screen shown while the program is busy between screens.
class BASEFRM final : public QWidget
{
    Q_OBJECT

public:
    explicit BASEFRM(QWidget *parent = nullptr);

    QFrame *Picture1 = nullptr;
    QLabel *Label1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};
