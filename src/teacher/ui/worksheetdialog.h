#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

#include "teacher/worksheetplan.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
struct AppState;
struct Platform;

// The teacher's printing of paper worksheets of a level's facts: 100マス or
// numbered sheets, each with its answer sheet, and sheets of each chosen
// student's weak facts.
class WorksheetDialog final : public QDialog
{
    Q_OBJECT

public:
    // Lets the teacher pick a printer or a PDF file; false when cancelled.
    using PrinterChooser = std::function<bool(QPrinter &)>;

    WorksheetDialog(AppState &state, Platform &platform, QWidget *parent = nullptr);
    void setPrinterChooser(PrinterChooser choose) { m_choosePrinter = std::move(choose); }

    // The choices as they stand in the controls.
    WorksheetRequest request() const;

    void preview();
    void print();

private:
    void buildControls();
    void connectControls();
    void fillLevels();
    void fillStudents();
    void showWeakChoice();
    // Any change of a choice makes new sheets next time; until then preview
    // and print give the very sheets the teacher looked at.
    void forgetSheets();
    void planSheets();
    bool printOn(QPrinter &printer);
    void paintPreview(QPrinter *printer);

    AppState &m_state;
    Platform &m_platform;
    PrinterChooser m_choosePrinter;
    std::optional<std::vector<Worksheet>> m_sheets;

    QComboBox *m_levelChooser = nullptr;
    QRadioButton *m_hundredSquaresOption = nullptr;
    QRadioButton *m_numberedOption = nullptr;
    QSpinBox *m_sheetCount = nullptr;
    QCheckBox *m_answerSheets = nullptr;
    QSpinBox *m_seedBox = nullptr;
    QCheckBox *m_weakSheets = nullptr;
    QListWidget *m_studentChooser = nullptr;
    QLabel *m_rosterNotice = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_previewButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};
