#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The version dialog: the product title and "Version" & major.minor.revision.
class VersionDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit VersionDialog(QString productTitle, QWidget *parent = nullptr);

    static QString versionText();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showTitleAndVersion();

    QString m_productTitle;
    QLabel *m_title = nullptr;
    QLabel *m_version = nullptr;
    QPushButton *m_okButton = nullptr;
};
