#include "app/application.h"
#include "app/commandline.h"
#include "app/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const int status = tuvo::answerCommandLine(argc, argv); status >= 0)
        return status;
    tuvo::catchTermination();
    tuvo::preferXwaylandOnGnome(argc, argv);
    tuvo::holdMessagesUntilConnected();
    QApplication application(argc, argv);
    tuvo::releaseMessages();
    tuvo::prepareApplication(application);
    tuvo::closeOnTermination(application);
    Form1 form1;
    form1.show();
    return application.exec();
}
