#include "app/ui/versiondialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/controlnames.h"
#include "app/ui/versiondialogcontrols.h"

VersionDialog::VersionDialog(QString productTitle, QWidget *parent)
    : QDialog(parent)
    , m_productTitle(std::move(productTitle))
{
    setObjectName(QString::fromLatin1(VersionDialogControls::Dialog));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);
    setMinimumWidth(320);

    m_title = new QLabel(this);
    Controls::named(m_title, VersionDialogControls::Title);
    QFont titleFont = m_title->font();
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_version = new QLabel(this);
    Controls::named(m_version, VersionDialogControls::Version);
    QFont versionFont = m_version->font();
    versionFont.setPointSize(14);
    m_version->setFont(versionFont);
    m_okButton = new QPushButton(QStringLiteral("O.K."), this);
    Controls::named(m_okButton, VersionDialogControls::OkButton);
    m_okButton->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->setSpacing(12);
    layout->addWidget(m_title, 0, Qt::AlignCenter);
    layout->addWidget(m_version, 0, Qt::AlignCenter);
    layout->addWidget(m_okButton, 0, Qt::AlignCenter);

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString VersionDialog::versionText()
{
    return QStringLiteral("Version%1.%2.%3")
        .arg(KAZUDORI_VERSION_MAJOR)
        .arg(KAZUDORI_VERSION_MINOR)
        .arg(KAZUDORI_VERSION_PATCH);
}

void VersionDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    showTitleAndVersion();
}

void VersionDialog::showTitleAndVersion()
{
    m_title->setText(m_productTitle);
    m_version->setText(versionText());
}
