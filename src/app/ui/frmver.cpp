#include "app/ui/frmver.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appstate.h"

frmver::frmver(const AppState &state, QWidget *parent)
    : QDialog(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("frmver"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);
    setMinimumWidth(320);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = Label1->font();
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont versionFont = Label2->font();
    versionFont.setPointSize(14);
    Label2->setFont(versionFont);
    Command1 = new QPushButton(QStringLiteral("O.K."), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->setSpacing(12);
    layout->addWidget(Label1, 0, Qt::AlignCenter);
    layout->addWidget(Label2, 0, Qt::AlignCenter);
    layout->addWidget(Command1, 0, Qt::AlignCenter);

    connect(Command1, &QPushButton::clicked, this, &frmver::Command1_Click);
}

QString frmver::versionText()
{
    return QStringLiteral("Version%1.%2.%3")
        .arg(KAZUDORI_VERSION_MAJOR)
        .arg(KAZUDORI_VERSION_MINOR)
        .arg(KAZUDORI_VERSION_PATCH);
}

void frmver::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmver::Form_Activate()
{
    Label1->setText(m_state.ContentTitle);
    Label2->setText(versionText());
}

void frmver::Command1_Click()
{
    accept();
}
