#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The band above the view panel: the title, who is logged in, the minutes
// since login and today's sessions, the teacher's data button and the way back.
class MenuHeader final : public QWidget
{
    Q_OBJECT

public:
    explicit MenuHeader(QWidget *parent);

    void showTitle(const QString &title);
    void showStudent(const QString &grade, const QString &name, const QString &siteTitle, int studentNumber);
    void showMinutesSinceLogin(int minutes);
    void showTodayTotal(double sessions);
    void setDataButtonShown(bool shown);
    void setBackEnabled(bool enabled);
    bool backEnabled() const;

signals:
    void backClicked();
    void dataClicked();


private:
    QLabel *m_title = nullptr;
    QLabel *m_student = nullptr;
    QLabel *m_site = nullptr;
    QLabel *m_minutes = nullptr;
    QLabel *m_todayTotal = nullptr;
    QPushButton *m_backButton = nullptr;
    QPushButton *m_dataButton = nullptr;
};
