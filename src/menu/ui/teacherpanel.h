#pragma once

#include <QFrame>

class QLineEdit;
class QPushButton;
struct AppState;
struct Platform;

// The teacher's panel over the level menu: the key file's location and the
// two data tools, opened only when the key file is there.
class TeacherPanel final : public QFrame
{
    Q_OBJECT

public:
    enum class Tool { ResultsManager, StandardEditor, Worksheets, Export };

    TeacherPanel(const AppState &state, Platform &platform, QWidget *parent = nullptr);

    void open();

signals:
    // The key test passed and a changed location is stored.
    void toolChosen(TeacherPanel::Tool tool);
    // The location was changed and is now in the common settings file.
    void keyLocationStored(const QString &location);

private:
    void chooseTool(Tool tool);

    const AppState &m_state;
    Platform &m_platform;
    // The location as read when the panel opened.
    QString m_storedLocation;
    QLineEdit *m_location = nullptr;
    QPushButton *m_resultsButton = nullptr;
    QPushButton *m_standardsButton = nullptr;
    QPushButton *m_worksheetsButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QPushButton *m_backButton = nullptr;
};
