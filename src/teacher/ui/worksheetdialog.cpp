#include "teacher/ui/worksheetdialog.h"

#include "app/ui/controlnames.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "state/appstate.h"
#include "app/ui/valuecombobox.h"
#include "menu/resultsgraph.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/ui/printerchoice.h"
#include "roster/rosterfile.h"
#include "teacher/ui/worksheetdialogcontrols.h"
#include "teacher/ui/worksheetpainter.h"

namespace {

using Controls::named;
using Controls::sized;

constexpr int MaxSheets = 30;

void preparePrinter(QPrinter &printer)
{
    WorksheetPainter::setUpPaper(printer);
    printer.setDocName(QStringLiteral("カズドリ プリント"));
}

} // namespace

WorksheetDialog::WorksheetDialog(AppState &state, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
    , m_platform(platform)
    , m_choosePrinter([this](QPrinter &printer) { return PrinterChoice::chooseInDialog(printer, this); })
{
    named(this, WorksheetDialogControls::Dialog);
    setWindowTitle(QStringLiteral("プリントの印刷"));
    buildControls();
    fillLevels();
    fillStudents();
    connectControls();
    showWeakChoice();
}

void WorksheetDialog::buildControls()
{
    m_levelChooser = named(new ValueComboBox(this), WorksheetDialogControls::LevelChooser);
    m_hundredSquaresOption =
        named(new QRadioButton(QStringLiteral("100マス計算"), this), WorksheetDialogControls::HundredSquaresOption);
    m_numberedOption =
        named(new QRadioButton(QStringLiteral("100問（ばらばらの順）"), this), WorksheetDialogControls::NumberedOption);
    m_hundredSquaresOption->setChecked(true);
    auto *layouts = new QButtonGroup(this);
    layouts->addButton(m_hundredSquaresOption);
    layouts->addButton(m_numberedOption);

    m_sheetCount = named(new QSpinBox(this), WorksheetDialogControls::SheetCount);
    m_sheetCount->setRange(1, MaxSheets);
    m_sheetCount->setSuffix(QStringLiteral(" 枚"));
    m_sheetCount->setAccessibleName(QStringLiteral("枚数"));
    m_answerSheets =
        named(new QCheckBox(QStringLiteral("こたえのページをつける"), this), WorksheetDialogControls::AnswerSheets);
    m_answerSheets->setChecked(true);

    m_seedBox = named(new QSpinBox(this), WorksheetDialogControls::SeedBox);
    m_seedBox->setRange(0, WorksheetPlan::MaxSeed);
    m_seedBox->setSpecialValueText(QStringLiteral("新しく作る"));
    m_seedBox->setAccessibleName(QStringLiteral("番号"));
    m_seedBox->setMinimumWidth(m_seedBox->sizeHint().width());
    m_seedBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *seedHelp =
        new QLabel(QStringLiteral("プリントの下の番号を入れると、同じプリントをもう一度印刷できます。"), this);
    seedHelp->setWordWrap(true);

    m_weakSheets = named(new QCheckBox(QStringLiteral("えらんだ人に、苦手な問題から順のプリントを作る"), this),
                         WorksheetDialogControls::WeakSheets);
    m_studentChooser = named(new QListWidget(this), WorksheetDialogControls::StudentChooser);
    m_studentChooser->setSelectionMode(QAbstractItemView::MultiSelection);
    m_studentChooser->setAccessibleName(QStringLiteral("苦手な問題のプリントを作る人"));
    m_rosterNotice = named(new QLabel(this), WorksheetDialogControls::RosterNotice);
    m_rosterNotice->setWordWrap(true);
    m_rosterNotice->hide();

    m_summary = named(new QLabel(this), WorksheetDialogControls::Summary);
    m_summary->setWordWrap(true);
    m_previewButton =
        named(new QPushButton(QStringLiteral("プレビュー"), this), WorksheetDialogControls::PreviewButton);
    m_printButton = named(new QPushButton(QStringLiteral("印刷"), this), WorksheetDialogControls::PrintButton);
    m_closeButton = named(new QPushButton(QStringLiteral("閉じる"), this), WorksheetDialogControls::CloseButton);
    m_printButton->setDefault(true);

    auto *layoutRow = new QHBoxLayout;
    layoutRow->addWidget(m_hundredSquaresOption);
    layoutRow->addWidget(m_numberedOption);
    layoutRow->addStretch(1);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_sheetCount);
    countRow->addWidget(m_answerSheets);
    countRow->addStretch(1);
    auto *form = new QFormLayout;
    form->setVerticalSpacing(2);
    form->addRow(QStringLiteral("レベル"), m_levelChooser);
    form->addRow(QStringLiteral("形式"), layoutRow);
    form->addRow(QStringLiteral("枚数"), countRow);
    form->addRow(QStringLiteral("番号"), m_seedBox);
    form->addRow(QString(), seedHelp);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previewButton);
    buttons->addWidget(m_printButton);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    auto *all = new QVBoxLayout(this);
    all->setContentsMargins(9, 6, 9, 6);
    all->addLayout(form);
    all->addWidget(m_weakSheets);
    all->addWidget(m_rosterNotice);
    all->addWidget(m_studentChooser, 1);
    all->addWidget(m_summary);
    all->addLayout(buttons);
    resize(560, 600);
}

void WorksheetDialog::connectControls()
{
    connect(m_levelChooser, &QComboBox::currentIndexChanged, this, &WorksheetDialog::forgetSheets);
    connect(m_hundredSquaresOption, &QRadioButton::toggled, this, &WorksheetDialog::forgetSheets);
    connect(m_sheetCount, &QSpinBox::valueChanged, this, &WorksheetDialog::forgetSheets);
    connect(m_answerSheets, &QCheckBox::toggled, this, &WorksheetDialog::forgetSheets);
    connect(m_seedBox, &QSpinBox::valueChanged, this, &WorksheetDialog::forgetSheets);
    connect(m_weakSheets, &QCheckBox::toggled, this, &WorksheetDialog::showWeakChoice);
    connect(m_studentChooser, &QListWidget::itemSelectionChanged, this, &WorksheetDialog::forgetSheets);
    connect(m_previewButton, &QPushButton::clicked, this, &WorksheetDialog::preview);
    connect(m_printButton, &QPushButton::clicked, this, &WorksheetDialog::print);
    connect(m_closeButton, &QPushButton::clicked, this, &WorksheetDialog::reject);
}

// Only the four arithmetic levels have facts to print.
void WorksheetDialog::fillLevels()
{
    const int last = std::min<int>(m_state.LevelCount, ProblemSet::LastLevel);
    for (int level = ProblemSet::FirstLevel; level <= last; ++level)
        m_levelChooser->addItem(m_state.LevelNames[std::size_t(level)], level);
    const int current = m_levelChooser->findData(int(m_state.CurrentLevel));
    m_levelChooser->setCurrentIndex(std::max(current, 0));
}

void WorksheetDialog::fillStudents()
{
    const RosterFile::ReadResult read = RosterFile::load(m_state, m_platform.clock.today());
    const RosterTable &roster = m_state.roster;
    for (const RosterEntry &entry : roster.entries()) {
        if (!entry.offered())
            continue;
        auto *item = new QListWidgetItem(
            ResultsGraph::chooserLine(roster.gradeName(entry.Number), roster.trimmedName(entry.Number), entry.Number));
        item->setData(Qt::UserRole, int(entry.Number));
        m_studentChooser->addItem(item);
    }
    if (read.failed())
        m_rosterNotice->setText(read.message());
    else if (m_studentChooser->count() == 0)
        m_rosterNotice->setText(QStringLiteral("名簿にえらべる人がいません。"));
}

WorksheetRequest WorksheetDialog::request() const
{
    WorksheetRequest asked;
    asked.level = m_levelChooser->currentData().toInt();
    asked.layout =
        m_hundredSquaresOption->isChecked() ? Worksheet::Layout::HundredSquares : Worksheet::Layout::Numbered;
    asked.sheetCount = m_sheetCount->value();
    asked.answerSheets = m_answerSheets->isChecked();
    asked.firstSeed = quint32(m_seedBox->value());
    if (m_weakSheets->isChecked()) {
        for (int row = 0; row < m_studentChooser->count(); ++row) {
            if (m_studentChooser->item(row)->isSelected())
                asked.weakStudents.push_back(m_studentChooser->item(row)->data(Qt::UserRole).toInt());
        }
    }
    return asked;
}

// With weak-facts sheets the level's own sheets may be left out (0 枚).
void WorksheetDialog::showWeakChoice()
{
    const bool weak = m_weakSheets->isChecked();
    m_studentChooser->setVisible(weak);
    m_rosterNotice->setVisible(weak && !m_rosterNotice->text().isEmpty());
    m_sheetCount->setMinimum(weak ? 0 : 1);
    forgetSheets();
}

void WorksheetDialog::forgetSheets()
{
    m_sheets.reset();
    const WorksheetRequest asked = request();
    const std::size_t sheets = std::size_t(asked.sheetCount) + asked.weakStudents.size();
    const std::size_t pages = sheets * (asked.answerSheets ? 2 : 1);
    const bool printable = pages > 0 && asked.level > 0;
    m_previewButton->setEnabled(printable);
    m_printButton->setEnabled(printable);
    m_summary->setText(printable ? QStringLiteral("%1枚のプリント、%2ページ").arg(sheets).arg(pages)
                                 : QStringLiteral("印刷するプリントがありません。"));
}

void WorksheetDialog::planSheets()
{
    if (m_sheets)
        return;
    const WorksheetRequest asked = request();
    QList<std::pair<int, QString>> unread;
    m_sheets = WorksheetPlan::sheetsFor(asked, m_platform, m_state.DataFolder, &unread);
    for (const auto &[student, reason] : unread)
        m_platform.dialogs.tell(QStringLiteral("注意"),
                                QStringLiteral("%1さんの問題別の成績を読めませんでした（%2）。\n"
                                               "苦手な問題のプリントは、まだ練習していない人と同じ順になります。")
                                    .arg(m_state.roster.trimmedName(student), reason),
                                DialogIcon::Warning);
    QStringList seeds;
    for (const Worksheet &sheet : *m_sheets)
        seeds.append(QString::number(sheet.seed));
    const std::size_t pages = WorksheetPlan::pagesOf(*m_sheets, asked.answerSheets).size();
    m_summary->setText(QStringLiteral("%1枚のプリント、%2ページ（番号 %3）")
                           .arg(m_sheets->size())
                           .arg(pages)
                           .arg(seeds.join(QStringLiteral("、"))));
}

bool WorksheetDialog::printOn(QPrinter &printer)
{
    std::vector<WorksheetTexts> texts;
    for (const Worksheet &sheet : *m_sheets)
        texts.push_back(WorksheetPlan::textsOf(sheet, m_state));
    return WorksheetPainter::printPages(printer, *m_sheets, texts,
                                        WorksheetPlan::pagesOf(*m_sheets, m_answerSheets->isChecked()));
}

void WorksheetDialog::paintPreview(QPrinter *printer)
{
    printOn(*printer);
}

void WorksheetDialog::preview()
{
    planSheets();
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QPrintPreviewDialog previewer(&printer, this);
    named(&previewer, WorksheetDialogControls::Preview);
    previewer.setWindowTitle(QStringLiteral("プレビュー"));
    previewer.resize(900, 1000);
    connect(&previewer, &QPrintPreviewDialog::paintRequested, this, &WorksheetDialog::paintPreview);
    previewer.exec();
}

void WorksheetDialog::print()
{
    planSheets();
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    if (!m_choosePrinter(printer))
        return;
    if (!printOn(printer)) {
        // A PDF in a folder that cannot be written, a printer gone away.
        m_platform.dialogs.tell(QStringLiteral("注意"), QStringLiteral("印刷できませんでした。"), DialogIcon::Warning);
    }
}
