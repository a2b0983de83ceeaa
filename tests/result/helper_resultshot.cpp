// Saves pictures of the result screen after a session with mistakes, at
// the two screen sizes classrooms have: helper_resultshot <folder>
#include <QApplication>
#include <QDir>
#include <QTest>

#include "result/recordsession.h"
#include "result/ui/resultscreen.h"
#include "support/sessionfixture.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    for (const QSize size : {QSize(1366, 768), QSize(1024, 768)}) {
        SessionFixture f;
        SessionOutcome outcome;
        outcome.level = 3;
        outcome.resultTime = 140;
        outcome.missedCodes = {12, 57, 68, 86, 99, 3, 44};
        if (!RecordSession(f.state, f.test.platform, outcome))
            return 1;
        ResultScreen screen(f.state, f.test.platform, outcome);
        screen.resize(size);
        screen.show();
        screen.activate();
        QTest::qWait(800);
        if (!screen.grab().save(out + QStringLiteral("/result-%1.png").arg(size.width())))
            return 1;
    }
    return 0;
}
