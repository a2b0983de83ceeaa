#pragma once

#include <QFrame>

#include "store/resultrecord.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class RosterTable;

// The panel beside the results list where one record's student and time
// are changed, or the record is deleted. It only shows and collects; the
// screen decides and writes.
class RecordEditPanel final : public QFrame
{
    Q_OBJECT

public:
    explicit RecordEditPanel(QWidget *parent = nullptr);

    // The pick list: every roster entry in file order, whatever its status.
    void setStudents(const RosterTable &roster);
    // Shows `record` as read from the file; the roster is the one the pick
    // list was filled from.
    void showRecord(qint32 recordNumber, const ResultRecord &record, const RosterTable &roster);

    QString studentText() const;
    QString timeText() const;
    void focusTime();

signals:
    void changeRequested();
    void deleteRequested();
    void cancelRequested();

private:
    void buildControls();
    void connectControls();
    void showGradeOfChoice(const QString &text);
    void followTypedTime(const QString &text);

    const RosterTable *m_roster = nullptr;
    qint16 m_recordStudent = 0;

    QLabel *m_recordNumber = nullptr;
    QLabel *m_level = nullptr;
    QLabel *m_date = nullptr;
    QLabel *m_grade = nullptr;
    QComboBox *m_student = nullptr;
    QLineEdit *m_time = nullptr;
    QScrollBar *m_timeSpin = nullptr;
    QLabel *m_seconds = nullptr;
    QPushButton *m_changeButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
