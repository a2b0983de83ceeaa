#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
struct AppState;

// The version dialog: the product title and "Version" & major.minor.revision.
class VersionDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit VersionDialog(const AppState &state, QWidget *parent = nullptr);

    static QString versionText();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showTitleAndVersion();

    const AppState &m_state;
    QLabel *m_title = nullptr;
    QLabel *m_version = nullptr;
    QPushButton *m_okButton = nullptr;
};
