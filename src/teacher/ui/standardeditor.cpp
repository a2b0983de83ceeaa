#include "teacher/ui/standardeditor.h"

#include "app/ui/controlnames.h"

#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "state/appstate.h"
#include "app/levelstandard.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/systemerror.h"
#include "teacher/editortexts.h"
#include "teacher/ui/distributionpanel.h"
#include "teacher/ui/standardeditorcontrols.h"
#include "teacher/ui/standardgrid.h"

namespace {

using Controls::named;
using Controls::sized;

constexpr int VisibleRows = 33;

std::optional<QByteArray> readAll(const QString &path, QString *error)
{
    QFile file(path);
    SystemError::clear();
    if (!file.open(QIODevice::ReadOnly)) {
        *error = SystemError::describeFailure(file, SystemError::last());
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = SystemError::describeFailure(file, SystemError::last());
        return std::nullopt;
    }
    return bytes;
}

} // namespace

StandardEditor::StandardEditor(AppState &state, Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
    , m_source(state, platform)
{
    named(this, StandardEditorControls::Screen);
    setWindowTitle(QStringLiteral("Growna"));
    buildControls();
    connectControls();
}

void StandardEditor::buildControls()
{
    m_greeting = named(new QLabel(this), StandardEditorControls::Greeting);
    m_greeting->setText(QStringLiteral("成績の基準となるデータを変更できます。") + u'\n'
                        + QStringLiteral("プログラムを選んでください。"));
    m_greeting->setFont(sized(font(), 16, true));

    m_editPanel = named(new QFrame(this), StandardEditorControls::EditPanel);
    m_editPanel->hide();
    m_heading = named(new QLabel(QStringLiteral("成績の基準となるデータを変更できます"), m_editPanel),
                      StandardEditorControls::Heading);
    m_heading->setFont(sized(font(), 16, true));
    m_keyHelp = named(new QLabel(QStringLiteral("スペース：セルクリア　　Shift + ↓：セルコピー"), m_editPanel),
                      StandardEditorControls::KeyHelp);
    m_keyHelp->setFont(sized(font(), 11));
    m_grid = new StandardGrid(m_editPanel);
    // As many rows as the screen has room for, up to the usual number; the
    // grid scrolls the rest, also sideways on a narrow screen.
    m_grid->setMaximumHeight(m_grid->heightFor(VisibleRows));
    m_grid->setMinimumSize(0, m_grid->heightFor(3));

    m_columnHelpCaption =
        named(new QLabel(QStringLiteral("列の説明"), m_editPanel), StandardEditorControls::ColumnHelpCaption);
    m_columnHelpCaption->setFont(sized(font(), 11, true));
    m_columnHelp = named(new QLabel(m_editPanel), StandardEditorControls::ColumnHelp);
    m_columnHelp->setWordWrap(true);
    m_columnHelp->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_columnHelp->setFrameShape(QFrame::StyledPanel);
    m_columnHelp->setMinimumHeight(80);
    m_columnHelp->setFont(sized(font(), 11));

    m_reloadButton =
        named(new QPushButton(QStringLiteral("元に戻す"), m_editPanel), StandardEditorControls::ReloadButton);
    m_saveButton = named(new QPushButton(QStringLiteral("更新記録"), m_editPanel), StandardEditorControls::SaveButton);
    m_backButton = named(new QPushButton(QStringLiteral("戻る"), m_editPanel), StandardEditorControls::BackButton);
    for (QPushButton *button : {m_reloadButton, m_saveButton, m_backButton}) {
        button->setFont(sized(font(), 12, true));
        button->setMinimumHeight(40);
    }
    m_distribution = new DistributionPanel(m_editPanel);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_reloadButton);
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_backButton);
    auto *side = new QVBoxLayout;
    side->addWidget(m_columnHelpCaption);
    side->addWidget(m_columnHelp);
    side->addLayout(buttons);
    side->addWidget(m_distribution, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_heading);
    top->addStretch(1);
    top->addWidget(m_keyHelp);
    auto *panel = new QGridLayout(m_editPanel);
    panel->addLayout(top, 0, 0, 1, 2);
    panel->addWidget(m_grid, 1, 0);
    panel->addLayout(side, 1, 1);
    panel->setColumnStretch(0, 3);
    panel->setColumnStretch(1, 2);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(m_greeting);
    outer->addWidget(m_editPanel, 1);

    m_waitCover = named(new QLabel(QStringLiteral("Just a moment,please."), this), StandardEditorControls::WaitCover);
    m_waitCover->setAlignment(Qt::AlignCenter);
    m_waitCover->setFont(sized(font(), 28, true));
    m_waitCover->setAutoFillBackground(true);
    m_waitCover->hide();
}

void StandardEditor::connectControls()
{
    connect(m_reloadButton, &QPushButton::clicked, this, [this] {
        reload();
        m_grid->placeCellEditor();
        refreshDistribution();
        m_grid->gridToText();
    });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(m_backButton, &QPushButton::clicked, this, &StandardEditor::goBack);
    connect(m_grid, &StandardGrid::cellPlaced, this, &StandardEditor::showColumnHelp);
    connect(m_grid, &StandardGrid::cellVisited, this, &StandardEditor::refreshDistribution);
    connect(m_grid, &StandardGrid::inputRefused, this, [this](const QString &character) {
        m_platform.dialogs.tell(QStringLiteral("注意"), EditorTexts::refusedInput(character), DialogIcon::Warning);
    });
}

QString StandardEditor::tablePath() const
{
    return m_state.DataFolder + QString::fromUtf8(LevelStandardFile::FileName);
}

void StandardEditor::activate()
{
    m_greeting->hide();
    m_editPanel->show();
    reload();
    m_grid->placeCellEditor();
    refreshDistribution();
    m_grid->gridToText();
}

void StandardEditor::reload()
{
    QString error;
    m_loadedBytes = readAll(tablePath(), &error);
    m_grid->table().load(m_loadedBytes ? Cp932::decode(*m_loadedBytes) : QString());
    m_grid->showTable();
    if (!m_loadedBytes)
        m_platform.dialogs.tell(QStringLiteral("注意"),
                                QStringLiteral("%1 を読み込めませんでした。\n%2").arg(tablePath(), error),
                                DialogIcon::Warning);
}

// The table on disk is no longer the one loaded here: another PC saved it.
bool StandardEditor::writeOverOtherChange()
{
    QString error;
    if (readAll(tablePath(), &error) == m_loadedBytes)
        return true;
    return m_platform.dialogs.ask(DialogIcon::Question, QStringLiteral("注意"),
                                  QStringLiteral("%1 は、読み込んだ後にほかのパソコンで変更されています。\n"
                                                 "この画面の表で上書きしますか？")
                                      .arg(QString::fromUtf8(LevelStandardFile::FileName)),
                                  DialogButtons::YesNo)
           == DialogAnswer::Yes;
}

bool StandardEditor::save()
{
    const StandardTable &table = m_grid->table();
    if (!m_loadedBytes) {
        m_platform.dialogs.tell(QStringLiteral("注意"),
                                QStringLiteral("%1 を読み込めていないので、記録できません。").arg(tablePath()),
                                DialogIcon::Warning);
        return false;
    }
    // Lines past level 35 would be written but never read back.
    if (!table.fitsLevelTable()) {
        m_platform.dialogs.tell(
            QStringLiteral("注意"),
            QStringLiteral("レベルが%1行あります。記録できるのは%2レベルまでです。\n"
                           "%3 は書き換えていません。")
                .arg(QString::number(table.levelCount()), QString::number(StandardTable::MaxLevels), tablePath()),
            DialogIcon::Warning);
        return false;
    }
    const QList<QStringList> rows = table.fileRows();
    // A cell loaded from a hand-edited file may still hold what the cell
    // editor keeps out: a save that would shift the fields writes nothing.
    if (const auto cell = table.firstCellNotReadBack(LevelStandardFile::encode(rows))) {
        m_platform.dialogs.tell(
            QStringLiteral("注意"),
            EditorTexts::notReadBack(tablePath(), cell->level, cell->column, table.cell(cell->level, cell->column)),
            DialogIcon::Warning);
        return false;
    }
    if (!writeOverOtherChange())
        return false;

    showWaitCover(true);
    QString error;
    const bool written = LevelStandardFile::write(tablePath(), rows, &error);
    if (written) {
        m_grid->table().markSaved();
        m_loadedBytes = LevelStandardFile::encode(rows);
    }
    showWaitCover(false);
    if (!written) {
        m_platform.dialogs.tell(QStringLiteral("注意"),
                                QStringLiteral("%1 に記録できませんでした。\n%2").arg(tablePath(), error),
                                DialogIcon::Critical);
        return false;
    }
    if (!LevelStandardFile::read(tablePath(), m_state.LevelStandards, &error)) {
        m_platform.dialogs.tell(QStringLiteral("注意"),
                                QStringLiteral("%1 を読み込めませんでした。\n%2").arg(tablePath(), error),
                                DialogIcon::Critical);
        return false;
    }
    return true;
}

void StandardEditor::goBack()
{
    if (m_grid->table().changed()) {
        const DialogAnswer answer =
            m_platform.dialogs.ask(DialogIcon::Question, QStringLiteral("注意"),
                                   QStringLiteral("データが変更されています。記録しますか？"), DialogButtons::YesNo);
        // Edits that were not written stay on screen rather than being lost.
        if (answer == DialogAnswer::Yes && !save())
            return;
    }
    showWaitCover(true);
    emit backRequested();
}

void StandardEditor::refreshDistribution()
{
    QString error;
    const auto status = m_source.refresh(&error);
    const int level = m_grid->table().currentLevel();
    // Told once, not on every key while the file stays missing.
    if (status != m_resultsStatus) {
        if (status == DistributionSource::Status::Missing)
            m_platform.dialogs.tell(
                QStringLiteral("注意"),
                QStringLiteral("%1 がありません。\n度数分布は空のまま表示します。").arg(m_source.path()),
                DialogIcon::Warning);
        else if (status == DistributionSource::Status::Failed)
            m_platform.dialogs.tell(QStringLiteral("注意"),
                                    QStringLiteral("%1 を読み込めませんでした。\n%2\n度数分布は空のまま表示します。")
                                        .arg(m_source.path(), error),
                                    DialogIcon::Warning);
    }
    m_resultsStatus = status;
    m_distribution->showLevel(m_source.distribution(), level);
}

void StandardEditor::showColumnHelp(int column)
{
    m_columnHelp->setText(EditorTexts::columnHelp(column));
}

void StandardEditor::showWaitCover(bool shown)
{
    m_waitCover->setGeometry(rect());
    m_waitCover->raise();
    m_waitCover->setVisible(shown);
    if (shown)
        m_waitCover->repaint();
}
