// Both windows through their real widgets, offscreen: what a user sees against
// reference pictures, what no picture shows in tables, most of them in gui/.

#include "about/frmabout.h"
#include "app/accessibility.h"
#include "app/application.h"
#include "app/form1.h"
#include "app/startup.h"
#include "ui/window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QColorSpace>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include <QtGui/private/qfont_p.h>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <numeric>
#include <thread>
#include <vector>

using namespace tuvo;

// A screen reader, listening while it lives once told to, hears the events
// that its handler is given.
class ScreenReader
{
public:
    explicit ScreenReader(QAccessible::UpdateHandler heard, bool listening = true)
    {
        QAccessible::installUpdateHandler(heard);
        listen(listening);
    }
    ~ScreenReader()
    {
        listen(false);
        QAccessible::installUpdateHandler(nullptr);
    }
    void listen(bool on) { QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on); }
};

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
        delete aboutDialog();
        m_form.reset();
        QFont::removeSubstitutions(QStringLiteral("Arial"));
        QFontCache::instance()->clear();
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void looksAsDesigned_data()
    {
        addRows("pictures.txt");
    }

    void looksAsDesigned()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        const QStringList focus = expected.value(0).split(' ', Qt::SkipEmptyParts);
        const QByteArray tag = QTest::currentDataTag();
        if (tag.contains("windows"))
            QApplication::setStyle(QStringLiteral("Windows"));
        if (tag.endsWith("dark"))
            QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35)));
        if (tag.endsWith("arial")) {
            QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Serif"));
            QFontCache::instance()->clear(); // faces already found are looked up again
        }
        open(); // anew, as the program starts under that theme
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
        // Placed once, and nothing left behind that watches the window.
        QTRY_VERIFY(std::ranges::all_of(window->children(),
                                        [](const QObject *child) { return child->isWidgetType(); }));

        comparePicture(window->grab().toImage(), QTest::currentDataTag());
        if (QTest::currentTestFailed())
            return;

        QStringList seen;
        while (seen.size() < focus.size()) {
            seen << window->focusWidget()->objectName();
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, focus);
    }

    // The icon at the sizes desktops ask for, side by side: title bars, task
    // switchers and menus take it at 16 to 128 pixels.
    void drawsTheIcon()
    {
        const QIcon icon = m_form->windowIcon();
        const int sizes[] = {16, 22, 24, 32, 48, 64, 96, 128};
        QImage strip(16 + 22 + 24 + 32 + 48 + 64 + 96 + 128, 128, QImage::Format_ARGB32);
        strip.fill(Qt::transparent);
        QPainter painter(&strip);
        int x = 0;
        for (const int size : sizes) {
            painter.drawPixmap(x, 0, icon.pixmap(QSize(size, size), 1.0));
            x += size;
        }
        painter.end();
        comparePicture(strip, QStringLiteral("icon"));
    }

    void usesTheMainWindow_data()
    {
        addRows("keys.txt");
        const QString surrogate(QChar(0xD800));
        QTest::newRow("lone surrogate") << QStringList{"paste Text2 " + surrogate + "x",
                                                       "click Command1"}
                                        << QStringList{"Non conforme", surrogate + "X"};
        const QString longText(40000, QLatin1Char('m'));
        QTest::newRow("longer than 32767") << QStringList{"paste Text2 " + longText, "click Command1"}
                                           << QStringList{"Non conforme", longText.toUpper()};
    }

    void usesTheMainWindow()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        run(steps);
        QCOMPARE(control<QLineEdit>("Text1")->text(), expected.value(0));
        QCOMPARE(control<QLineEdit>("Text2")->text(), expected.value(1));
    }

    // The context menu, through which a user pastes, in the design's default face,
    // and the names a screen reader says.
    void speaksFrench()
    {
        auto *text2 = control<QLineEdit>("Text2");
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                text2->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(text2, &event);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        QWidget *menu = QApplication::activePopupWidget();
        comparePicture(menu->grab().toImage(), QStringLiteral("menu"));
        menu->close();

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
    void rewritesOnlyWhatChanged()
    {
        static QStringList updated;
        const ScreenReader reader([](QAccessibleEvent *event) {
            const QAccessible::Event type = event->type();
            if (type == QAccessible::TextUpdated || type == QAccessible::TextInserted
                || type == QAccessible::TextRemoved)
                updated << event->object()->objectName();
        });
        QStringList announced;
        for (const char *pasted : {"1994", "1a2b", "16"}) {
            run({QStringLiteral("paste Text1 ") + pasted});
            control<QLineEdit>("Text1")->setCursorPosition(1);
            updated.clear();
            run({"click Command2"});
            announced << updated.join(QLatin1Char('+')) + " caret "
                             + QString::number(control<QLineEdit>("Text1")->cursorPosition());
        }
        QCOMPARE(announced, (QStringList{"Text2 caret 1", "Text1+Text2 caret 12", "Text2 caret 1"}));
    }

    void announcesTheAnswer_data()
    {
        addRows("announcements.txt");
    }

    // What the main window tells a screen reader after a click: the notification
    // shown, with its text. Nothing is said while no screen reader listens.
    void announcesTheAnswer()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        static QStringList heard;
        heard.clear();
        ScreenReader reader([](QAccessibleEvent *event) {
            QAccessibleInterface *shown = event->accessibleInterface();
            if (event->type() == QAccessible::ObjectShow && shown->role() == QAccessible::Notification)
                heard << shown->text(QAccessible::Name);
        }, false);
        run({"paste Text1 1994", "click Command2"});
        QCOMPARE(heard, QStringList());
        QCOMPARE(m_form->findChildren<Announcement *>().size(), 0);
        reader.listen(true);
        run(steps);
        QCOMPARE(heard.join(QStringLiteral(" | ")), expected.value(0));
    }

    // The fields as assistive technology reads them where Qt's own line edit
    // would not do, Text1 holding "1994": one answer per call, after the call.
    void describesTheFields()
    {
        using Text = QAccessibleTextInterface;
        const QList<std::tuple<QString, std::function<QString(Text *)>, QString>> rows = {
            {"one run of attributes", [](Text *text) {
                 int start = -1;
                 int end = -1;
                 const QString attributes = text->attributes(2, &start, &end);
                 return attributes + QStringLiteral("%1-%2").arg(start).arg(end);
             }, "0-4"},
            // In a text longer than the field shows, the part asked for comes into view.
            {"scrolled to", [](Text *text) {
                 control<QLineEdit>("Text1")->setText(QString(80, QLatin1Char('7')) + "1994");
                 control<QLineEdit>("Text1")->setCursorPosition(0);
                 QWidget *text1 = control("Text1");
                 text1->repaint();
                 text->scrollToSubstring(80, 84);
                 text1->repaint();
                 const QRect shown(text1->mapToGlobal(QPoint()), text1->size());
                 return QString::number(text->cursorPosition())
                     + (shown.contains(text->characterRect(83)) ? " shown" : " hidden");
             }, "80 shown"},
            // Each character's box holds the character in its left half, left to right,
            // and the one after the text has none.
            {"character boxes", [](Text *text) {
                 QStringList found;
                 for (int offset = 0; offset < 4; ++offset) {
                     const QRect box = text->characterRect(offset);
                     const QRect before = text->characterRect(offset - 1);
                     if (box.width() > 3 && (offset == 0 || box.left() >= before.right()))
                         found << QString::number(
                             text->offsetAtPoint(QPoint(box.left() + box.width() / 4, box.center().y())));
                 }
                 return found.join(QLatin1Char(' ')) + (text->characterRect(4).isNull() ? "." : "?");
             }, "0 1 2 3."},
        };
        for (const auto &[name, call, expected] : rows) {
            auto *text1 = control<QLineEdit>("Text1");
            text1->setText(QStringLiteral("1994"));
            text1->setCursorPosition(4);
            const QString answer = call(QAccessible::queryAccessibleInterface(text1)->textInterface());
            QVERIFY2(answer == expected, qPrintable(name + QStringLiteral(": ") + answer));
        }

        // Its context menu, with which a user pastes, is told; everything else as
        // Qt's own line edit answers it, with a selection and without.
        QVERIFY(QAccessible::queryAccessibleInterface(control("Text1"))->state().hasPopup);
        const auto answers = [](QLineEdit *edit, int selected) {
            edit->setText(QStringLiteral("1994"));
            edit->setSelection(1, selected);
            QAccessibleInterface *field = QAccessible::queryAccessibleInterface(edit);
            Text *text = field->textInterface();
            const QAccessible::State state = field->state();
            QStringList seen = {field->text(QAccessible::Value), text->text(1, 3) + text->text(3, 1),
                                QString::number(state.editable + 2 * state.selectableText),
                                QString::number(text->selectionCount())};
            for (int index : {0, 1}) {
                int start = -1;
                int end = -1;
                text->selection(index, &start, &end);
                seen << QStringLiteral("%1-%2").arg(start).arg(end);
            }
            text->removeSelection(1);
            seen << edit->selectedText();
            text->removeSelection(0);
            text->addSelection(0, 2);
            text->setSelection(1, 2, 3);
            seen << edit->selectedText();
            text->setCursorPosition(3);
            seen << QString::number(text->cursorPosition());
            field->editableTextInterface()->replaceText(0, 1, QStringLiteral("2"));
            field->editableTextInterface()->insertText(4, QStringLiteral("5"));
            field->editableTextInterface()->deleteText(1, 2);
            field->setText(QAccessible::Description, QStringLiteral("x"));
            seen << edit->text();
            field->setText(QAccessible::Value, QStringLiteral("7"));
            return seen.join(QLatin1Char(' ')) + ' ' + edit->text();
        };
        QLineEdit plain;
        for (int selected : {2, 0})
            QCOMPARE(answers(control<QLineEdit>("Text1"), selected), answers(&plain, selected));
    }

    void closesTheAboutDialog_data()
    {
        addRows("closing.txt");
    }

    void closesTheAboutDialog()
    {
        QFETCH(QStringList, steps);
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
        run(steps);
        QTRY_VERIFY(dialog.isNull()); // unloaded, not just hidden
        QVERIFY(m_form->isVisible());
        run({"click Command4"});
        QCOMPARE(aboutDialog()->windowTitle(), QStringLiteral("À propos de Tuvo"));
    }

    // A window that no window manager frames is watched until a little after its
    // first paint, and given every event meanwhile.
    void stopsWatchingAnUnframedWindow()
    {
        struct Painted : QWidget
        {
            int paints = 0;
            void paintEvent(QPaintEvent *) override { ++paints; }
        } window;
        m_form->hide(); // whose frame would tell this window's
        window.setWindowFlag(Qt::FramelessWindowHint);
        centreOnScreen(&window);
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(window.paints > 0, 1000);
        QCOMPARE(window.children().size(), 1); // the watch
        QTRY_VERIFY_WITH_TIMEOUT(window.children().isEmpty(), 8000);
    }

    // Qt's messages held while it starts, whatever thread sends them, are all
    // passed on once released, in the order they came, those on their way at that
    // moment too; then Qt's handler is the one before again.
    void passesOnEveryHeldMessage()
    {
        static std::vector<int> passed; // by one thread at a time
        const QtMessageHandler inOrder = [](QtMsgType, const QMessageLogContext &, const QString &text) {
            passed.push_back(text.toInt());
        };
        // Round after round: whether a message is on its way at the release is
        // a matter of timing.
        for (int round = 0; round < 20; ++round) {
            passed.clear();
            const QtMessageHandler previous = qInstallMessageHandler(inOrder);
            holdMessagesUntilConnected();
            std::atomic<bool> sending = true;
            std::atomic<int> sent = 0;
            std::thread sender([&] {
                for (; sending; ++sent)
                    qInfo("%d", sent.load());
            });
            while (sent < 1000)
                std::this_thread::yield();
            releaseMessages();
            sending = false;
            sender.join();
            qInfo("%d", sent.load());
            QVERIFY(qInstallMessageHandler(previous) == inOrder); // Qt's handler again
            std::vector<int> expected(sent + 1);
            std::iota(expected.begin(), expected.end(), 0);
            QCOMPARE(passed, expected);
        }
    }

    // The character set is UTF-8 when the locale gives none: a locale whose
    // characters are UTF-8 is left as it is, and so is one that LC_ALL sets.
    void takesTheCharactersAsUtf8_data()
    {
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QByteArray>("all");
        QTest::addColumn<QByteArray>("ctype");
        QTest::newRow("no locale") << QByteArray() << QByteArray() << QByteArray("C.UTF-8");
        QTest::newRow("C") << QByteArray("C") << QByteArray() << QByteArray("C.UTF-8");
        QTest::newRow("UTF-8, another spelling") << QByteArray("C.utf8") << QByteArray() << QByteArray();
        QTest::newRow("LC_ALL") << QByteArray() << QByteArray("C") << QByteArray();
    }

    void takesTheCharactersAsUtf8()
    {
        QFETCH(QByteArray, lang);
        QFETCH(QByteArray, all);
        QFETCH(QByteArray, ctype);
        const QByteArray saved[] = {qgetenv("LANG"), qgetenv("LC_ALL"), qgetenv("LC_CTYPE")};
        const auto set = [](const char *name, const QByteArray &value) {
            value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
        };
        set("LANG", lang);
        set("LC_ALL", all);
        set("LC_CTYPE", QByteArray());
        useUtf8Characters();
        const QByteArray chosen = qgetenv("LC_CTYPE");
        set("LANG", saved[0]);
        set("LC_ALL", saved[1]);
        set("LC_CTYPE", saved[2]);
        QCOMPARE(chosen, ctype);
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
    static frmAbout *aboutDialog() { return control<frmAbout>("frmAbout"); }

    // The main window, opened as the program opens it.
    void open()
    {
        m_form = std::make_unique<Form1>();
        centreOnScreen(m_form.get());
        m_form->show();
        m_form->activateWindow(); // where no window manager does it
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    // Set TUVO_REMAKE_PICTURES to write the reference instead, after a change
    // that is meant to show. Pixels are compared in one format, whatever the
    // file's colour space or other metadata. A picture drawn for a screen of
    // another density has its own reference, "name@2x".
    static void comparePicture(const QImage &drawn, const QString &given)
    {
        const qreal ratio = drawn.devicePixelRatio();
        const QString name = given + (ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio));
        const auto pixels = [](QImage image) {
            image.setColorSpace(QColorSpace());
            return image.convertToFormat(QImage::Format_RGB32);
        };
        const QString reference = QStringLiteral(TUVO_REFERENCE_DIR "/%1.png").arg(name);
        if (qEnvironmentVariableIsSet("TUVO_REMAKE_PICTURES")) {
            QVERIFY(pixels(drawn).save(reference));
            return;
        }
        if (pixels(drawn) != pixels(QImage(reference))) {
            const QString asDrawn = QDir::current().absoluteFilePath(name + QStringLiteral(".png"));
            drawn.save(asDrawn);
            QFAIL(qPrintable(QStringLiteral("the picture differs from %1; as drawn: %2")
                                 .arg(reference, asDrawn)));
        }
    }

    // Steps a user takes: "click NAME", "type FIELD TEXT", "paste FIELD TEXT" (which
    // no filter sees), "compose FIELD TEXT" (as dead keys and input methods send
    // it), "key FIELD TEXT" (one key that types several characters, as a compose
    // sequence may), "press NAME KEYS" (keys as a shortcut is written, "Ctrl+V"
    // or "Num+Enter", with the focus there), "close WINDOW" (its close button)
    // and "activate WINDOW".
    void run(const QStringList &steps)
    {
        for (const QString &step : steps) {
            const QString verb = step.section(QLatin1Char(' '), 0, 0);
            QWidget *target = control(step.section(QLatin1Char(' '), 1, 1));
            const QString text = step.section(QLatin1Char(' '), 2);
            if (!target)
                QFAIL(qPrintable(QStringLiteral("no control in step: ") + step));
            target->setFocus();
            if (verb == QLatin1String("click"))
                QTest::mouseClick(target, Qt::LeftButton);
            else if (verb == QLatin1String("type"))
                QTest::keyClicks(target, text);
            else if (verb == QLatin1String("key"))
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text, Qt::NoModifier);
            else if (verb == QLatin1String("paste"))
                qobject_cast<QLineEdit *>(target)->setText(text);
            else if (verb == QLatin1String("press")) {
                for (const QString &keys : text.split(QLatin1Char(' '))) {
                    const QKeyCombination key = QKeySequence::fromString(keys)[0];
                    if (key.key() != Qt::Key_Delete) {
                        QTest::keyClick(target, key.key(), key.keyboardModifiers());
                        continue;
                    }
                    // Delete as X11 sends it, typing the DEL character.
                    for (const auto action : {QTest::Press, QTest::Release})
                        QTest::sendKeyEvent(action, target, key.key(), QStringLiteral("\x7f"),
                                            key.keyboardModifiers());
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
                QFAIL(qPrintable(QStringLiteral("unknown step: ") + step));
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
