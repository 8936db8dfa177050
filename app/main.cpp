#include "app/application.h"
#include "app/form1.h"
#include "app/startup.h"
#include "app/termination.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const int status = tuvo::answerHelpOrVersion(argc, argv); status >= 0)
        return status;
    tuvo::catchTermination();
    tuvo::useUtf8Characters();
    tuvo::preferXwaylandOnGnome(argc, argv);
    tuvo::holdMessagesUntilConnected();
    QApplication application(argc, argv);
    tuvo::releaseMessages();
    if (const int status = tuvo::refuseWhatQtLeft(application); status >= 0)
        return status;
    tuvo::prepareApplication(application);
    tuvo::closeOnTermination(application);
    tuvo::Form1 form1;
    form1.show();
    return application.exec();
}
