// tuvo-screenshot: writes pictures of Tuvo's windows as a user sees them,
// for the README. Usage: tuvo-screenshot FOLDER (run under a display, or Xvfb).

#include "app/application.h"
#include "app/form1.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

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
    return form1.grab().save(folder.filePath(QStringLiteral("main-window.png"))) ? 0 : 1;
}
