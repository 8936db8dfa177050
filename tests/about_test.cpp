// The About dialog through the main window's "A propos" button, on the
// offscreen platform.

#include "about/frmabout.h"
#include "app/application.h"
#include "app/form1.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithItsCaption();
    void showsItsTexts_data();
    void showsItsTexts();
    void opensOnlyOneDialog();
    void closes_data();
    void closes();
    void leavesTheMainWindowUsable();
    void drawsTheTempleFromItsTable();
    void runsUntilTheLastWindowCloses();

private:
    frmAbout *clickAbout();
    static QList<frmAbout *> openDialogs();

    std::unique_ptr<Form1> m_form;
};

void AboutTest::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void AboutTest::cleanup()
{
    for (frmAbout *dialog : openDialogs())
        delete dialog;
    m_form.reset();
}

QList<frmAbout *> AboutTest::openDialogs()
{
    QList<frmAbout *> dialogs;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<frmAbout *>(window))
            dialogs << dialog;
    }
    return dialogs;
}

frmAbout *AboutTest::clickAbout()
{
    QTest::mouseClick(m_form->findChild<QPushButton *>(QStringLiteral("Command4")), Qt::LeftButton);
    const QList<frmAbout *> dialogs = openDialogs();
    return dialogs.size() == 1 ? dialogs.first() : nullptr;
}

void AboutTest::opensWithItsCaption()
{
    frmAbout *dialog = clickAbout();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("À propos de Tuvo"));
    QCOMPARE(dialog->size(), QSize(383, 337));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QVERIFY(!dialog->isModal());
    const QPoint screenCentre = dialog->screen()->availableGeometry().center();
    QVERIFY((dialog->frameGeometry().center() - screenCentre).manhattanLength() <= 8);
    QVERIFY(!dialog->parentWidget());
    QCOMPARE(dialog->focusWidget(), dialog->findChild<QPushButton *>(QStringLiteral("cmdOK")));
    QCOMPARE(dialog->palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("picIcon"))->geometry(),
             QRect(0, 0, 28, 28));
}

void AboutTest::showsItsTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("rect");
    // Spaces are counted: runs of them set the values under their letters.
    QTest::newRow("Label9") << "Label9" << "TUVO" << QRect(80, 24, 193, 25);
    QTest::newRow("lblDescription")
        << "lblDescription" << "Conversion de nombres arabes en nombres romains, ou l'inverse."
        << QRect(8, 64, 379, 22);
    QTest::newRow("Label1") << "Label1" << "Règles  suivies pour la numérotation romaine:"
                            << QRect(72, 88, 233, 17);
    QTest::newRow("Label4") << "Label4" << "- A 7 signes romains correspond une valeur."
                            << QRect(8, 120, 249, 17);
    QTest::newRow("Label3") << "Label3" << "   I    V      X       L        C        D        M"
                            << QRect(50, 144, 257, 17);
    QTest::newRow("Label2") << "Label2" << "   1    5     10     50     100     500     1000"
                            << QRect(48, 160, 265, 17);
    QTest::newRow("Label5")
        << "Label5" << "- Le nombre romain ne peut avoir plus de 3 signes consecutifs:  CCC"
        << QRect(8, 184, 321, 17);
    QTest::newRow("Label6") << "Label6"
                            << "- Les signes placés à droite d'un autre signe s'ajoutent s'ils "
                               "sont de valeur      égale ou inférieure: XXII = 22"
                            << QRect(8, 200, 353, 25);
    QTest::newRow("Label7") << "Label7"
                            << "- Le signe placé à gauche d'un autre signe se retranche s'il est "
                               "inférieur   : IX  = 9.   I ne se retranche que de X et de V, et  "
                               "V ne se retranche pas."
                            << QRect(8, 232, 345, 25);
    QTest::newRow("Label10") << "Label10" << "Valeurs limitées à 3999" << QRect(120, 264, 113, 17);
    QTest::newRow("Label8") << "Label8" << "Les auteurs de Tuvo" << QRect(104, 312, 161, 17);
}

void AboutTest::showsItsTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, rect);
    frmAbout *dialog = clickAbout();
    QVERIFY(dialog);
    const QLabel *label = dialog->findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->geometry(), rect);
    QVERIFY(label->isVisible());
    // A label shows all its text: the baseline of its last wrapped line falls
    // inside it, where a line too many would not.
    const int descent = QFontMetrics(label->font()).descent();
    QVERIFY(label->heightForWidth(label->width()) - descent <= label->height());
}

void AboutTest::opensOnlyOneDialog()
{
    frmAbout *first = clickAbout();
    QVERIFY(first);
    first->setWindowTitle(QStringLiteral("changed"));
    QCOMPARE(clickAbout(), first);
    QCOMPARE(openDialogs().size(), 1);
    QCOMPARE(first->windowTitle(), QStringLiteral("changed")); // not loaded again
    QVERIFY(first->isVisible());
}

void AboutTest::closes_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("OK") << 0;
    QTest::newRow("Enter") << 1;
    QTest::newRow("Escape") << 2;
    QTest::newRow("close button") << 3;
}

void AboutTest::closes()
{
    QFETCH(int, way);
    QPointer<frmAbout> dialog = clickAbout();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    switch (way) {
    case 0:
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdOK")),
                          Qt::LeftButton);
        break;
    case 1: QTest::keyClick(dialog->focusWidget(), Qt::Key_Return); break;
    case 2: QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape); break;
    case 3: dialog->close(); break;
    }
    QTRY_VERIFY(dialog.isNull()); // unloaded, not just hidden
    QVERIFY(m_form->isVisible());

    frmAbout *again = clickAbout();
    QVERIFY(again);
    QCOMPARE(again->windowTitle(), QStringLiteral("À propos de Tuvo"));
}

void AboutTest::leavesTheMainWindowUsable()
{
    QVERIFY(clickAbout());
    auto *text1 = m_form->findChild<QLineEdit *>(QStringLiteral("Text1"));
    text1->setText(QString());
    QTest::keyClicks(text1, QStringLiteral("2009"));
    QTest::mouseClick(m_form->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
    QCOMPARE(m_form->findChild<QLineEdit *>(QStringLiteral("Text2"))->text(),
             QStringLiteral("MMIX"));
    QCOMPARE(openDialogs().size(), 1);
}

void AboutTest::drawsTheTempleFromItsTable()
{
    const char *const rows[24] = {
        "GGGGGGGGGGGGGGGGGGGGGGGG", "GGGGGGGGGGGKKGGGGGGGGGGG", "GGGGGGGGGKKGGKKGGGGGGGGG",
        "GGGGGGGKKGGWWGGKKGGGGGGG", "GGGGGKKGGWWWWWWGGKKGGGGG", "GGGKKGGWWWWWWWWWWGGKKGGG",
        "GKKGGWWWWWWWWWWWWWWGGKKG", "GKKKKKKKKKKKKKKKKKKKKKKG", "GGGGKGKGKGKGGKGKGKGKGGGG",
        "GGGGKWKGKWKGGKWKGKWKGGGG", "GGGGKWKGKWKGGKWKGKWKGGGG", "GGGGKWKGKWKGGKWKGKWKGGGG",
        "GGGGKWKGKWKGGKWKGKWKGGGG", "GGGGKWKGKWKGGKWKGKWKGGGG", "GGGGKWKGKWKGGKWKGKWKGGGG",
        "GGGGKWKGKWKGGKWKGKWKGGGG", "GGGGKWKGKWKGGKWKGKWKGGGG", "GGGGKWKGKWKGGKWKGKWKGGGG",
        "GGGKKKKKKKKKKKKKKKKKKGGG", "GGGKWWWWWWWWWWWWWWWWKGGG", "GKKKKKKKKKKKKKKKKKKKKKKG",
        "GKWWWWWWWWWWWWWWWWWWWWKG", "GKKKKKKKKKKKKKKKKKKKKKKG", "GGGGGGGGGGGGGGGGGGGGGGGG",
    };
    auto colour = [](char key) {
        return key == 'G' ? QColor(0x99, 0x99, 0x99) : key == 'K' ? Qt::black : Qt::white;
    };
    frmAbout *dialog = clickAbout();
    QVERIFY(dialog);
    const QImage shown = dialog->findChild<QLabel *>(QStringLiteral("picIcon"))->pixmap().toImage();
    const QImage icon = QApplication::windowIcon().pixmap(24, 24).toImage();
    for (const QImage &image : {shown, icon}) {
        QCOMPARE(image.size(), QSize(24, 24));
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                QVERIFY2(image.pixelColor(x, y) == colour(rows[y][x]),
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
    }
}

// Closing the main window leaves the dialog, and the program, running until
// the dialog is closed too.
void AboutTest::runsUntilTheLastWindowCloses()
{
    QPointer<frmAbout> dialog = clickAbout();
    QVERIFY(dialog);
    bool runningWithDialogAlone = false;
    QTimer::singleShot(0, m_form.get(), [&] { m_form->close(); });
    QTimer::singleShot(100, dialog, [&] {
        runningWithDialogAlone = !m_form->isVisible() && dialog->isVisible();
        dialog->close();
    });
    QTimer failsafe;
    failsafe.callOnTimeout([] { QApplication::exit(1); });
    failsafe.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(runningWithDialogAlone);
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tuvo::prepareApplication(application);
    AboutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "about_test.moc"
