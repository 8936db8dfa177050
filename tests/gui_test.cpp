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
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <cmath>
#include <memory>

class GuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void looksAsDesigned_data();
    void looksAsDesigned();
    void usesTheMainWindow_data();
    void usesTheMainWindow();
    void speaksFrench();
    void rewritesOnlyWhatChanged();
    void closesTheAboutDialog_data();
    void closesTheAboutDialog();
    void runsUntilTheLastWindowCloses();

private:
    // A window or control by its name, in any window; null only where allowed.
    template <typename T = QWidget>
    static T *control(const QString &name, bool mayLack = false)
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *found = window->objectName() == name ? qobject_cast<T *>(window)
                                                           : window->findChild<T *>(name))
                return found;
        }
        if (!mayLack)
            qFatal("no control %s", qPrintable(name));
        return nullptr;
    }
    static frmAbout *aboutDialog() { return control<frmAbout>("frmAbout", true); }
    void run(const QStringList &steps);

    std::unique_ptr<Form1> m_form;
};

void GuiTest::init()
{
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    m_form = std::make_unique<Form1>();
    m_form->show();
    m_form->activateWindow(); // where no window manager does it
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void GuiTest::cleanup()
{
    delete aboutDialog();
    m_form.reset();
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(QApplication::style()->standardPalette());
}

QStringList split(const char *text, const char *separator)
{
    return QString::fromUtf8(text).split(QLatin1String(separator), Qt::SkipEmptyParts);
}

// The contrast of text on its background, as accessibility guidelines measure it.
double contrast(const QColor &a, const QColor &b)
{
    auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    auto luminance = [&](const QColor &c) {
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)}); // values, not references
    return (light + 0.05) / (dark + 0.05);
}

// Steps a user takes: "click NAME", "type FIELD TEXT", "paste FIELD TEXT" (which
// no filter sees), "compose FIELD TEXT" (as dead keys and input methods send
// it), "press NAME KEYS" (keys as a shortcut is written, "Ctrl+V" or
// "Num+Enter", with the focus there), "close WINDOW" (its close button) and
// "activate WINDOW".
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
        else if (verb == QLatin1String("press")) {
            for (const QString &keys : text.split(QLatin1Char(' '))) {
                const QKeyCombination key = QKeySequence::fromString(keys)[0];
                QTest::keyClick(target, key.key(), key.keyboardModifiers());
            }
        }
        else if (verb == QLatin1String("close"))
            target->close();
        else if (verb == QLatin1String("activate")) {
            target->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(target));
        }
        else if (verb == QLatin1String("compose")) {
            qobject_cast<QLineEdit *>(target)->end(false);
            QInputMethodEvent composed;
            composed.setCommitString(text);
            QApplication::sendEvent(target, &composed);
        }
        else
            qFatal("unknown step %s", qPrintable(step));
    }
}

void GuiTest::looksAsDesigned_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("focus"); // from the focused control on, as Tab moves it
    // Under a dark theme the design's colours stay, and only the system's follow it.
    static const char *const rows[][3] = {
        {"form1-opened", "", "Text1 Text2 Command1 Command2 Command4 Command3 Command5 Text1"},
        {"form1-1994", "click Command3; type Text1 1994; click Command2", ""},
        {"form1-nonconforme", "click Command5; type Text2 iiii; click Command1", ""},
        {"about", "click Command4", "cmdOK picIcon cmdOK"},
        {"form1-dark", "", ""},
        {"about-dark", "click Command4", ""},
        {"form1-windows-dark", "", ""},
    };
    for (const auto &[name, steps, focus] : rows)
        QTest::newRow(name) << split(steps, "; ") << split(focus, " ");
}

// Set TUVO_REMAKE_PICTURES to write the references instead, after a change
// that is meant to show.
void GuiTest::looksAsDesigned()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, focus);
    const QByteArray tag = QTest::currentDataTag();
    if (tag.contains("windows"))
        QApplication::setStyle(QStringLiteral("Windows"));
    if (tag.endsWith("dark"))
        QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35)));
    run(steps);
    QWidget *window = aboutDialog() ? static_cast<QWidget *>(aboutDialog()) : m_form.get();
    QVERIFY(QTest::qWaitForWindowActive(window));

    QCOMPARE(window->windowTitle(),
             window == m_form.get()
                 ? QStringLiteral("    Cliquer sur une flèche selon la conversion choisie")
                 : QStringLiteral("À propos de Tuvo"));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
             Qt::WindowCloseButtonHint);
    const QPoint centre = window->screen()->availableGeometry().center();
    QVERIFY((window->frameGeometry().center() - centre).manhattanLength() <= 8);
    QCOMPARE(window->windowIcon().pixmap(QSize(24, 24), 1.0).toImage(), templePicture().toImage());
    const QPalette aPropos = control("Command4")->palette();
    QVERIFY(contrast(aPropos.color(QPalette::ButtonText), aPropos.color(QPalette::Button)) >= 4.5);

    const QImage actual = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = window->devicePixelRatioF();
    const QString reference =
        QStringLiteral(TUVO_REFERENCE_DIR "/%1%2.png")
            .arg(QTest::currentDataTag(), ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio));
    if (qEnvironmentVariableIsSet("TUVO_REMAKE_PICTURES")) {
        QVERIFY(actual.save(reference));
        return;
    }
    if (actual != QImage(reference).convertToFormat(QImage::Format_RGB32)) {
        const QString drawn = QDir::current().absoluteFilePath(QFileInfo(reference).fileName());
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

void GuiTest::usesTheMainWindow_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    // Name, steps separated by "; ", Text1 and Text2 at the end. The filters
    // let backspace and every digit, or every Roman letter, through.
    static const char *const rows[][4] = {
        {"Text1 takes", "press Text1 End Backspace Backspace; type Text1 0123456789",
         "0123456789", "XVI"},
        {"Text1 refuses", "type Text1 a-. +,eM", "16", "XVI"},
        {"Text2 takes", "press Text2 Backspace Backspace Backspace; type Text2 MDCLXVImdclxvi",
         "16", "MDCLXVImdclxvi"},
        {"Text2 refuses", "type Text2 A0N zj-", "16", "XVI"},
        {"composed", "compose Text1 é7üx; compose Text2 é7üx", "167", "XVIx"},
        {"Home and Delete", "press Text1 Home Del; type Text1 3", "36", "XVI"},
        {"Enter and Escape in a field", "press Text1 Backspace Return Num+Enter Esc", "1", "XVI"},
        {"Ctrl+V", "press Text2 Ctrl+V", "16", "XVI"},
        {"Ctrl+A, Ctrl+X", "press Text1 Ctrl+A Ctrl+X", "16", "XVI"},
        {"Ctrl+Z", "press Text1 Backspace Ctrl+Z", "1", "XVI"},
        {"Alt+M", "press Text2 Alt+M", "16", "XVI"},
        {"keypad digit", "press Text1 Num+7", "167", "XVI"},
        {"Shift+Insert pastes", "press Text2 Shift+Ins", "16", "XVIpasted"},
        {"left arrow", "click Command5; type Text2 mcmxciv; click Command1", "1994", "MCMXCIV"},
        {"clear both", "click Command5; click Command3; click Command5", "", ""},
        {"Return on an arrow", "paste Text1 1994; press Command2 Return", "1994", "MCMXCIV"},
        {"keypad Enter on an arrow", "paste Text2 ix; press Command1 Num+Enter", "9", "IX"},
        {"Return on a clear button", "press Command5 Return", "16", ""},
        {"history", "paste Text1 1994; click Command2; paste Text1 05; click Command2; "
                    "click Command2", "", ""},
        {"pasted junk", "paste Text1 1a2b; click Command2", "Non conforme", ""},
        {"outside the BMP", "paste Text2 \U0001D4B3v; click Command1", "Non conforme",
         "\U0001D4B3V"},
    };
    for (const auto &[name, steps, text1, text2] : rows)
        QTest::newRow(name) << split(steps, "; ") << text1 << text2;
    const QString surrogate(QChar(0xD800));
    QTest::newRow("lone surrogate") << QStringList{"paste Text2 " + surrogate + "x",
                                                   "click Command1"}
                                    << "Non conforme" << surrogate + "X";
    const QString longText(40000, QLatin1Char('m'));
    QTest::newRow("longer than 32767") << QStringList{"paste Text2 " + longText, "click Command1"}
                                       << "Non conforme" << longText.toUpper();
}

void GuiTest::usesTheMainWindow()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    run(steps);
    QCOMPARE(control<QLineEdit>("Text1")->text(), text1);
    QCOMPARE(control<QLineEdit>("Text2")->text(), text2);
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
    QVERIFY2(entries.contains("Coller") && entries.contains("Copier"), qPrintable(entries.join(',')));
    QCOMPARE(QFontInfo(menu->font()).family(), QStringLiteral("Liberation Sans"));

    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_form.get());
    QCOMPARE(window->role(), QAccessible::Window); // a frame, not a filler
    QCOMPARE(window->text(QAccessible::Name), m_form->windowTitle());
    QStringList spoken;
    run({"click Command4"});
    for (const char *name :
         {"Text1", "Text2", "Command1", "Command2", "Command3", "Command5", "picIcon"})
        spoken << QAccessible::queryAccessibleInterface(control(name))->text(QAccessible::Name);
    QCOMPARE(spoken, (QStringList{"Arabe (décimal)", "Romain", "Convertir en chiffres arabes",
                                  "Convertir en chiffres romains", "Effacer le nombre arabe",
                                  "Effacer le nombre romain", "Temple"}));
}

// A click rewrites only the fields it changed: assistive technology is told
// of those (text replaced, inserted into an empty field, or removed), and the
// other field keeps its caret.
void GuiTest::rewritesOnlyWhatChanged()
{
    static QStringList updated;
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        const QAccessible::Event type = event->type();
        if (type == QAccessible::TextUpdated || type == QAccessible::TextInserted
            || type == QAccessible::TextRemoved)
            updated << event->object()->objectName();
    });
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QStringList announced;
    for (const char *pasted : {"1994", "1a2b", "16"}) {
        run({QStringLiteral("paste Text1 ") + pasted});
        control<QLineEdit>("Text1")->setCursorPosition(1);
        updated.clear();
        run({"click Command2"});
        announced << updated.join(QLatin1Char('+')) + " caret "
                         + QString::number(control<QLineEdit>("Text1")->cursorPosition());
    }
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    QAccessible::installUpdateHandler(nullptr);
    QCOMPARE(announced, (QStringList{"Text2 caret 1", "Text1+Text2 caret 12", "Text2 caret 1"}));
}

void GuiTest::closesTheAboutDialog_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("OK") << "click cmdOK";
    QTest::newRow("Enter") << "press cmdOK Return";
    QTest::newRow("keypad Enter on the picture") << "press picIcon Num+Enter";
    QTest::newRow("Escape") << "press cmdOK Esc";
    QTest::newRow("close button") << "close frmAbout";
}

void GuiTest::closesTheAboutDialog()
{
    QFETCH(QString, step);
    run({"click Command4"});
    QPointer<frmAbout> dialog = aboutDialog();
    QVERIFY(dialog && !dialog->isModal() && !dialog->parentWidget());
    dialog->setWindowTitle(QStringLiteral("changed"));
    // A second click brings the same dialog forward, not loaded again, and the
    // main window stays usable meanwhile.
    run({"paste Text1 2009", "click Command2", "activate Form1", "click Command4"});
    QCOMPARE(aboutDialog(), dialog.data());
    QTRY_COMPARE(QApplication::activeWindow(), dialog.data());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("changed"));
    QCOMPARE(control<QLineEdit>("Text2")->text(), QStringLiteral("MMIX"));
    run({step});
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
    QTimer::singleShot(5000, m_form.get(), [] { QApplication::exit(1); }); // gone with the test
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
