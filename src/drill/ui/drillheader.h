#pragma once

#include <QWidget>

class QLabel;
class ScreenScale;

// The top line of the drill screen: the content title, the student and the site.
class DrillHeader final : public QWidget
{
    Q_OBJECT

public:
    explicit DrillHeader(QWidget *parent = nullptr);

    // A long title gets a smaller font, at the scale of the screen.
    void showTitle(const QString &title, ScreenScale &scale);
    void showStudent(const QString &name);
    void showSite(const QString &site);

private:
    QLabel *m_title = nullptr;
    QLabel *m_student = nullptr;
    QLabel *m_site = nullptr;
};
