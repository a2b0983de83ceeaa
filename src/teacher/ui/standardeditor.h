#pragma once

#include <QByteArray>
#include <QWidget>

#include <optional>

#include "teacher/timedistribution.h"

class DistributionPanel;
class QFrame;
class QLabel;
class QPushButton;
class StandardGrid;
struct AppState;
struct Platform;

// The teacher's editor of the level standard table, with the distribution
// of the recorded times of the level in hand.
class StandardEditor final : public QWidget
{
    Q_OBJECT

public:
    StandardEditor(AppState &state, Platform &platform, QWidget *parent = nullptr);

    // Loads the table, puts the cell editor on level 1, column 1 and shows
    // the distribution of level 1.
    void activate();

signals:
    // "戻る" has done its asking and saving; the editor may be closed.
    void backRequested();

private:
    void buildControls();
    void connectControls();
    void reload();
    // True when the table was written and LevelStandards reloaded from it.
    bool save();
    void goBack();
    void refreshDistribution();
    void showColumnHelp(int column);
    void showWaitCover(bool shown);
    bool writeOverOtherChange();
    QString tablePath() const;

    AppState &m_state;
    Platform &m_platform;
    DistributionSource m_source;
    // The file as it was loaded or last written here; nullopt when it could not be read.
    std::optional<QByteArray> m_loadedBytes;
    DistributionSource::Status m_resultsStatus = DistributionSource::Status::Read;

    QLabel *m_greeting = nullptr;
    QFrame *m_editPanel = nullptr;
    QLabel *m_heading = nullptr;
    QLabel *m_keyHelp = nullptr;
    StandardGrid *m_grid = nullptr;
    QLabel *m_columnHelpCaption = nullptr;
    QLabel *m_columnHelp = nullptr;
    QPushButton *m_reloadButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_backButton = nullptr;
    DistributionPanel *m_distribution = nullptr;
    QLabel *m_waitCover = nullptr;
};
