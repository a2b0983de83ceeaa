#pragma once

#include <QDialog>
#include <QList>

#include <functional>

#include "teacher/resultsexport.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
struct AppState;
struct Platform;

// The teacher's spreadsheet export: a workbook of all three tables, or one
// table as CSV in a chosen encoding; the students whose facts go in; then a
// file chooser that starts in the last folder used, else the documents
// folder when there is one, else the home folder.
class ExportDialog final : public QDialog
{
    Q_OBJECT

public:
    // Asks for the file to write, starting from `suggested`; empty when cancelled.
    using FileChooser = std::function<QString(const QString &suggested)>;

    // `lastFolder` is where the teacher last exported to, offered first.
    ExportDialog(AppState &state, Platform &platform, QString lastFolder = {}, QWidget *parent = nullptr);
    void setFileChooser(FileChooser choose) { m_chooseFile = std::move(choose); }
    // The folder of the last file chosen, or the one given.
    const QString &lastFolder() const { return m_lastFolder; }

private:
    void buildControls();
    void connectControls();
    void fillStudentList();
    void updateChoices();
    ResultsExport::Table chosenTable() const;
    QList<qint16> chosenStudents() const;
    QString startFolder() const;
    void exportChosen();

    AppState &m_state;
    Platform &m_platform;
    FileChooser m_chooseFile;
    QString m_lastFolder;

    QLabel *m_intro = nullptr;
    QRadioButton *m_workbookChoice = nullptr;
    QRadioButton *m_csvChoice = nullptr;
    QWidget *m_tableChoices = nullptr;
    QWidget *m_encodingBox = nullptr;
    QRadioButton *m_resultsChoice = nullptr;
    QRadioButton *m_summaryChoice = nullptr;
    QRadioButton *m_factsChoice = nullptr;
    QLabel *m_studentCaption = nullptr;
    QListWidget *m_studentList = nullptr;
    QRadioButton *m_utf8Choice = nullptr;
    QRadioButton *m_cp932Choice = nullptr;
    QLabel *m_encodingHint = nullptr;
    QPushButton *m_exportButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};
