#include "app/application.h"
#include "app/form1.h"
#include "app/startup.h"
#include "app/termination.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const auto status = tuvo::answerHelpOrVersion(argc, argv))
        return *status;
    tuvo::catchTermination();
    tuvo::useUtf8Characters();
    tuvo::preferXwaylandOnGnome();
    tuvo::holdMessagesUntilConnected();
    QApplication application(argc, argv);
    tuvo::releaseMessages();
    if (const auto status = tuvo::refuseWhatQtLeft(application))
        return *status;
    tuvo::prepareApplication(application);
    tuvo::closeOnTermination(application);
    tuvo::Form1 form1;
    form1.show();
    return application.exec();
}
