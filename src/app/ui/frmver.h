#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
struct AppState;

// The version dialog: the product title and "Version" & major.minor.revision.
class frmver final : public QDialog
{
    Q_OBJECT

public:
    explicit frmver(const AppState &state, QWidget *parent = nullptr);

    static QString versionText();

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command1 = nullptr;

public slots:
    void Form_Activate();
    void Command1_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    const AppState &m_state;
};
