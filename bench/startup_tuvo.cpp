// Opens Tuvo's main window exactly as the program does and quits at its
// first paint: a whole-process measure of start-up.

#include "app/application.h"
#include "app/form1.h"
#include "bench/firstpaint.h"

#include <QApplication>

using namespace tuvo;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tuvo::prepareApplication(application);
    Form1 form1;
    quitAtFirstPaint(form1);
    form1.show();
    return application.exec();
}
