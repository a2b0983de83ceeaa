#pragma once

#include <QList>
#include <QWidget>

#include <vector>

#include "roster/namelist.h"
#include "roster/rosterfile.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTextBrowser;
struct AppState;
struct Platform;

// The name selection screen: a student picks a name from the roster and
// confirms it. Line k of the name list (k >= 1) is lines()[k - 1].
class NameScreen final : public QWidget
{
    Q_OBJECT

public:
    NameScreen(AppState &state, Platform &platform, QWidget *parent = nullptr);

    // Opening steps before the screen is shown. False when this copy of the
    // program is ending (another copy runs); the screen must not be shown.
    bool prepare();
    // Back to the first line and all grades, as a new student finds it.
    void activate();
    // Rebuilds the list for the current display mode and grade filter.
    void showNames();

    int displayMode() const { return m_mode; }
    const QList<NameList::Line> &lines() const { return m_lines; }
    // The student number of the highlighted name; 0 before one is chosen.
    qint16 chosenStudent() const { return m_chosenStudent; }

signals:
    // The confirmed student, and the grade filter the level menu starts with.
    void studentChosen(qint16 student, const QString &gradeFilter);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void addShortcuts();
    void applySeasonColour();
    void showPage();
    void setFilterChoices();
    void chooseMode(int index);
    void chooseGrade();
    void showHighlightedName();
    void confirmDoubleClickedName();
    bool showChosen(QString (*nameOnLine)(const QString &));
    void confirmName();
    void openSiblingProgram();
    void showVersion();
    void playWrongCue();

    AppState &m_state;
    Platform &m_platform;
    QFrame *m_panel = nullptr;
    QLabel *m_title = nullptr;
    QComboBox *m_gradeFilter = nullptr;
    std::vector<QRadioButton *> m_modeOptions;
    QListWidget *m_nameList = nullptr;
    QLabel *m_chosenName = nullptr;
    QPushButton *m_confirmButton = nullptr;
    QPushButton *m_siblingButton = nullptr;
    QTextBrowser *m_page = nullptr;
    QLabel *m_waitCover = nullptr;
    int m_mode = NameList::DefaultMode;
    qint16 m_chosenStudent = 0;
    QList<NameList::Line> m_lines;
    RosterFile::ReadResult m_lastRead;
};
