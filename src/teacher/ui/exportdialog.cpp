#include "teacher/ui/exportdialog.h"

#include "app/ui/controlnames.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "state/appstate.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "roster/rosterfile.h"
#include "teacher/resultslist.h"
#include "teacher/ui/exportdialogcontrols.h"

namespace {

using Controls::named;
using Controls::sized;

QString chooseExportFile(QWidget *parent, const QString &suggested)
{
    const bool workbook = QFileInfo(suggested).suffix() == u"xlsx";
    QFileDialog dialog(parent, QStringLiteral("書き出すファイル"), suggested,
                       workbook ? QStringLiteral("Excelブック (*.xlsx)") : QStringLiteral("CSVファイル (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension still opens in the spreadsheet program.
    dialog.setDefaultSuffix(workbook ? QStringLiteral("xlsx") : QStringLiteral("csv"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

ExportDialog::ExportDialog(AppState &state, Platform &platform, QString lastFolder, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_platform(platform)
    , m_chooseFile([this](const QString &suggested) { return chooseExportFile(this, suggested); })
    , m_lastFolder(std::move(lastFolder))
{
    named(this, ExportDialogControls::Dialog);
    setWindowTitle(QStringLiteral("表計算ソフトへの書き出し"));
    buildControls();
    connectControls();
    const RosterFile::ReadResult roster = RosterFile::load(m_state, m_platform.clock.today());
    if (roster.failed())
        m_platform.dialogs.tell(QStringLiteral("注意"), roster.message(), DialogIcon::Warning);
    fillStudentList();
    updateChoices();
}

void ExportDialog::buildControls()
{
    m_intro = named(new QLabel(QStringLiteral("成績を表計算ソフトで開けるファイルに書き出します。"), this),
                    ExportDialogControls::Intro);

    auto *formatBox = new QGroupBox(QStringLiteral("ファイルの形式"), this);
    m_workbookChoice =
        named(new QRadioButton(QStringLiteral("Excelブック（.xlsx）：成績・集計・問題別の3つのシート"), formatBox),
              ExportDialogControls::WorkbookChoice);
    m_csvChoice =
        named(new QRadioButton(QStringLiteral("CSV：下で選んだ表を1つ（ほかのプログラムに読ませるとき）"), formatBox),
              ExportDialogControls::CsvChoice);
    m_workbookChoice->setChecked(true);
    auto *formatLayout = new QVBoxLayout(formatBox);
    formatLayout->addWidget(m_workbookChoice);
    formatLayout->addWidget(m_csvChoice);
    auto *formatGroup = new QButtonGroup(this);
    formatGroup->addButton(m_workbookChoice);
    formatGroup->addButton(m_csvChoice);

    auto *tableBox = new QGroupBox(QStringLiteral("書き出すもの"), this);
    m_resultsChoice = named(new QRadioButton(QStringLiteral("成績データ（1回ごとの記録）"), tableBox),
                            ExportDialogControls::ResultsChoice);
    m_summaryChoice = named(
        new QRadioButton(QStringLiteral("生徒別のまとめ（レベルごとの回数・ベスト・平均・ポイント・合格）"), tableBox),
        ExportDialogControls::SummaryChoice);
    m_factsChoice = named(new QRadioButton(QStringLiteral("問題別の成績（選んだ生徒）"), tableBox),
                          ExportDialogControls::FactsChoice);
    m_resultsChoice->setChecked(true);
    m_studentCaption = named(new QLabel(QStringLiteral("問題別の成績に入れる生徒（クリックで選ぶ・外す）"), tableBox),
                             ExportDialogControls::StudentCaption);
    m_studentList = named(new QListWidget(tableBox), ExportDialogControls::StudentList);
    m_studentList->setSelectionMode(QAbstractItemView::MultiSelection);
    m_studentList->setAccessibleName(QStringLiteral("問題別の成績を書き出す生徒"));
    // Small enough for the dialog to fit a 768-line screen at 150 %; the list scrolls.
    m_studentList->setMinimumHeight(64);
    m_studentCaption->setBuddy(m_studentList);
    auto *tableLayout = new QVBoxLayout(tableBox);
    for (QWidget *w : {static_cast<QWidget *>(m_resultsChoice), static_cast<QWidget *>(m_summaryChoice),
                       static_cast<QWidget *>(m_factsChoice), static_cast<QWidget *>(m_studentCaption)})
        tableLayout->addWidget(w);
    tableLayout->addWidget(m_studentList, 1);
    auto *tableGroup = new QButtonGroup(this);
    for (QRadioButton *choice : {m_resultsChoice, m_summaryChoice, m_factsChoice})
        tableGroup->addButton(choice);

    auto *encodingBox = new QGroupBox(QStringLiteral("CSVの文字コード"), this);
    m_encodingBox = encodingBox;
    m_utf8Choice =
        named(new QRadioButton(QStringLiteral("UTF-8（BOM付き）"), encodingBox), ExportDialogControls::Utf8Choice);
    m_cp932Choice =
        named(new QRadioButton(QStringLiteral("Shift_JIS（cp932）"), encodingBox), ExportDialogControls::Cp932Choice);
    m_utf8Choice->setChecked(true);
    m_encodingHint = named(
        new QLabel(QStringLiteral("古い表計算ソフトで文字化けするときは Shift_JIS を選んでください。"), encodingBox),
        ExportDialogControls::EncodingHint);
    m_encodingHint->setWordWrap(true);
    auto *encodingLayout = new QVBoxLayout(encodingBox);
    auto *encodingRow = new QHBoxLayout;
    encodingRow->addWidget(m_utf8Choice);
    encodingRow->addWidget(m_cp932Choice);
    encodingRow->addStretch(1);
    encodingLayout->addLayout(encodingRow);
    encodingLayout->addWidget(m_encodingHint);

    m_exportButton = named(new QPushButton(QStringLiteral("書き出す"), this), ExportDialogControls::ExportButton);
    m_closeButton = named(new QPushButton(QStringLiteral("閉じる"), this), ExportDialogControls::CloseButton);
    m_exportButton->setDefault(true);
    for (QPushButton *button : {m_exportButton, m_closeButton})
        button->setMinimumSize(120, 40);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_exportButton);
    buttons->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
    layout->addWidget(formatBox);
    layout->addWidget(tableBox, 1);
    layout->addWidget(encodingBox);
    layout->addLayout(buttons);
    resize(640, 640);
}

void ExportDialog::connectControls()
{
    for (QRadioButton *choice : {m_csvChoice, m_factsChoice})
        connect(choice, &QRadioButton::toggled, this, &ExportDialog::updateChoices);
    connect(m_exportButton, &QPushButton::clicked, this, &ExportDialog::exportChosen);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void ExportDialog::fillStudentList()
{
    const RosterTable &roster = m_state.roster;
    for (const RosterEntry &entry : roster.entries()) {
        const QString name = roster.trimmedName(entry.Number);
        if (name == QString::fromUtf8(TeacherEntryName))
            continue;
        auto *item = new QListWidgetItem(ResultsList::studentChoice(entry.Number, name) + QStringLiteral("　")
                                             + roster.gradeName(entry.Number),
                                         m_studentList);
        item->setData(Qt::UserRole, int(entry.Number));
    }
}

void ExportDialog::updateChoices()
{
    const bool csv = m_csvChoice->isChecked();
    for (QRadioButton *choice : {m_resultsChoice, m_summaryChoice, m_factsChoice})
        choice->setEnabled(csv);
    m_encodingBox->setEnabled(csv);
    const bool wanted = !csv || m_factsChoice->isChecked();
    m_studentCaption->setEnabled(wanted);
    m_studentList->setEnabled(wanted);
}

QString ExportDialog::startFolder() const
{
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    // Not every desktop makes the documents folder, and a chooser that starts
    // in a missing one saves nowhere.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

ResultsExport::Table ExportDialog::chosenTable() const
{
    if (m_summaryChoice->isChecked())
        return ResultsExport::Table::Summary;
    if (m_factsChoice->isChecked())
        return ResultsExport::Table::Facts;
    return ResultsExport::Table::Results;
}

QList<qint16> ExportDialog::chosenStudents() const
{
    QList<qint16> students;
    for (int row = 0; row < m_studentList->count(); ++row) {
        if (m_studentList->item(row)->isSelected())
            students.append(qint16(m_studentList->item(row)->data(Qt::UserRole).toInt()));
    }
    return students;
}

void ExportDialog::exportChosen()
{
    const bool workbook = m_workbookChoice->isChecked();
    ResultsExport::Request request;
    request.table = chosenTable();
    request.encoding = m_cp932Choice->isChecked() ? CsvEncoding::Cp932 : CsvEncoding::Utf8WithBom;
    request.students = chosenStudents();
    if (!workbook && request.table == ResultsExport::Table::Facts && request.students.isEmpty()) {
        m_platform.dialogs.tell(QStringLiteral("書き出し"),
                                QStringLiteral("問題別の成績を書き出す生徒を選んでください。"),
                                DialogIcon::Information);
        return;
    }
    const QDate today = m_platform.clock.today();
    const QString name =
        workbook ? ResultsExport::suggestedWorkbookName(today) : ResultsExport::suggestedFileName(request.table, today);
    const QString path = m_chooseFile(QDir(startFolder()).filePath(name));
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    const ResultsExport::Outcome outcome =
        workbook ? ResultsExport::exportWorkbook(m_state, m_platform, request.students, path)
                 : ResultsExport::exportTo(m_state, m_platform, request, path);
    if (outcome.programEnding) {
        reject();
        return;
    }
    if (!outcome.succeeded()) {
        m_platform.dialogs.tell(QStringLiteral("注意"), outcome.problem, DialogIcon::Warning);
        return;
    }
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString done =
        workbook ? QStringLiteral("「%1」に書き出しました（成績%2件、集計%3件、問題別%4件）。")
                       .arg(shownPath, QString::number(outcome.sheetRows[0]), QString::number(outcome.sheetRows[1]),
                            QString::number(outcome.sheetRows[2]))
                 : QStringLiteral("「%1」に%2件を書き出しました。").arg(shownPath, QString::number(outcome.rows));
    m_platform.dialogs.tell(QStringLiteral("書き出し"), done, DialogIcon::Information);
}
