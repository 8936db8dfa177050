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
    QString number;
    if (const auto refused = tuvo::startWithQt(application, number))
        return *refused;
    tuvo::Form1 form1;
    if (!number.isEmpty())
        form1.typeAndConvert(number);
    if (!commandLine.positionGiven)
        tuvo::centreOnScreen(&form1);
    form1.show();
    return application.exec();
}
