// Both windows through their real widgets, on the offscreen platform. What a
// user sees is compared with reference pictures; what no picture shows (the
// filters, the clicks, titles, focus, the dialog's lifetime) is in tables.

#include "about/frmabout.h"
#include "about/temple.h"
#include "app/application.h"
#include "app/form1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

class GuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void looksAsDesigned_data();
    void looksAsDesigned();
    void filtersTypedCharacters_data();
    void filtersTypedCharacters();
    void filtersInputMethodText();
    void clicks_data();
    void clicks();
    void keepsTheCaretOfAnUnchangedField();
    void speaksFrench();
    void opensOneAboutDialog();
    void closesTheAboutDialog_data();
    void closesTheAboutDialog();
    void runsUntilTheLastWindowCloses();

private:
    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (T *found = window->findChild<T *>(name))
                return found;
        }
        qFatal("no control %s", qPrintable(name));
    }
    static frmAbout *aboutDialog();
    void run(const QStringList &steps);

    std::unique_ptr<Form1> m_form;
};

void GuiTest::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void GuiTest::cleanup()
{
    delete aboutDialog();
    m_form.reset();
}

frmAbout *GuiTest::aboutDialog()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<frmAbout *>(window))
            return dialog;
    }
    return nullptr;
}

// Steps a user takes: "click NAME", "type FIELD TEXT", "paste FIELD TEXT" (which
// no filter sees) and "return NAME" (Return pressed with the focus there).
void GuiTest::run(const QStringList &steps)
{
    for (const QString &step : steps) {
        const QString verb = step.section(QLatin1Char(' '), 0, 0);
        QWidget *target = control(step.section(QLatin1Char(' '), 1, 1));
        const QString text = step.section(QLatin1Char(' '), 2);
        target->setFocus();
        if (verb == QLatin1String("click"))
            QTest::mouseClick(target, Qt::LeftButton);
        else if (verb == QLatin1String("type"))
            QTest::keyClicks(target, text);
        else if (verb == QLatin1String("paste"))
            qobject_cast<QLineEdit *>(target)->setText(text);
        else if (verb == QLatin1String("return"))
            QTest::keyClick(target, Qt::Key_Return);
        else
            qFatal("unknown step %s", qPrintable(step));
    }
}

void GuiTest::looksAsDesigned_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("focus"); // from the focused control on, as Tab moves it
    const QString title = QStringLiteral("    Cliquer sur une flèche selon la conversion choisie");
    QTest::newRow("form1-opened") << QStringList() << title
                                  << QStringList{"Text1", "Text2", "Command1", "Command2",
                                                 "Command4", "Command3", "Command5", "Text1"};
    QTest::newRow("form1-1994") << QStringList{"click Command3", "type Text1 1994",
                                                "click Command2"} << title << QStringList();
    QTest::newRow("form1-nonconforme") << QStringList{"click Command5", "type Text2 iiii",
                                                       "click Command1"} << title << QStringList();
    QTest::newRow("about") << QStringList{"click Command4"} << QStringLiteral("À propos de Tuvo")
                           << QStringList{"cmdOK", "picIcon", "cmdOK"};
}

// Set TUVO_REMAKE_PICTURES to write the references instead, after a change
// that is meant to show.
void GuiTest::looksAsDesigned()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, title);
    QFETCH(QStringList, focus);
    run(steps);
    QWidget *window = aboutDialog() ? static_cast<QWidget *>(aboutDialog()) : m_form.get();
    QVERIFY(QTest::qWaitForWindowActive(window));

    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
    const QPoint centre = window->screen()->availableGeometry().center();
    QVERIFY((window->frameGeometry().center() - centre).manhattanLength() <= 8);
    QCOMPARE(window->windowIcon().pixmap(24, 24).toImage(), templePicture().toImage());

    const QImage actual = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString reference =
        QStringLiteral(TUVO_REFERENCE_DIR "/%1.png").arg(QTest::currentDataTag());
    if (qEnvironmentVariableIsSet("TUVO_REMAKE_PICTURES")) {
        QVERIFY(actual.save(reference));
        return;
    }
    if (actual != QImage(reference).convertToFormat(QImage::Format_RGB32)) {
        const QString drawn =
            QDir::current().absoluteFilePath(QTest::currentDataTag() + QStringLiteral(".actual.png"));
        actual.save(drawn);
        QFAIL(qPrintable(QStringLiteral("the window differs from %1; as drawn: %2")
                             .arg(reference, drawn)));
    }

    QStringList seen;
    while (seen.size() < focus.size()) {
        seen << window->focusWidget()->objectName();
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(seen, focus);
}

void GuiTest::filtersTypedCharacters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("expected");

    auto keys = [](QList<Qt::Key> keys, const QString &typed = {},
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTestEventList list;
        for (Qt::Key key : keys)
            list.addKeyClick(key, key == Qt::Key_Insert ? modifiers : Qt::NoModifier);
        list.addKeyClicks(typed, modifiers);
        return list;
    };
    const auto backspace = Qt::Key_Backspace;
    QTest::newRow("Text1 takes backspace and the digits")
        << "Text1" << keys({Qt::Key_End, backspace, backspace}, "0123456789") << "0123456789";
    QTest::newRow("Text1 refuses the rest") << "Text1" << keys({Qt::Key_End}, "a-. +,eM") << "16";
    QTest::newRow("Text2 takes backspace and the letters")
        << "Text2" << keys({Qt::Key_End, backspace, backspace, backspace}, "MDCLXVImdclxvi")
        << "MDCLXVImdclxvi";
    QTest::newRow("Text2 refuses the rest") << "Text2" << keys({Qt::Key_End}, "A0N zj-") << "XVI";
    QTest::newRow("Home and Delete keep their roles")
        << "Text1" << keys({Qt::Key_Home, Qt::Key_Delete}, "3") << "36";
    QTest::newRow("Enter and Escape type nothing")
        << "Text1" << keys({Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) << "16";
    QTest::newRow("Ctrl+V pastes nothing") << "Text2" << keys({Qt::Key_End}, "v", Qt::ControlModifier)
                                           << "XVI";
    QTest::newRow("Ctrl+X cuts nothing") << "Text1" << keys({Qt::Key_Home, Qt::Key_End}, "ax",
                                                            Qt::ControlModifier) << "16";
    QTest::newRow("Ctrl+Z undoes nothing")
        << "Text1" << keys({Qt::Key_Backspace, Qt::Key_End}, "z", Qt::ControlModifier) << "1";
    QTest::newRow("Alt with a letter") << "Text2" << keys({Qt::Key_End}, "m", Qt::AltModifier)
                                       << "XVI";
    QTest::newRow("keypad digits") << "Text1" << keys({Qt::Key_End}, "7", Qt::KeypadModifier)
                                   << "167";
    QTest::newRow("Shift+Insert still pastes")
        << "Text2" << keys({Qt::Key_End, Qt::Key_Insert}, {}, Qt::ShiftModifier) << "XVIpasted";
}

void GuiTest::filtersTypedCharacters()
{
    QFETCH(QString, field);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, expected);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    auto *edit = control<QLineEdit>(field);
    edit->setFocus();
    keys.simulate(edit);
    QCOMPARE(control<QLineEdit>("Text1")->text() + "|" + control<QLineEdit>("Text2")->text(),
             field == "Text1" ? expected + "|XVI" : "16|" + expected);
}

// Dead keys and compose sequences arrive as input-method text.
void GuiTest::filtersInputMethodText()
{
    for (const char *name : {"Text1", "Text2"}) {
        auto *edit = control<QLineEdit>(name);
        edit->setFocus();
        edit->end(false);
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("é7üx"));
        QApplication::sendEvent(edit, &composed);
    }
    QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("167"));
    QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("XVIx"));
}

void GuiTest::clicks_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::newRow("left arrow") << QStringList{"click Command5", "type Text2 mcmxciv",
                                               "click Command1"} << "1994" << "MCMXCIV";
    QTest::newRow("clear both") << QStringList{"click Command5", "click Command3", "click Command5"}
                                << "" << "";
    QTest::newRow("history") << QStringList{"paste Text1 1994", "click Command2", "paste Text1 05",
                                            "click Command2", "click Command2"} << "" << "";
    QTest::newRow("pasted junk") << QStringList{"paste Text1 1a2b", "click Command2"}
                                 << "Non conforme" << "";
    QTest::newRow("outside the BMP") << QStringList{"paste Text2 \U0001D4B3v", "click Command1"}
                                     << "Non conforme" << "\U0001D4B3V";
    const QString surrogate(QChar(0xD800));
    QTest::newRow("lone surrogate") << QStringList{"paste Text2 " + surrogate + "x",
                                                   "click Command1"}
                                    << "Non conforme" << surrogate + "X";
    const QString longText(40000, QLatin1Char('m'));
    QTest::newRow("longer than 32767") << QStringList{"paste Text2 " + longText, "click Command1"}
                                       << "Non conforme" << longText.toUpper();
}

void GuiTest::clicks()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    run(steps);
    QCOMPARE(control<QLineEdit>("Text1")->text(), text1);
    QCOMPARE(control<QLineEdit>("Text2")->text(), text2);
}

// A click rewrites only the field it changed, so the other keeps its caret.
void GuiTest::keepsTheCaretOfAnUnchangedField()
{
    auto *text1 = control<QLineEdit>("Text1");
    text1->setText(QStringLiteral("1994"));
    text1->setCursorPosition(2);
    QTest::mouseClick(control("Command2"), Qt::LeftButton);
    QCOMPARE(text1->cursorPosition(), 2);
}

// The context menu, through which a user pastes, and the names a screen reader says.
void GuiTest::speaksFrench()
{
    auto *text2 = control<QLineEdit>("Text2");
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                            text2->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(text2, &event);
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    menu->close();
    QVERIFY2(entries.contains("Coller") && entries.contains("Copier"), qPrintable(entries.join(",")));

    QStringList spoken;
    for (const char *name : {"Text1", "Text2", "Command1", "Command2", "Command3", "Command5"})
        spoken << QAccessible::queryAccessibleInterface(control(name))->text(QAccessible::Name);
    QCOMPARE(spoken, (QStringList{"Arabe (décimal)", "Romain", "Convertir en chiffres arabes",
                                  "Convertir en chiffres romains", "Effacer le nombre arabe",
                                  "Effacer le nombre romain"}));
}

// A second click brings the same dialog forward, unloaded; the main window
// stays usable meanwhile.
void GuiTest::opensOneAboutDialog()
{
    run({"click Command4"});
    frmAbout *first = aboutDialog();
    QVERIFY(first && !first->isModal() && !first->parentWidget());
    first->setWindowTitle(QStringLiteral("changed"));
    run({"click Command4", "paste Text1 2009", "click Command2"});
    QCOMPARE(aboutDialog(), first);
    QCOMPARE(first->windowTitle(), QStringLiteral("changed"));
    QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("MMIX"));
}

void GuiTest::closesTheAboutDialog_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("OK") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("close button") << -1;
}

void GuiTest::closesTheAboutDialog()
{
    QFETCH(int, key);
    run({"click Command4"});
    QPointer<frmAbout> dialog = aboutDialog();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    if (key > 0)
        QTest::keyClick(dialog->focusWidget(), Qt::Key(key));
    else if (key == 0)
        run({"click cmdOK"});
    else
        dialog->close();
    QTRY_VERIFY(dialog.isNull()); // unloaded, not just hidden
    QVERIFY(m_form->isVisible());
    run({"click Command4"});
    QCOMPARE(aboutDialog()->windowTitle(), QStringLiteral("À propos de Tuvo"));
}

// Closing the main window leaves the dialog, and the program, running until
// the dialog is closed too.
void GuiTest::runsUntilTheLastWindowCloses()
{
    run({"click Command4"});
    QPointer<frmAbout> dialog = aboutDialog();
    bool dialogAlone = false;
    QTimer::singleShot(0, m_form.get(), [&] { m_form->close(); });
    QTimer::singleShot(100, dialog, [&] {
        dialogAlone = !m_form->isVisible() && dialog->isVisible();
        dialog->close();
    });
    QTimer failsafe;
    failsafe.callOnTimeout([] { QApplication::exit(1); });
    failsafe.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(dialogAlone);
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tuvo::prepareApplication(application);
    QApplication::setCursorFlashTime(0); // a caret that does not blink, for the pictures
    GuiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_test.moc"
