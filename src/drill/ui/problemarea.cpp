#include "drill/ui/problemarea.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "app/spokentext.h"
#include "app/ui/controlnames.h"
#include "app/ui/noticelabel.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillwidgets.h"

using namespace DrillWidgets;
using namespace Qt::StringLiterals;

namespace {

constexpr int MinimumProblemPixels = 72;
constexpr int MaximumProblemPixels = 220;
// Small print inside the area would be lost next to the problem.
constexpr qreal SmallestPoints = 16;

} // namespace

ProblemArea::ProblemArea(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QString::fromLatin1(DrillControls::ProblemArea));
    auto *area = new QVBoxLayout(this);
    area->setSpacing(6);
    area->addLayout(buildProblemRow());
    area->addLayout(buildHelpRow());
    area->addLayout(buildCorrectionRow());
    area->addLayout(buildBlocks());
    area->addLayout(buildHistoryRow());
    area->addStretch(1);

    for (QLabel *l : findChildren<QLabel *>()) {
        if (std::ranges::find(m_blocks, l) == m_blocks.end() && l->font().pointSizeF() < SmallestPoints)
            setPointSize(l, SmallestPoints);
    }
}

QLayout *ProblemArea::buildProblemRow()
{
    auto *row = new QHBoxLayout;
    m_first = label(this, DrillControls::First);
    m_operator = label(this, DrillControls::Operator);
    m_second = label(this, DrillControls::Second);
    m_equals = label(this, DrillControls::Equals, u"="_s);
    m_answer = label(this, DrillControls::Answer);
    m_answer->setStyleSheet(Controls::selector(DrillControls::Answer)
                            + u" { background: white; border: 3px solid rgb(90, 90, 90); }"_s);
    // Orca 43 drops Qt's name changes; a notice that shows again is heard.
    m_spoken = NoticeLabel::unseen(this, QString::fromLatin1(DrillControls::Spoken));
    row->addStretch(1);
    for (QLabel *l : {m_first, m_operator, m_second, m_equals, m_answer}) {
        l->setAlignment(Qt::AlignCenter);
        row->addWidget(l);
    }
    row->addStretch(1);
    return row;
}

QLayout *ProblemArea::buildHelpRow()
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(label(this, DrillControls::JudgeKeyHelp, u"スペースキー＝判定"_s));
    row->addSpacing(40);
    row->addWidget(label(this, DrillControls::ClearKeyHelp, u"矢印キー、リターンキー＝クリア"_s));
    row->addStretch(1);
    return row;
}

QLayout *ProblemArea::buildCorrectionRow()
{
    auto *row = new QHBoxLayout;
    m_redEquals = label(this, DrillControls::RedEquals, u"="_s);
    m_correctAnswer = label(this, DrillControls::CorrectAnswer);
    m_prompt = Controls::named(new NoticeLabel(u"\"+\"を２回押しなさい"_s, this), DrillControls::Prompt);
    m_redEquals->setStyleSheet(u"color: rgb(210, 0, 0);"_s);
    m_correctAnswer->setStyleSheet(u"color: rgb(210, 0, 0);"_s);
    m_prompt->setStyleSheet(u"color: rgb(0, 40, 160);"_s);
    setPointSize(m_redEquals, 40, true);
    setPointSize(m_correctAnswer, 40, true);
    setPointSize(m_prompt, 26, true);
    keepPlaceWhenHidden(m_correctAnswer);
    keepPlaceWhenHidden(m_prompt);
    m_correctAnswer->hide();
    m_prompt->hide();
    row->addStretch(1);
    row->addWidget(m_redEquals);
    row->addWidget(m_correctAnswer);
    row->addSpacing(30);
    row->addWidget(m_prompt);
    row->addStretch(1);
    return row;
}

QLayout *ProblemArea::buildBlocks()
{
    auto *grid = new QGridLayout;
    grid->setSpacing(6);
    m_blocks.assign(CountingBlocks::Count + 1, nullptr);
    for (int n = 1; n <= CountingBlocks::Count; ++n) {
        QLabel *block =
            Controls::named(label(this, {}, QString::number(n)), Controls::arrayName(DrillControls::Blocks, n));
        block->setAlignment(Qt::AlignCenter);
        block->setFixedSize(52, 44);
        block->setStyleSheet(u"background: rgb(255, 170, 60); color: black; border: 1px solid rgb(150, 90, 0);"_s);
        setPointSize(block, 15, true);
        keepPlaceWhenHidden(block);
        block->hide();
        grid->addWidget(block, (n - 1) / 10, (n - 1) % 10);
        m_blocks[std::size_t(n)] = block;
    }
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addLayout(grid);
    row->addStretch(1);
    return row;
}

QLayout *ProblemArea::buildHistoryRow()
{
    auto *row = new QHBoxLayout;
    m_tries = label(this, DrillControls::Tries);
    m_mistakes = label(this, DrillControls::Mistakes);
    m_average = label(this, DrillControls::Average);
    row->addStretch(1);
    row->addWidget(label(this, {}, u"総トライ数"_s));
    row->addWidget(m_tries);
    row->addSpacing(30);
    row->addWidget(m_mistakes);
    row->addSpacing(30);
    row->addWidget(label(this, {}, u"平均タイム"_s));
    row->addWidget(m_average);
    row->addStretch(1);
    return row;
}

void ProblemArea::fitToHeight(int screenHeight)
{
    // About a fifth of the screen's height, never less than 72 pixels.
    QFont font = m_first->font();
    font.setPixelSize(std::clamp(screenHeight * 2 / 11, MinimumProblemPixels, MaximumProblemPixels));
    font.setBold(true);
    for (QLabel *l : {m_first, m_operator, m_second, m_equals, m_answer})
        l->setFont(font);
    m_answer->setMinimumWidth(QFontMetrics(font).horizontalAdvance(u"000"_s) + font.pixelSize() / 2);
}

void ProblemArea::clearProblem()
{
    m_first->clear();
    showAnswer(QString());
    m_redEquals->hide();
}

void ProblemArea::showProblem(const ProblemDrawing::Next &next)
{
    if (!next.history.tries.isEmpty())
        m_tries->setText(next.history.tries);
    m_mistakes->setText(next.history.mistakes);
    if (!next.history.average.isEmpty())
        m_average->setText(next.history.average);
    m_first->setText(QString::number(next.face.FirstOperand));
    m_operator->setText(next.face.Operator);
    m_second->setText(QString::number(next.face.SecondOperand));
    setAccessibleName(u"%1 %2 %3 ="_s.arg(QString::number(next.face.FirstOperand), next.face.Operator,
                                          QString::number(next.face.SecondOperand)));
    m_spoken->announce(accessibleName());
}

void ProblemArea::showAnswer(const QString &text)
{
    m_answer->setText(text);
    m_answer->setAccessibleName(text);
    if (!text.isEmpty())
        m_spoken->announce(text);
}

void ProblemArea::showCorrection(int correctAnswer, bool redEquals, const CountingBlocks::Visibility &blocks)
{
    m_correctAnswer->setText(QString::number(correctAnswer));
    m_correctAnswer->setAccessibleName(u"正しい答え %1"_s.arg(correctAnswer));
    m_correctAnswer->show();
    if (redEquals)
        m_redEquals->show();
    for (int n = 1; n <= CountingBlocks::Count; ++n)
        m_blocks[std::size_t(n)]->setVisible(blocks[std::size_t(n)]);
}

void ProblemArea::announcePrompt()
{
    // Heard, not only seen; the quotes around "+" are left out.
    m_prompt->announce(SpokenText::join({m_correctAnswer->accessibleName(), QString(m_prompt->text()).remove(u'"')}));
}

void ProblemArea::hideCorrection()
{
    m_prompt->hide();
    m_correctAnswer->hide();
}
