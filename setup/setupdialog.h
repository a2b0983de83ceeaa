#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The set-up tool's window: the school folder, new or demo school, the key
// file location of a new school, and what the last run created and kept.
class SetupDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit SetupDialog(const QString &programFolder, QWidget *parent = nullptr);

private:
    void browseSchoolFolder();
    void showKindChoice();
    void createSchool();

    QString m_programFolder;
    QLineEdit *m_schoolFolderEdit;
    QPushButton *m_browseButton;
    QRadioButton *m_newSchoolChoice;
    QRadioButton *m_demoSchoolChoice;
    QLabel *m_keyLocationLabel;
    QLineEdit *m_keyLocationEdit;
    QPushButton *m_createButton;
    QPlainTextEdit *m_reportView;
};
