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
class ScreenHost;

// The name selection screen: a student picks a name from the roster and
// confirms it, which opens the level menu. The hidden helper lists of the
// list box are kept as `lines()`: line k of List1 (k >= 1) is lines()[k - 1].
class namesel final : public QWidget
{
    Q_OBJECT

public:
    explicit namesel(ScreenHost &host, QWidget *parent = nullptr);
    ~namesel() override;

    // Opening steps before the screen is shown. False when this copy of the
    // program is ending (another copy runs); the screen must not be shown.
    bool Form_Load();
    // Rebuilds the list for the current display mode and grade filter.
    void 名簿表示();

    int displayMode() const { return m_mode; }
    const QList<NameList::Line> &lines() const { return m_lines; }

    QFrame *Picture12 = nullptr;
    QLabel *Label4 = nullptr;
    QComboBox *Combo1 = nullptr;
    std::vector<QRadioButton *> Option1;
    QListWidget *List1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command14 = nullptr;
    QPushButton *Command7 = nullptr;
    QTextBrowser *WebBrowser2 = nullptr;
    QLabel *Picture5 = nullptr;

public slots:
    void Form_Activate();
    void Option1_Click(int index);
    void Combo1_Click();
    void List1_Click();
    void List1_DblClick();
    void Command14_Click();
    void Command7_Click();
    void Label4_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void applySeasonColour();
    void showPage();
    void setFilterChoices();
    bool handleShortcut(int key);
    void playWrongCue();

    ScreenHost &m_host;
    int m_mode = NameList::DefaultMode;
    QList<NameList::Line> m_lines;
    RosterFile::ReadResult m_lastRead;
    // The key press being handled, so its propagation to parents is not
    // taken for a second press.
    const QEvent *m_keyInHand = nullptr;
};
