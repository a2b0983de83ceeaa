#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

#include "menu/rankings.h"
#include "menu/resultlogs.h"
#include "menu/resultviews.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTextBrowser;
struct AppState;
struct Platform;

// The student's own level menu: one column per level with its standard,
// counts, start button and result list, and the views that fill the lists.
// Per-level controls are arrays indexed by level; element 0 is the hidden
// template the columns are copied from.
class LevelMenu final : public QWidget
{
    Q_OBJECT

public:
    LevelMenu(AppState &state, Platform &platform, QWidget *parent = nullptr);
    ~LevelMenu() override;

    void prepare();
    bool keyReady() const { return m_keyReady; }
    int viewMode() const { return m_viewMode; }
    int period() const { return m_period; }
    // Pixel width of one level column.
    int columnWidth() const { return m_columnWidth; }

    // Called around list fills.
    void 回数など表示();
    void 成績リスト色表示();
    void 成績リスト色表示単独(int level);

    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *Command17 = nullptr;
    QFrame *Picture1 = nullptr;
    std::vector<QRadioButton *> Option2;  // 0..2
    std::vector<QRadioButton *> Option1;  // 1..3; 0 is the template
    QLabel *LabelGrade = nullptr;
    QComboBox *Combo1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QFrame *Picture2 = nullptr;
    QProgressBar *ProgressBar2 = nullptr;
    QTextBrowser *WebBrowser2 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    // The teacher panel's place; it stays hidden until the teacher tools exist.
    QFrame *Picture7 = nullptr;

    std::vector<QFrame *> Picture15;
    std::vector<QLabel *> Label1;
    std::vector<QLabel *> Label3;
    std::vector<QPushButton *> Command4;
    std::vector<QLabel *> Text1;
    std::vector<QLabel *> Label7;
    std::vector<QLabel *> Label8;
    std::vector<QLabel *> Label9;
    std::vector<QLabel *> Label14;
    std::vector<QLabel *> Label10;
    std::vector<QLabel *> Label15;
    std::vector<QListWidget *> List5;

signals:
    void levelChosen(int level);
    void backRequested();

public slots:
    void activate();
    void Command4_Click(int level);
    void Label3_Click(int level);
    void Command9_Click();
    void Form_KeyPress(const QString &typed);
    void HScroll1_Change();
    void Command1_Click();
    void Command8_Click();
    void Option2_Click(int index);
    void Option1_Click(int index);
    void Combo1_Click();
    void Combo2_Click();
    void Command3_Click(int level);
    void Command6_Click();
    void Command5_Click();
    void Command7_Click();
    void Command16_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildHeader();
    void buildViewPanel();
    void buildCover();
    void buildTemplates();
    void connectControls();
    void sizeTemplates();
    void buildColumn(int level);
    void fillStandardLabels(int level);
    void fillCountLabels(int level);
    void placeHeader();
    void showTodayTotal();
    void setDefaultView();
    void fillHeaderLabels();
    void fitListFont();
    void showCover(bool shown);
    void beginFill();
    void endFill();
    void fillRankings();
    // Ranks one level; the roster's level values are overwritten.
    void rankLevel(int level, std::vector<ResultLists::RankingStudent> &roster);
    void setLines(const ResultLists::LevelLines &lines, const ResultLists::LevelLines &spoken);
    void describeLists();
    bool readLog(qint32 window, std::vector<ResultLists::LogRecord> &records);
    ResultLists::LogContext logContext() const;
    int levelCount() const;
    bool maySkipPast(int level) const;
    bool mayStart(int level) const;
    // False, after telling the student, for a level the table gives no time limit.
    bool levelSetUp(int level);

    AppState &m_state;
    Platform &m_platform;
    int m_columnWidth = 0;
    int m_columnsLeft = 0;
    int m_columnsTop = 0;
    bool m_keyReady = false;
    bool m_suppress = false;
    bool m_leaving = false;
    int m_viewMode = 0;
    int m_pointsMode = 0;
    int m_period = ResultLists::DefaultPeriod;
    const QEvent *m_keyInHand = nullptr;
    // The fill disables the panel the user clicked in; the focus goes back there.
    QPointer<QWidget> m_focusBeforeFill;
    std::vector<unsigned char> m_readBuffer;
};
