#include "menu/ui/menuheader.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "menu/menutexts.h"
#include "menu/ui/menucontrols.h"
#include "menu/ui/menuwidgets.h"

using namespace MenuWidgets;

MenuHeader::MenuHeader(QWidget *parent)
    : QWidget(parent)
{
    named(this, MenuControls::MenuHeader);
    m_title = named(new QLabel(this), MenuControls::Title);
    m_student = named(new QLabel(this), MenuControls::Student);
    m_site = named(new QLabel(this), MenuControls::Site);
    m_minutes = named(new QLabel(this), MenuControls::Minutes);
    m_todayTotal = named(new QLabel(this), MenuControls::TodayTotal);
    m_student->setFont(pixelFont(font(), 22, true));
    for (QLabel *label : {m_site, m_minutes, m_todayTotal})
        label->setFont(pixelFont(font(), 15));
    m_backButton = named(new QPushButton(QStringLiteral("戻る(0)"), this), MenuControls::BackButton);
    m_backButton->setFont(pixelFont(font(), 18, true));
    m_dataButton = named(new QPushButton(QStringLiteral("データ処理"), this), MenuControls::DataButton);
    m_dataButton->setFont(pixelFont(font(), 15));
    m_dataButton->hide();

    // Title and student on the left, the counts and the buttons at the right end.
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(0);
    layout->addWidget(m_title, 0, 0, 1, 2);
    layout->addWidget(m_student, 1, 0, Qt::AlignBottom);
    layout->addWidget(m_site, 1, 1, Qt::AlignBottom);
    layout->addWidget(m_minutes, 0, 3);
    layout->addWidget(m_todayTotal, 1, 3, Qt::AlignTop);
    layout->addWidget(m_dataButton, 0, 4, Qt::AlignTop);
    layout->addWidget(m_backButton, 0, 5, 2, 1, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
    m_backButton->setMinimumSize(104, 60);
    m_dataButton->setMinimumHeight(34);

    connect(m_backButton, &QPushButton::clicked, this, &MenuHeader::backClicked);
    connect(m_dataButton, &QPushButton::clicked, this, &MenuHeader::dataClicked);
}

// A long title gets a smaller size so that it stays on its line.
void MenuHeader::showTitle(const QString &title)
{
    m_title->setText(title);
    QFont font = m_title->font();
    font.setPointSize(title.size() > 9 ? 20 : 24);
    font.setBold(true);
    m_title->setFont(font);
}

void MenuHeader::showStudent(const QString &grade, const QString &name, const QString &siteTitle, int studentNumber)
{
    m_student->setText(MenuTexts::studentLine(grade, name));
    m_site->setText(MenuTexts::siteLine(siteTitle, studentNumber));
}

void MenuHeader::showMinutesSinceLogin(int minutes)
{
    m_minutes->setText(MenuTexts::minutesSinceLogin(minutes));
}

void MenuHeader::showTodayTotal(double sessions)
{
    m_todayTotal->setText(MenuTexts::todayTotal(sessions));
}

void MenuHeader::setDataButtonShown(bool shown)
{
    m_dataButton->setVisible(shown);
}

void MenuHeader::setBackEnabled(bool enabled)
{
    m_backButton->setEnabled(enabled);
}

bool MenuHeader::backEnabled() const
{
    return m_backButton->isEnabled();
}
