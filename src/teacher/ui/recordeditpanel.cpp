#include "teacher/ui/recordeditpanel.h"

#include "app/ui/controlnames.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/oledate.h"
#include "roster/rostertable.h"
#include "teacher/resultslist.h"
#include "teacher/ui/resultsmanagercontrols.h"

namespace {

using Controls::named;
using Controls::sized;

// The spin control's range; a time outside it is still shown and kept exactly.
constexpr int SpinMaximum = 6000;

} // namespace

RecordEditPanel::RecordEditPanel(QWidget *parent)
    : QFrame(parent)
{
    named(this, ResultsManagerControls::Panel);
    setFrameShape(QFrame::StyledPanel);
    buildControls();
    connectControls();
}

void RecordEditPanel::buildControls()
{
    m_recordNumber = named(new QLabel(this), ResultsManagerControls::RecordNumber);
    m_recordNumber->setFont(sized(font(), 16, true));
    m_level = named(new QLabel(this), ResultsManagerControls::Level);
    m_date = named(new QLabel(this), ResultsManagerControls::Date);
    m_grade = named(new QLabel(this), ResultsManagerControls::Grade);
    m_seconds = named(new QLabel(QStringLiteral("秒"), this), ResultsManagerControls::Seconds);
    for (QLabel *label : {m_level, m_date, m_grade, m_seconds})
        label->setFont(sized(font(), 13));

    m_student = named(new QComboBox(this), ResultsManagerControls::Student);
    m_student->setEditable(true);
    // A typed text is a choice to check, not a new line of the pick list.
    m_student->setInsertPolicy(QComboBox::NoInsert);
    m_student->setMaxVisibleItems(20);
    m_student->setFont(sized(font(), 13));
    m_student->setAccessibleName(QStringLiteral("生徒"));

    m_time = named(new QLineEdit(this), ResultsManagerControls::Time);
    m_time->setFont(sized(font(), 14));
    m_time->setAlignment(Qt::AlignRight);
    m_time->setFixedWidth(m_time->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    m_time->setAccessibleName(QStringLiteral("秒"));

    m_timeSpin = named(new QScrollBar(Qt::Vertical, this), ResultsManagerControls::TimeSpin);
    m_timeSpin->setRange(0, SpinMaximum);
    // The upper arrow counts up, as on a spin box.
    m_timeSpin->setInvertedAppearance(true);
    m_timeSpin->setInvertedControls(true);
    m_timeSpin->setFixedSize(20, m_time->sizeHint().height());
    m_timeSpin->setAccessibleName(QStringLiteral("秒"));

    m_changeButton = named(new QPushButton(QStringLiteral("変更して記録"), this), ResultsManagerControls::ChangeButton);
    m_deleteButton = named(new QPushButton(QStringLiteral("消去"), this), ResultsManagerControls::DeleteButton);
    m_cancelButton = named(new QPushButton(QStringLiteral("キャンセル"), this), ResultsManagerControls::CancelButton);
    for (QPushButton *button : {m_changeButton, m_deleteButton, m_cancelButton}) {
        button->setFont(sized(font(), 12, true));
        button->setMinimumHeight(40);
    }
    m_changeButton->setEnabled(false);
    m_deleteButton->setEnabled(false);

    auto *heading = new QHBoxLayout;
    heading->addWidget(m_recordNumber);
    heading->addSpacing(12);
    heading->addWidget(m_level);
    heading->addStretch(1);
    heading->addWidget(m_date);

    auto *time = new QHBoxLayout;
    time->addWidget(m_time);
    time->addWidget(m_timeSpin);
    time->addWidget(m_seconds);
    time->addStretch(1);

    auto *buttons = new QGridLayout;
    buttons->addWidget(m_changeButton, 0, 0, 1, 2);
    buttons->addWidget(m_deleteButton, 1, 0);
    buttons->addWidget(m_cancelButton, 1, 1);

    auto *panel = new QVBoxLayout(this);
    panel->addLayout(heading);
    panel->addSpacing(8);
    panel->addWidget(m_student);
    panel->addWidget(m_grade);
    panel->addSpacing(8);
    panel->addLayout(time);
    panel->addSpacing(16);
    panel->addLayout(buttons);
    panel->addStretch(1);
}

void RecordEditPanel::connectControls()
{
    connect(m_student, &QComboBox::editTextChanged, this, &RecordEditPanel::showGradeOfChoice);
    connect(m_timeSpin, &QScrollBar::valueChanged, this,
            [this](int value) { m_time->setText(QString::number(value)); });
    connect(m_time, &QLineEdit::textEdited, this, &RecordEditPanel::followTypedTime);
    connect(m_changeButton, &QPushButton::clicked, this, &RecordEditPanel::changeRequested);
    connect(m_deleteButton, &QPushButton::clicked, this, &RecordEditPanel::deleteRequested);
    connect(m_cancelButton, &QPushButton::clicked, this, &RecordEditPanel::cancelRequested);
}

void RecordEditPanel::setStudents(const RosterTable &roster)
{
    m_roster = &roster;
    const QSignalBlocker quiet(m_student);
    m_student->clear();
    QStringList choices;
    choices.reserve(roster.entries().size());
    for (const RosterEntry &entry : roster.entries())
        choices.append(ResultsList::studentChoice(entry.Number, RosterTable::trimBlanks(entry.Name)));
    m_student->addItems(choices);
}

void RecordEditPanel::showRecord(qint32 recordNumber, const ResultRecord &record, const RosterTable &roster)
{
    m_roster = &roster;
    m_recordStudent = record.studentNumber;
    m_recordNumber->setText(QString::number(recordNumber));
    m_level->setText(QStringLiteral("ﾚﾍﾞﾙ") + QString::number(record.level));
    m_date->setText(OleDate::toDate(record.date).toString(QStringLiteral("yyyy/MM/dd")));

    const QString choice = ResultsList::studentChoice(record.studentNumber, roster.trimmedName(record.studentNumber));
    {
        const QSignalBlocker quiet(m_student);
        m_student->setCurrentIndex(m_student->findText(choice, Qt::MatchExactly));
        m_student->setEditText(choice);
    }
    showGradeOfChoice(choice);

    // Set without the spin's copy into the box: a time the spin cannot hold
    // (99999, a session that ran out of time) is kept as it is unless edited.
    m_time->setText(QString::number(record.timeScore));
    {
        const QSignalBlocker quiet(m_timeSpin);
        m_timeSpin->setValue(std::clamp(record.timeScore, 0, SpinMaximum));
    }
    m_changeButton->setEnabled(true);
    m_deleteButton->setEnabled(true);
}

QString RecordEditPanel::studentText() const
{
    return m_student->currentText();
}

QString RecordEditPanel::timeText() const
{
    return m_time->text();
}

void RecordEditPanel::focusTime()
{
    m_time->setFocus();
    m_time->selectAll();
}

void RecordEditPanel::showGradeOfChoice(const QString &text)
{
    const std::optional<qint16> student =
        m_roster ? ResultsList::chosenStudent(text, *m_roster, m_recordStudent) : std::nullopt;
    m_grade->setText(student ? m_roster->gradeName(*student).trimmed() : QString());
}

// The arrows go on from a typed time rather than from the time first shown.
void RecordEditPanel::followTypedTime(const QString &text)
{
    const std::optional<qint32> typed = ResultsList::typedTime(text);
    if (!typed)
        return;
    const QSignalBlocker quiet(m_timeSpin);
    m_timeSpin->setValue(std::min(*typed, SpinMaximum));
}
