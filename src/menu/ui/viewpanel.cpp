#include "menu/ui/viewpanel.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "app/ui/valuecombobox.h"
#include "menu/ui/menucontrols.h"
#include "menu/ui/menuwidgets.h"

using namespace MenuWidgets;
using namespace ResultLists;

namespace {

} // namespace

ViewPanel::ViewPanel(QWidget *parent)
    : QFrame(parent)
{
    named(this, MenuControls::ViewPanel);
    buildControls();
    connectControls();
}

void ViewPanel::buildControls()
{
    const QFont panelFont = pixelFont(font(), 15);
    auto *views = new QButtonGroup(this);
    const QStringList viewCaptions{QStringLiteral("ﾀｲﾑ表示"), QStringLiteral("ﾎﾟｲﾝﾄ表示"), QStringLiteral("個人ﾀｲﾑ")};
    for (int i = 0; i < 3; ++i) {
        auto *option = named(new QRadioButton(viewCaptions[i], this), arrayName(MenuControls::ViewButtons, i));
        option->setFont(panelFont);
        views->addButton(option, i);
        m_viewButtons.push_back(option);
    }
    auto *lists = new QButtonGroup(this);
    const KindCaptions captions = captionsOnBuild();
    const QStringList listCaptions{captions.first, captions.second, captions.third.value_or(QString())};
    m_listButtons.push_back(nullptr);
    for (int j = 1; j <= 3; ++j) {
        auto *option = named(new QRadioButton(listCaptions[j - 1], this), arrayName(MenuControls::ListButtons, j));
        option->setFont(panelFont);
        lists->addButton(option, j);
        m_listButtons.push_back(option);
    }
    m_gradeFilter = named(new ValueComboBox(this), MenuControls::GradeFilter);
    m_periodChoice = named(new ValueComboBox(this), MenuControls::PeriodChoice);
    m_gradeFilter->setFont(panelFont);
    m_periodChoice->setFont(panelFont);
    m_periodChoice->setAccessibleName(QStringLiteral("期間"));
    // On Linux a combo box is named by its current text; a reader finds its
    // label through the buddy.
    m_gradeCaption = named(new QLabel(QStringLiteral("学年"), this), MenuControls::GradeCaption);
    m_gradeCaption->setFont(panelFont);
    m_gradeCaption->setBuddy(m_gradeFilter);
    m_periodChoice->hide();
    m_title = named(new QLabel(this), MenuControls::ListTitle);
    m_title->setFont(pixelFont(font(), 17, true));
    m_graphButton = named(new QPushButton(QStringLiteral("グラフ"), this), MenuControls::GraphButton);
    m_graphButton->hide();

    // Views on the first row, lists on the second; the period box and the
    // graph button keep to the right.
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(0);
    for (int i = 0; i < 3; ++i) {
        layout->addWidget(m_viewButtons[std::size_t(i)], 0, i);
        layout->addWidget(m_listButtons[std::size_t(i + 1)], 1, i);
    }
    layout->addWidget(m_gradeCaption, 0, 3, 2, 1);
    layout->addWidget(m_gradeFilter, 0, 4, 2, 1);
    layout->addWidget(m_title, 0, 5, 2, 1);
    layout->setColumnStretch(6, 1);
    layout->addWidget(m_periodChoice, 0, 7, 2, 1);
    layout->addWidget(m_graphButton, 0, 8, 2, 1);
}

void ViewPanel::setGraphShown(bool shown)
{
    m_graphButton->setVisible(shown);
}

void ViewPanel::connectControls()
{
    connect(m_graphButton, &QPushButton::clicked, this, &ViewPanel::graphRequested);
    for (int i = 0; i < 3; ++i) {
        connect(m_viewButtons[std::size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                emit viewChosen(i);
        });
    }
    for (int j = 1; j <= 3; ++j) {
        connect(m_listButtons[std::size_t(j)], &QRadioButton::toggled, this, [this, j](bool on) {
            if (on)
                emit listChosen(j);
        });
    }
    connect(m_gradeFilter, &QComboBox::activated, this, &ViewPanel::gradeChosen);
    connect(m_periodChoice, &QComboBox::activated, this, [this](int index) { emit periodChosen(index + 1); });
}

void ViewPanel::setGradeChoices(const QStringList &texts, const QString &chosen)
{
    const QSignalBlocker blocker(m_gradeFilter);
    m_gradeFilter->addItems(texts);
    const int index = m_gradeFilter->findText(chosen);
    m_gradeFilter->setCurrentIndex(index >= 0 ? index : 0);
}

void ViewPanel::setPeriodChoices(const QStringList &texts, int period)
{
    const QSignalBlocker blocker(m_periodChoice);
    m_periodChoice->addItems(texts);
    m_periodChoice->setCurrentIndex(period - 1);
}

QString ViewPanel::gradeFilter() const
{
    return m_gradeFilter->currentText();
}

QString ViewPanel::periodText() const
{
    return m_periodChoice->currentText();
}

void ViewPanel::setListCaptions(const KindCaptions &captions)
{
    m_listButtons[1]->setText(captions.first);
    m_listButtons[2]->setText(captions.second);
    if (captions.third)
        m_listButtons[3]->setText(*captions.third);
}

void ViewPanel::setThirdListEnabled(bool enabled)
{
    m_listButtons[3]->setEnabled(enabled);
}

void ViewPanel::checkView(int index)
{
    m_viewButtons[std::size_t(index)]->setChecked(true);
}

void ViewPanel::checkList(int index)
{
    m_listButtons[std::size_t(index)]->setChecked(true);
}

bool ViewPanel::isViewChecked(int index) const
{
    return m_viewButtons[std::size_t(index)]->isChecked();
}

bool ViewPanel::isListChecked(int index) const
{
    return m_listButtons[std::size_t(index)]->isChecked();
}

QString ViewPanel::title() const
{
    return m_title->text();
}

void ViewPanel::setTitle(const QString &title)
{
    m_title->setText(title);
}

void ViewPanel::setPeriodShown(bool shown)
{
    m_periodChoice->setVisible(shown);
}
