// tuvo-screenshot: writes pictures of the main window and the About dialog
// as a user sees them, for the README.
// Usage: tuvo-screenshot FOLDER (under a display, or Xvfb).

#include "app/application.h"
#include "app/form1.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <cstdio>

using namespace tuvo;

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: tuvo-screenshot FOLDER\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    tuvo::prepareApplication(application);
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    Form1 form1;
    form1.show();
    if (!QTest::qWaitForWindowExposed(&form1))
        return 1;
    QTest::qWait(200); // let the first paint settle
    if (!form1.grab().save(folder.filePath(QStringLiteral("main-window.png"))))
        return 1;

    QTest::mouseClick(form1.findChild<QPushButton *>(QStringLiteral("Command4")), Qt::LeftButton);
    QWidget *about = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("frmAbout"))
            about = window;
    }
    if (!about || !QTest::qWaitForWindowExposed(about))
        return 1;
    QTest::qWait(200);
    return about->grab().save(folder.filePath(QStringLiteral("about.png"))) ? 0 : 1;
}
