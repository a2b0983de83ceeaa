#include "menu/ui/teacherpanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "state/appstate.h"
#include "state/startup.h"
#include "app/ui/controlnames.h"
#include "menu/teacheraccess.h"
#include "menu/ui/menucontrols.h"
#include "platform/dialogs.h"
#include "platform/platform.h"

namespace {

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = Controls::named(new QPushButton(text, parent), name);
    b->setMinimumHeight(40);
    return b;
}

QString commonDataPath(const AppState &state)
{
    return state.BasePath + QString::fromUtf8(Startup::CommonDataFile);
}

} // namespace

TeacherPanel::TeacherPanel(const AppState &state, Platform &platform, QWidget *parent)
    : QFrame(parent)
    , m_state(state)
    , m_platform(platform)
{
    Controls::named(this, MenuControls::TeacherPanel);
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 250, 230));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    auto *caption = Controls::named(new QLabel(QStringLiteral("KeyPassの場所"), this), MenuControls::LocationCaption);
    m_location = Controls::named(new QLineEdit(this), MenuControls::Location);
    m_location->setMinimumWidth(320);
    caption->setBuddy(m_location);
    m_resultsButton = button(QStringLiteral("データ変更"), MenuControls::ResultsButton, this);
    m_standardsButton = button(QStringLiteral("合格タイムデータ変更"), MenuControls::StandardsButton, this);
    m_worksheetsButton = button(QStringLiteral("プリント印刷"), MenuControls::WorksheetsButton, this);
    m_exportButton = button(QStringLiteral("成績の書き出し"), MenuControls::ExportButton, this);
    m_backButton = button(QStringLiteral("戻る"), MenuControls::TeacherBackButton, this);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setVerticalSpacing(10);
    layout->addWidget(caption, 0, 0, 1, 2);
    layout->addWidget(m_location, 1, 0, 1, 2);
    layout->addWidget(m_resultsButton, 2, 0);
    layout->addWidget(m_standardsButton, 2, 1);
    layout->addWidget(m_worksheetsButton, 3, 0);
    layout->addWidget(m_exportButton, 3, 1);
    layout->addWidget(m_backButton, 4, 1);

    connect(m_resultsButton, &QPushButton::clicked, this, [this] { chooseTool(Tool::ResultsManager); });
    connect(m_standardsButton, &QPushButton::clicked, this, [this] { chooseTool(Tool::StandardEditor); });
    connect(m_worksheetsButton, &QPushButton::clicked, this, [this] { chooseTool(Tool::Worksheets); });
    connect(m_exportButton, &QPushButton::clicked, this, [this] { chooseTool(Tool::Export); });
    connect(m_backButton, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

// The location is read again from the file; if another PC or a network
// hiccup keeps it from being read now, the value read at start-up stands.
void TeacherPanel::open()
{
    std::array<QString, Startup::SettingsValueCount> values;
    const QString path = commonDataPath(m_state);
    const auto &read = Startup::readTenValues(path, path, values).failed() ? m_state.commonDataValues : values;
    m_storedLocation = read[Startup::KeyPassLocationValue];
    m_location->setText(m_storedLocation);
    adjustSize();
    if (QWidget *menu = parentWidget())
        move((menu->width() - width()) / 2, (menu->height() - height()) / 3);
    show();
    raise();
    m_location->setFocus();
}

void TeacherPanel::chooseTool(Tool tool)
{
    const QString location = m_location->text();
    const bool changed = location != m_storedLocation;
    if (!TeacherAccess::keyFileOpens(location)
        || (changed && !TeacherAccess::storeKeyLocation(commonDataPath(m_state), location))) {
        m_platform.dialogs.tell(QStringLiteral("注意"), QStringLiteral("キーフロッピーが見つかりません。"),
                                DialogIcon::Warning);
        return;
    }
    if (changed) {
        m_storedLocation = location;
        emit keyLocationStored(location);
    }
    emit toolChosen(tool);
}
