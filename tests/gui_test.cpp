// The main window through its real widgets, on the offscreen platform.

#include "app/application.h"
#include "app/form1.h"
#include "app/pictures.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

class GuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithItsDesign();
    void drawsTheBackground();
    void placesEachControl_data();
    void placesEachControl();
    void filtersTypedCharacters_data();
    void filtersTypedCharacters();
    void filtersInputMethodText();
    void clearButtonsEmptyTheirField();
    void arrowsConvert();
    void keepsTheCaretOfAnUnchangedField();
    void answersPastedText_data();
    void answersPastedText();
    void speaksFrenchInTheContextMenu();
    void namesPictureButtonsForScreenReaders_data();
    void namesPictureButtonsForScreenReaders();

private:
    template <typename T>
    T *control(const char *name) const
    {
        T *found = m_form->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit *text1() const { return control<QLineEdit>("Text1"); }
    QLineEdit *text2() const { return control<QLineEdit>("Text2"); }

    std::unique_ptr<Form1> m_form;
};

void GuiTest::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void GuiTest::cleanup()
{
    m_form.reset();
}

void GuiTest::opensWithItsDesign()
{
    QCOMPARE(m_form->windowTitle(),
             QStringLiteral("    Cliquer sur une flèche selon la conversion choisie"));
    QCOMPARE(m_form->size(), QSize(349, 202));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Tuvo"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(QApplication::windowIcon().pixmap(24, 24).size(), QSize(24, 24));

    const QPoint screenCentre = m_form->screen()->availableGeometry().center();
    // Centred as well as a window can be before its frame is known.
    QVERIFY((m_form->frameGeometry().center() - screenCentre).manhattanLength() <= 8);

    QCOMPARE(text1()->text(), QStringLiteral("16"));
    QCOMPARE(text2()->text(), QStringLiteral("XVI"));
    QCOMPARE(m_form->focusWidget(), text1());
    for (const char *hidden : {"Label1", "Label2", "Label5"})
        QVERIFY2(!control<QLabel>(hidden)->isVisible(), hidden);
    QCOMPARE(control<QLabel>("Label3")->text(), QStringLiteral("Arabe (décimal)"));
    QCOMPARE(control<QLabel>("Label4")->text(), QStringLiteral("Romain"));
    QCOMPARE(control<QPushButton>("Command4")->text(), QStringLiteral("A propos"));
    QCOMPARE(text1()->palette().color(QPalette::Text), QColor(128, 0, 128));
    QCOMPARE(text1()->palette().color(QPalette::Base), QColor(224, 224, 224));
    QCOMPARE(text1()->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(QFontInfo(text1()->font()).family(), QStringLiteral("Liberation Sans"));
    QVERIFY(text1()->font().bold());

    // Tab order: Text1, Text2, Command1, Command2, Command4, Command3, Command5.
    QStringList order;
    for (QWidget *widget = text1(); order.size() < 8; widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus && widget->isVisible())
            order << widget->objectName();
    }
    QCOMPARE(order, (QStringList{"Text1", "Text2", "Command1", "Command2", "Command4", "Command3",
                                 "Command5", "Text1"}));
}

// The background is drawn unscaled from the top-left corner: the window shows
// its pixels wherever no control covers them.
void GuiTest::drawsTheBackground()
{
    const QImage shown = m_form->grab().toImage();
    const QImage picture = pictures::background().toImage();
    QCOMPARE(picture.size(), QSize(350, 203));
    for (const QPoint point : {QPoint(0, 0), QPoint(348, 201), QPoint(175, 60), QPoint(300, 10)})
        QCOMPARE(shown.pixelColor(point), picture.pixelColor(point));
    QVERIFY(picture.pixelColor(175, 60) != picture.pixelColor(0, 0)); // a picture, not a fill
}

void GuiTest::placesEachControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    // The design's twips divided by 15.
    QTest::newRow("Text1") << "Text1" << QRect(13, 144, 121, 23);
    QTest::newRow("Text2") << "Text2" << QRect(200, 144, 137, 23);
    QTest::newRow("Command1") << "Command1" << QRect(155, 160, 27, 28);
    QTest::newRow("Command2") << "Command2" << QRect(155, 128, 27, 28);
    QTest::newRow("Command4") << "Command4" << QRect(16, 8, 57, 17);
    QTest::newRow("Label3") << "Label3" << QRect(24, 128, 105, 17);
    QTest::newRow("Label4") << "Label4" << QRect(224, 128, 97, 17);
    QTest::newRow("Command3") << "Command3" << QRect(67, 176, 15, 15);
    QTest::newRow("Command5") << "Command5" << QRect(264, 176, 15, 15);
}

void GuiTest::placesEachControl()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QCOMPARE(control<QWidget>(name.toLatin1().constData())->geometry(), rect);
}

void GuiTest::filtersTypedCharacters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("expected");

    auto typed = [](const QString &text) {
        QTestEventList keys;
        keys.addKeyClick(Qt::Key_End);
        keys.addKeyClicks(text);
        return keys;
    };
    auto withCtrl = [](char letter) {
        QTestEventList keys;
        keys.addKeyClick(Qt::Key_Home);
        keys.addKeyClick(Qt::Key_End, Qt::ShiftModifier);
        keys.addKeyClick(letter, Qt::ControlModifier);
        keys.addKeyClick(Qt::Key_End);
        keys.addKeyClicks("1");
        return keys;
    };

    QTest::newRow("Text1 takes digits") << "Text1" << typed("7") << "167";
    QTest::newRow("Text1 refuses the rest") << "Text1" << typed("a-. +") << "16";
    QTest::newRow("Text1 mixed") << "Text1" << typed("x2y0") << "1620";
    QTest::newRow("Text2 takes letters as typed") << "Text2" << typed("mxI") << "XVImxI";
    QTest::newRow("Text2 refuses the rest") << "Text2" << typed("A0N ") << "XVI";

    QTestEventList backspace;
    backspace.addKeyClick(Qt::Key_End);
    backspace.addKeyClick(Qt::Key_Backspace);
    QTest::newRow("backspace deletes") << "Text2" << backspace << "XV";

    QTestEventList deleteKey;
    deleteKey.addKeyClick(Qt::Key_Home);
    deleteKey.addKeyClick(Qt::Key_Delete);
    deleteKey.addKeyClicks("3");
    QTest::newRow("Home and Delete keep their roles") << "Text1" << deleteKey << "36";

    QTestEventList controls;
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        controls.addKeyClick(key);
    QTest::newRow("Enter and Escape are discarded") << "Text1" << controls << "16";

    // With the whole text selected: a cut or a paste would show; "1" lands at
    // the end instead.
    QTest::newRow("Ctrl+V pastes nothing") << "Text2" << withCtrl('v') << "XVI";
    QTest::newRow("Ctrl+X cuts nothing") << "Text1" << withCtrl('x') << "161";

    QTestEventList selectAll;
    selectAll.addKeyClick(Qt::Key_Home);
    selectAll.addKeyClick('a', Qt::ControlModifier);
    selectAll.addKeyClicks("1");
    QTest::newRow("Ctrl+A selects nothing") << "Text1" << selectAll << "116";

    QTestEventList undo;
    undo.addKeyClick(Qt::Key_End);
    undo.addKeyClicks("5");
    undo.addKeyClick('z', Qt::ControlModifier);
    QTest::newRow("Ctrl+Z undoes nothing") << "Text1" << undo << "165";

    QTestEventList altLetter;
    altLetter.addKeyClick(Qt::Key_End);
    altLetter.addKeyClick('m', Qt::AltModifier);
    QTest::newRow("Alt with a letter is discarded") << "Text2" << altLetter << "XVI";

    QTestEventList keypad;
    keypad.addKeyClick(Qt::Key_End);
    keypad.addKeyClick(Qt::Key_7, Qt::KeypadModifier);
    QTest::newRow("keypad digits pass") << "Text1" << keypad << "167";

    QTestEventList shiftInsert;
    shiftInsert.addKeyClick(Qt::Key_End);
    shiftInsert.addKeyClick(Qt::Key_Insert, Qt::ShiftModifier);
    QTest::newRow("Shift+Insert still pastes") << "Text2" << shiftInsert << "XVIpasted";
}

void GuiTest::filtersTypedCharacters()
{
    QFETCH(QString, field);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, expected);

    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QLineEdit *edit = control<QLineEdit>(field.toLatin1().constData());
    edit->setFocus();
    keys.simulate(edit);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(text1()->text() + text2()->text(),
             field == "Text1" ? expected + "XVI" : "16" + expected);
}

void GuiTest::filtersInputMethodText()
{
    text1()->setFocus();
    text1()->end(false);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("é7ü"));
    QApplication::sendEvent(text1(), &composed);
    QCOMPARE(text1()->text(), QStringLiteral("167"));

    text2()->end(false);
    QInputMethodEvent letters;
    letters.setCommitString(QStringLiteral("x"));
    QApplication::sendEvent(text2(), &letters);
    QCOMPARE(text2()->text(), QStringLiteral("XVIx"));
}

void GuiTest::clearButtonsEmptyTheirField()
{
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    QCOMPARE(text1()->text(), QString());
    QCOMPARE(text2()->text(), QStringLiteral("XVI"));
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    QCOMPARE(text1()->text(), QString());

    QTest::mouseClick(control<QPushButton>("Command5"), Qt::LeftButton);
    QCOMPARE(text2()->text(), QString());
    QCOMPARE(text1()->text(), QString());
}

void GuiTest::arrowsConvert()
{
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    QTest::keyClicks(text1(), QStringLiteral("1994"));
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(text1()->text(), QStringLiteral("1994"));
    QCOMPARE(text2()->text(), QStringLiteral("MCMXCIV"));
    QCOMPARE(control<QLabel>("Label2")->text(), QStringLiteral("4"));
    QVERIFY(!control<QLabel>("Label2")->isVisible());

    QTest::mouseClick(control<QPushButton>("Command5"), Qt::LeftButton);
    QTest::keyClicks(text2(), QStringLiteral("mcmxciv"));
    QCOMPARE(text2()->text(), QStringLiteral("mcmxciv"));
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(text1()->text(), QStringLiteral("1994"));
    QCOMPARE(text2()->text(), QStringLiteral("MCMXCIV"));
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("V"));

    // Enter in a field clicks nothing.
    text1()->setText(QStringLiteral("12"));
    QTest::keyClick(text1(), Qt::Key_Return);
    QCOMPARE(text2()->text(), QStringLiteral("MCMXCIV"));
}

void GuiTest::keepsTheCaretOfAnUnchangedField()
{
    text1()->setText(QStringLiteral("1994"));
    text1()->setCursorPosition(2);
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    QCOMPARE(text2()->text(), QStringLiteral("MCMXCIV"));
    QCOMPARE(text1()->cursorPosition(), 2);
}

void GuiTest::answersPastedText_data()
{
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<bool>("roman");
    QTest::addColumn<QString>("after1");
    QTest::addColumn<QString>("after2");

    QTest::newRow("junk in Text1") << "1a2b" << "" << false << "Non conforme" << "";
    QTest::newRow("value above 3999") << "3999.5" << "" << false << "3999" << "MMMCMXCIX";
    QTest::newRow("blank after a numeral") << "" << "XIV " << true << "Non conforme" << "XIV ";
    QTest::newRow("accents upper-cased") << "" << "ivé" << true << "Non conforme" << "IVÉ";
    QTest::newRow("outside the BMP") << "" << "\U0001D4B3v" << true << "Non conforme"
                                     << "\U0001D4B3V";
    const QString longRoman(40000, QLatin1Char('m'));
    QTest::newRow("longer than 32767") << "" << longRoman << true << "Non conforme"
                                       << longRoman.toUpper();
    QTest::newRow("lone surrogate kept") << "" << QString(QChar(0xD800)) + "x" << true
                                         << "Non conforme" << QString(QChar(0xD800)) + "X";
}

void GuiTest::answersPastedText()
{
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(bool, roman);
    QFETCH(QString, after1);
    QFETCH(QString, after2);

    // setText() stands for a paste with the mouse, which no filter sees.
    this->text1()->setText(text1);
    this->text2()->setText(text2);
    QCOMPARE(this->text2()->text().size(), text2.size());
    QTest::mouseClick(control<QPushButton>(roman ? "Command1" : "Command2"), Qt::LeftButton);
    QCOMPARE(this->text1()->text(), after1);
    QCOMPARE(this->text2()->text(), after2);
}

// Pasting is done through this menu, since Ctrl+V is filtered out.
void GuiTest::speaksFrenchInTheContextMenu()
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                            text2()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(text2(), &event);
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    menu->close();
    QVERIFY2(entries.contains(QStringLiteral("Coller")), qPrintable(entries.join(", ")));
    QVERIFY(entries.contains(QStringLiteral("Copier")));
}

void GuiTest::namesPictureButtonsForScreenReaders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("Command1") << "Command1" << "Convertir en chiffres arabes";
    QTest::newRow("Command2") << "Command2" << "Convertir en chiffres romains";
    QTest::newRow("Command3") << "Command3" << "Effacer le nombre arabe";
    QTest::newRow("Command5") << "Command5" << "Effacer le nombre romain";
}

void GuiTest::namesPictureButtonsForScreenReaders()
{
    QFETCH(QString, name);
    QFETCH(QString, spoken);
    QPushButton *button = control<QPushButton>(name.toLatin1().constData());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), spoken);
    QVERIFY(button->toolTip().isEmpty());
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tuvo::prepareApplication(application);
    GuiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_test.moc"
