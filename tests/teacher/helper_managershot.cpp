// Saves pictures of the results list on a small school, for looking at the
// layout on a real display: helper_managershot <output folder>. Writes the
// list alone and with the edit panel open, at two screen sizes.
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include "state/appstate.h"
#include "app/calendartext.h"
#include "app/oledate.h"
#include "demo/demoschool.h"
#include "store/resultsfile.h"
#include "support/controls.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"
#include "teacher/ui/resultsmanager.h"
#include "teacher/ui/resultsmanagercontrols.h"

namespace {

// Names of two to eight characters, as schools write them.
const QStringList Names{
    QStringLiteral("林陸"),         QStringLiteral("東　エリ"),         QStringLiteral("山田　花子"),
    QStringLiteral("山本　さくら"), QStringLiteral("佐々木　ひまわり"), QStringLiteral("小林　一"),
    QStringLiteral("渡辺　みなと"), QStringLiteral("高橋　ゆい"),       QStringLiteral("監督"),
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QTemporaryDir dir;
    TestPlatform test;
    AppState state;
    state.DataFolder = dir.path() + u'/';
    state.RosterFolder = state.DataFolder;
    state.SchoolYearStartMonth = 4;
    state.SiteCode = QStringLiteral("00123");
    state.SiteTitle = QStringLiteral("みどり算数教室");
    state.SeasonColour = CalendarText::seasonColour(test.clock.today().month());

    QStringList roster;
    for (int i = 0; i < Names.size(); ++i)
        roster.append(QStringLiteral("%1,%2,1,1,\"%3\",0,\"\",\"\"").arg(i * 37 + 1).arg(2010 + i).arg(Names[i]));
    DemoSchool::writeTextFile(state.RosterFolder + QStringLiteral("新名簿.txt"), roster, nullptr);

    QList<ResultRecord> records;
    const double today = OleDate::fromDate(test.clock.today());
    for (int i = 0; i < 42; ++i) {
        const qint16 student = qint16((i * 5 % Names.size()) * 37 + 1);
        const qint32 time = i == 17 ? 99999 : 55 + i * 7 % 300;
        records.append(ResultRecord::make(today - 40 + i, 0.35 + i * 0.011, student, qint16(i % 4 + 1), time,
                                          i % 6 == 5 ? QStringLiteral("00777") : state.SiteCode));
    }
    ResultFiles::write(ResultsFile::pathIn(state.DataFolder), ResultFiles::encode(records));

    bool saved = true;
    for (const QSize size : {QSize(1366, 768), QSize(1024, 700)}) {
        ResultsManager screen(state, test.platform);
        screen.resize(size);
        screen.show();
        screen.activate();
        const QString name = QStringLiteral("manager-%1").arg(size.width());
        saved = saveShot(screen, out.filePath(name + QStringLiteral(".png"))) && saved;

        // The timed-out session, opened as a double-click opens it.
        auto *list = control<QListView>(&screen, ResultsManagerControls::List);
        const QModelIndex line = list->model()->index(17, 0);
        list->scrollTo(line);
        settle();
        const QPoint at = list->visualRect(line).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        saved = saveShot(screen, out.filePath(name + QStringLiteral("-panel.png"))) && saved;
    }
    return saved ? 0 : 1;
}
