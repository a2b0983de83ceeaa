#include <QTest>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/ui/printerchoice.h"
#include "platform/ui/qtjapanese.h"

using namespace Qt::StringLiterals;

// Qt's own dialogs as the program opens them: in Japanese, and printing on
// A4 unless the teacher picks another paper.
class TestQtDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void standardButtonsAndPrintDialogAreJapanese();
    void printDialogKeepsA4UnlessAnotherPaperIsChosen();
};

namespace {

// Runs `act` on the dialog that is modal once the event loop turns.
void whenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, qApp, [act = std::move(act)] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        act(modal);
    });
}

QString withoutMnemonic(QString text)
{
    return text.remove(u'&');
}

} // namespace

void TestQtDialogs::initTestCase()
{
    // A PC set to English still gets Japanese dialogs.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(QtJapanese::install(*QCoreApplication::instance()));
}

void TestQtDialogs::standardButtonsAndPrintDialogAreJapanese()
{
    QMessageBox box(QMessageBox::Question, u"注意"_s, u"消去しますか。"_s,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    QVERIFY(withoutMnemonic(box.button(QMessageBox::Yes)->text()).startsWith(u"はい"_s));
    QVERIFY(withoutMnemonic(box.button(QMessageBox::No)->text()).startsWith(u"いいえ"_s));
    QVERIFY(withoutMnemonic(box.button(QMessageBox::Cancel)->text()).startsWith(u"キャンセル"_s));
    QCOMPARE(withoutMnemonic(box.button(QMessageBox::Ok)->text()), u"OK"_s);

    QPrinter printer;
    QStringList buttons;
    whenModal([&](QWidget *dialog) {
        for (const QPushButton *button : dialog->findChildren<QPushButton *>())
            buttons.append(withoutMnemonic(button->text()));
        qobject_cast<QDialog *>(dialog)->reject();
    });
    QVERIFY(!PrinterChoice::chooseInDialog(printer, nullptr));
    QVERIFY2(buttons.contains(u"印刷(P)"_s), qPrintable(buttons.join(u", "_s)));
}

void TestQtDialogs::printDialogKeepsA4UnlessAnotherPaperIsChosen()
{
    QTemporaryDir out;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(out.filePath(u"page.pdf"_s));
    PrinterChoice::setA4Portrait(printer);
    whenModal([](QWidget *dialog) { qobject_cast<QDialog *>(dialog)->accept(); });
    QVERIFY(PrinterChoice::chooseInDialog(printer, nullptr));
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);

    // A5 confirmed in the printer's properties is what the teacher gets.
    PrinterChoice::setA4Portrait(printer);
    whenModal([](QWidget *dialog) {
        whenModal([dialog](QWidget *properties) {
            auto *sizes = properties->findChild<QComboBox *>(u"pageSizeCombo"_s);
            QVERIFY(sizes);
            const int a5 = sizes->findText(u"A5"_s, Qt::MatchStartsWith);
            QVERIFY(a5 >= 0);
            sizes->setCurrentIndex(a5);
            qobject_cast<QDialog *>(properties)->accept();
            QTimer::singleShot(0, dialog, [dialog] { qobject_cast<QDialog *>(dialog)->accept(); });
        });
        dialog->findChild<QPushButton *>(u"properties"_s)->click();
    });
    QVERIFY(PrinterChoice::chooseInDialog(printer, nullptr));
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A5);
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
