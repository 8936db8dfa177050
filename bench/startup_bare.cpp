// The bare Qt window to compare Tuvo's start-up with: the same size, two
// fields and three buttons, no pictures, fonts or resources; it quits at its
// first paint.

#include "bench/firstpaint.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(349, 202);
    (new QLineEdit(QStringLiteral("16"), &window))->setGeometry(13, 144, 121, 23);
    (new QLineEdit(QStringLiteral("XVI"), &window))->setGeometry(200, 144, 137, 23);
    (new QPushButton(&window))->setGeometry(155, 128, 27, 28);
    (new QPushButton(&window))->setGeometry(155, 160, 27, 28);
    (new QPushButton(QStringLiteral("A propos"), &window))->setGeometry(16, 8, 57, 17);
    quitAtFirstPaint(window);
    window.show();
    return application.exec();
}
