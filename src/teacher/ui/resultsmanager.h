#pragma once

#include <QStringList>
#include <QWidget>

#include "store/resultrecord.h"
#include "store/resultsrewrite.h"

class QLabel;
class QListView;
class QPushButton;
class RecordEditPanel;
class ResultsListModel;
struct AppState;
struct Platform;

// The teacher's list of every recorded session, where the student or the
// time of one record is corrected or the record is deleted.
class ResultsManager final : public QWidget
{
    Q_OBJECT

public:
    ResultsManager(AppState &state, Platform &platform, QWidget *parent = nullptr);

    // Finishes a delete another copy left half done, builds the list and
    // puts the newest record in view.
    void activate();

signals:
    void backRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void applySeasonColour();
    void buildList();
    void fitListFont();
    void selectLine(int line);
    void openLine(int line);
    void closePanel();
    void changeRecord();
    void deleteRecord();
    // Tells what went wrong, if anything, and shows the file as it now is.
    void afterRewrite(ResultsRewrite::Action action, const ResultsRewrite::Result &result);
    void setBusy(bool busy);

    AppState &m_state;
    Platform &m_platform;
    ResultsListModel *m_model = nullptr;
    QStringList m_widestLines;
    bool m_rosterFaultTold = false;
    bool m_busy = false;
    // The record in the panel, as read when it was opened, and its number.
    qint32 m_editRecordNo = 0;
    ResultRecord m_opened;

    QLabel *m_hint = nullptr;
    QListView *m_list = nullptr;
    RecordEditPanel *m_panel = nullptr;
    QPushButton *m_backButton = nullptr;
};
