#pragma once

#include <QWidget>

#include <vector>

#include "menu/ui/teacherpanel.h"

class GraphPane;
class LevelColumn;
class MenuHeader;
class MenuLists;
class QFrame;
class QScrollBar;
class QTextBrowser;
class ViewPanel;
class WaitCover;
struct AppState;
struct Platform;

// The student's own level menu: one column per level with its standard,
// counts, start button and result list, and the views that fill the lists.
// A level starts by its button, its name or its key (1..9, a..d); 0 goes back.
class LevelMenu final : public QWidget
{
    Q_OBJECT

public:
    LevelMenu(AppState &state, Platform &platform, QWidget *parent = nullptr);

    // Builds the columns for the levels of AppState; `activate` fills them.
    void prepare();
    void activate();

    // Whether the menu's keys and start clicks are taken: not while lists
    // fill or the menu is left.
    bool keyReady() const;
    int viewMode() const;
    int period() const;
    // Pixel width of one level column.
    int columnWidth() const { return m_columnWidth; }
    // GoalLevel was cleared when the overuse notices were last shown.
    bool goalCleared() const { return m_goalCleared; }

signals:
    void levelChosen(int level);
    void backRequested();
    void standardEditorRequested();
    void resultsManagerRequested();
    void worksheetsRequested();
    void exportRequested();
    // The teacher stored a new key file location in the common settings.
    void keyLocationStored(const QString &location);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void addShortcuts();
    void applySeasonColour();
    void showPage();
    void buildColumns();
    void fitListFont();
    void placeParts();
    void placeColumns();
    void showTodayTotal();
    void showOveruseNotices();

    bool mayStart(int level) const;
    bool levelSetUp(int level);
    void startLevel(int level);
    void startLevelByName(int level);
    void startLevelFromKey(int level);
    void goBack();
    void goBackFromKey();
    void openDataTools();
    void openTool(TeacherPanel::Tool tool);
    void openGraph();
    void followOwnHistory(bool shown);

    int levelCount() const;

    AppState &m_state;
    Platform &m_platform;
    MenuHeader *m_header = nullptr;
    TeacherPanel *m_teacherPanel = nullptr;
    QTextBrowser *m_page = nullptr;
    QScrollBar *m_columnScroll = nullptr;
    ViewPanel *m_viewPanel = nullptr;
    WaitCover *m_cover = nullptr;
    GraphPane *m_graph = nullptr;
    std::vector<LevelColumn *> m_columns; // level k is m_columns[k - 1]

    int m_columnWidth = 0;
    int m_columnsLeft = 0;
    int m_columnsTop = 0;
    bool m_keyReady = false;
    bool m_goalCleared = false;
    MenuLists *m_lists = nullptr;
};
