#include "setup/setupdialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "setup/schoolsetup.h"

SetupDialog::SetupDialog(const QString &programFolder, QWidget *parent)
    : QDialog(parent)
    , m_programFolder(programFolder)
    , m_schoolFolderEdit(new QLineEdit(this))
    , m_browseButton(new QPushButton(QStringLiteral("参照…"), this))
    , m_newSchoolChoice(new QRadioButton(QStringLiteral("新しい学校（名簿は「監督」と見本の一人、成績なし）"), this))
    , m_demoSchoolChoice(new QRadioButton(QStringLiteral("デモの学校（生徒30人と数週間分の成績）"), this))
    , m_keyLocationLabel(new QLabel(QStringLiteral("キーファイルの場所:"), this))
    , m_keyLocationEdit(new QLineEdit(QString::fromUtf8(SchoolSetup::DefaultKeyLocation), this))
    , m_createButton(new QPushButton(QStringLiteral("作成"), this))
    , m_reportView(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("カズドリの準備"));
    m_schoolFolderEdit->setObjectName(QStringLiteral("schoolFolderEdit"));
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    m_newSchoolChoice->setObjectName(QStringLiteral("newSchoolChoice"));
    m_demoSchoolChoice->setObjectName(QStringLiteral("demoSchoolChoice"));
    m_keyLocationEdit->setObjectName(QStringLiteral("keyLocationEdit"));
    m_createButton->setObjectName(QStringLiteral("createButton"));
    m_reportView->setObjectName(QStringLiteral("reportView"));

    m_newSchoolChoice->setChecked(true);
    m_schoolFolderEdit->setPlaceholderText(QStringLiteral("生徒のPCからも書き込める共有フォルダー"));
    m_keyLocationEdit->setToolTip(QStringLiteral("先生だけが持つUSBメモリーなど。「A:」はこのPCでは /mnt/A です。"));
    m_reportView->setReadOnly(true);
    m_reportView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_reportView->setAccessibleName(QStringLiteral("結果"));

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_schoolFolderEdit, 1);
    folderRow->addWidget(m_browseButton);

    auto *kindBox = new QGroupBox(QStringLiteral("作るもの"), this);
    auto *kindLayout = new QVBoxLayout(kindBox);
    kindLayout->addWidget(m_newSchoolChoice);
    kindLayout->addWidget(m_demoSchoolChoice);

    auto *form = new QFormLayout;
    auto *folderLabel = new QLabel(QStringLiteral("学校フォルダー:"), this);
    folderLabel->setBuddy(m_schoolFolderEdit);
    m_keyLocationLabel->setBuddy(m_keyLocationEdit);
    form->addRow(folderLabel, folderRow);
    form->addRow(kindBox);
    form->addRow(m_keyLocationLabel, m_keyLocationEdit);

    auto *pathDataNote =
        new QLabel(QStringLiteral("学校フォルダーは「%1」に書きます。すでにあるファイルは書きかえません。")
                       .arg(QDir::toNativeSeparators(SchoolSetup::pathDataFileOf(m_programFolder))),
                   this);
    pathDataNote->setTextFormat(Qt::PlainText);
    pathDataNote->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_createButton, QDialogButtonBox::ActionRole);
    QPushButton *closeButton = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    m_createButton->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(pathDataNote);
    layout->addWidget(buttons);
    layout->addWidget(m_reportView, 1);
    resize(640, 480);
    m_schoolFolderEdit->setFocus();

    connect(m_browseButton, &QPushButton::clicked, this, &SetupDialog::browseSchoolFolder);
    connect(m_newSchoolChoice, &QRadioButton::toggled, this, &SetupDialog::showKindChoice);
    connect(m_createButton, &QPushButton::clicked, this, &SetupDialog::createSchool);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SetupDialog::browseSchoolFolder()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("学校フォルダーをえらぶ"), m_schoolFolderEdit->text());
    if (!folder.isEmpty())
        m_schoolFolderEdit->setText(QDir::toNativeSeparators(folder));
}

void SetupDialog::showKindChoice()
{
    const bool newSchool = m_newSchoolChoice->isChecked();
    m_keyLocationLabel->setEnabled(newSchool);
    m_keyLocationEdit->setEnabled(newSchool);
}

void SetupDialog::createSchool()
{
    SchoolSetup::Request request;
    request.kind = m_newSchoolChoice->isChecked() ? SchoolSetup::Kind::NewSchool : SchoolSetup::Kind::DemoSchool;
    request.schoolFolder = QDir::fromNativeSeparators(m_schoolFolderEdit->text().trimmed());
    request.keyLocation = m_keyLocationEdit->text().trimmed();
    const SchoolSetup::Report report = SchoolSetup::run(request, m_programFolder, QDate::currentDate());
    QString text = report.summary();
    if (report.failed())
        text.prepend(QStringLiteral("できませんでした。\n") + report.error + QStringLiteral("\n\n"));
    m_reportView->setPlainText(text);
}
