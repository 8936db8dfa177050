#include "app/form1.h"
#include "app/startup.h"
#include "ui/window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const tuvo::CommandLine commandLine = tuvo::startBeforeQt(argc, argv);
    if (commandLine.answered)
        return *commandLine.answered;
    QApplication application(argc, argv);
    if (const auto refused = tuvo::startWithQt(application))
        return *refused;
    tuvo::Form1 form1;
    if (!commandLine.positionGiven)
        tuvo::centreOnScreen(&form1);
    form1.show();
    return application.exec();
}
