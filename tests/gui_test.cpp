// Both windows through their real widgets, offscreen, against reference pictures and the tables in gui/.

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

// A table's rows: a name, the steps ("; " between them), then what is expected, tab-separated.
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

// A window or control by its name, in any window, or null.
QWidget *control(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (QWidget *found = window->objectName() == name ? window : window->findChild<QWidget *>(name))
            return found;
    }
    return nullptr;
}

class GuiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        tuvo::prepareApplication(*qApp);
        QApplication::setCursorFlashTime(0); // a caret that does not blink, for the pictures
    }

    void init() // the main window, opened as the program opens it
    {
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        m_form = std::make_unique<tuvo::Form1>();
        tuvo::centreOnScreen(m_form.get());
        m_form->show();
        m_form->activateWindow(); // where no window manager does it
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void cleanup()
    {
        delete control(QStringLiteral("frmAbout"));
        m_form.reset();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void looksAsDesigned_data() { addRows("pictures.txt"); }

    // TUVO_REMAKE_PICTURES writes the references instead, after a change meant to show.
    void looksAsDesigned()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        if (QByteArray(QTest::currentDataTag()).endsWith("dark")) {
            QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35)));
            init(); // anew, as the program starts under a dark desktop
        }
        run(steps);
        QWidget *window = control(QStringLiteral("frmAbout")) ? control(QStringLiteral("frmAbout")) : m_form.get();
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

    // What the fields hold, and the notifications a screen reader is told.
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
        const auto text = [](const char *field) { return static_cast<QLineEdit *>(control(field))->text(); };
        QCOMPARE(QStringList({text("Text1"), text("Text2"), heard.join(" | ")}),
                 QStringList({expected.value(0), expected.value(1), expected.value(2)}));
    }

private:
    // "click NAME", "type FIELD TEXT", "paste FIELD TEXT" (unfiltered), "compose FIELD TEXT" (as an
    // input method sends it), "open Form1 NUMBER" and "press NAME KEYS" ("Ctrl+V Num+Enter", with the focus there).
    static void run(const QStringList &steps)
    {
        for (const QString &step : steps) {
            const QString verb = step.section(' ', 0, 0);
            const QString text = step.section(' ', 2);
            QWidget *target = control(step.section(' ', 1, 1));
            QVERIFY2(target, qPrintable(step));
            target->setFocus();
            QInputMethodEvent composed;
            composed.setCommitString(text);
            if (verb == "click")
                QTest::mouseClick(target, Qt::LeftButton);
            else if (verb == "type")
                QTest::keyClicks(target, text);
            else if (verb == "paste")
                static_cast<QLineEdit *>(target)->setText(text);
            else if (verb == "compose")
                QApplication::sendEvent(target, &composed);
            else if (verb == "open") // as tuvo NUMBER opens it
                static_cast<tuvo::Form1 *>(target)->typeAndConvert(text);
            for (const QString &keys : verb == "press" ? text.split(' ') : QStringList())
                QTest::keyClick(target, QKeySequence(keys)[0].key(), QKeySequence(keys)[0].keyboardModifiers());
        }
    }

    std::unique_ptr<tuvo::Form1> m_form;
};

QTEST_MAIN(GuiTest)

#include "gui_test.moc"
