#include "app/application.h"
#include "app/form1.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (!tuvo::displayAvailable()) {
        std::fputs("Tuvo needs a graphical display, and neither DISPLAY nor WAYLAND_DISPLAY "
                   "is set.\n", stderr);
        return 1;
    }
    QApplication application(argc, argv);
    tuvo::prepareApplication(application);
    tuvo::closeOnTermination(application);
    Form1 form1;
    form1.show();
    return application.exec();
}
