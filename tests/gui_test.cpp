// Both windows through their real widgets, offscreen: what a user sees against
// reference pictures, and what no picture shows in tables in gui/.

#include "about/frmabout.h"
#include "app/application.h"
#include "app/form1.h"
#include "ui/window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QStyle>
#include <QTest>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <memory>

using namespace tuvo;

// The rows of a table in tests/gui/, one a line: a name, the steps ("; "
// between them), then what the test expects, tab-separated.
void addRows(const char *table)
{
    QFile file(QStringLiteral(TUVO_TABLE_DIR "/") + QLatin1String(table));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList columns = line.split('\t');
        if (!line.startsWith('#'))
            QTest::newRow(qPrintable(columns.at(0)))
                << columns.value(1).split(QStringLiteral("; "), Qt::SkipEmptyParts) << columns.mid(2);
    }
}

class GuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        open();
    }

    void cleanup()
    {
        delete control<frmAbout>("frmAbout");
        m_form.reset();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void looksAsDesigned_data() { addRows("pictures.txt"); }

    // Set TUVO_REMAKE_PICTURES to write the references instead, after a change
    // that is meant to show. A picture drawn for a screen of another density
    // has its own reference, "name@2x".
    void looksAsDesigned()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        if (QByteArray(QTest::currentDataTag()).endsWith("dark")) {
            QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35)));
            open(); // anew, as the program starts under a dark desktop
        }
        run(steps);
        QWidget *window = control<frmAbout>("frmAbout") ? control("frmAbout") : m_form.get();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString name = QTest::currentDataTag()
            + (drawn.devicePixelRatio() == 1 ? QString() : QStringLiteral("@%1x").arg(drawn.devicePixelRatio()));
        const QString reference = QStringLiteral(TUVO_REFERENCE_DIR "/%1.png").arg(name);
        if (qEnvironmentVariableIsSet("TUVO_REMAKE_PICTURES"))
            QVERIFY(drawn.save(reference));
        else if (drawn != QImage(reference).convertToFormat(QImage::Format_RGB32)) {
            drawn.save(name + ".png");
            QFAIL(qPrintable(QStringLiteral("%1 differs; as drawn: %2.png").arg(reference, name)));
        }

        // The focus order, from the control that has it as the window opens.
        const QStringList focus = expected.value(0).split(' ', Qt::SkipEmptyParts);
        QStringList seen;
        while (seen.size() < focus.size()) {
            seen << window->focusWidget()->objectName();
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, focus);
    }

    void usesTheMainWindow_data() { addRows("keys.txt"); }

    // What the fields hold, and what a screen reader is told: the notifications
    // shown, with their texts.
    void usesTheMainWindow()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        static QStringList heard;
        heard.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            QAccessibleInterface *shown = event->accessibleInterface();
            if (event->type() == QAccessible::ObjectShow && shown->role() == QAccessible::Notification)
                heard << shown->text(QAccessible::Name);
        });
        QPlatformAccessibility *reader = QGuiApplicationPrivate::platformIntegration()->accessibility();
        reader->setActive(true); // as a screen reader does when it starts listening
        run(steps);
        reader->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
        QCOMPARE(control<QLineEdit>("Text1")->text(), expected.value(0));
        QCOMPARE(control<QLineEdit>("Text2")->text(), expected.value(1));
        QCOMPARE(heard.join(QStringLiteral(" | ")), expected.value(2));
    }

private:
    // A window or control by its name, in any window, or null.
    template <typename T = QWidget>
    static T *control(const QString &name)
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *found = window->objectName() == name ? qobject_cast<T *>(window)
                                                           : window->findChild<T *>(name))
                return found;
        }
        return nullptr;
    }

    // The main window, opened as the program opens it.
    void open()
    {
        m_form = std::make_unique<Form1>();
        centreOnScreen(m_form.get());
        m_form->show();
        m_form->activateWindow(); // where no window manager does it
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    // Steps a user takes: "click NAME", "type FIELD TEXT", "paste FIELD TEXT"
    // (which no filter sees), "compose FIELD TEXT" (as dead keys and input
    // methods send it) and "press NAME KEYS" (keys as a shortcut is written,
    // "Ctrl+V" or "Num+Enter", with the focus there).
    void run(const QStringList &steps)
    {
        for (const QString &step : steps) {
            const QString verb = step.section(QLatin1Char(' '), 0, 0);
            QWidget *target = control(step.section(QLatin1Char(' '), 1, 1));
            const QString text = step.section(QLatin1Char(' '), 2);
            QVERIFY2(target, qPrintable(step));
            target->setFocus();
            if (verb == QLatin1String("click")) {
                QTest::mouseClick(target, Qt::LeftButton);
            } else if (verb == QLatin1String("type")) {
                QTest::keyClicks(target, text);
            } else if (verb == QLatin1String("paste")) {
                qobject_cast<QLineEdit *>(target)->setText(text);
            } else if (verb == QLatin1String("compose")) {
                QInputMethodEvent composed;
                composed.setCommitString(text);
                QApplication::sendEvent(target, &composed);
            } else {
                for (const QString &keys : text.split(QLatin1Char(' '))) {
                    const QKeyCombination key = QKeySequence::fromString(keys)[0];
                    if (key.key() != Qt::Key_Delete)
                        QTest::keyClick(target, key.key(), key.keyboardModifiers());
                    // Delete as X11 sends it, typing the DEL character.
                    for (const auto action : {QTest::Press, QTest::Release})
                        if (key.key() == Qt::Key_Delete)
                            QTest::sendKeyEvent(action, target, key.key(), QStringLiteral("\x7f"), {});
                }
            }
        }
    }

    std::unique_ptr<Form1> m_form;
};

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tuvo::prepareApplication(application);
    QApplication::setCursorFlashTime(0); // a caret that does not blink, for the pictures
    GuiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_test.moc"
