// Tuvo's answers in the desktop's search, GNOME Shell's and KRunner's: a
// small program that D-Bus starts when a search asks, and that ends once
// searches stop. Its one argument is the program that a chosen result opens.

#include "search/providers.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("Utilisation : tuvo-search-provider PROGRAMME\n", stderr);
        return 2;
    }
    tuvo::registerSearchTypes();
    tuvo::SearchProvider provider(QString::fromLocal8Bit(argv[1]));
    new tuvo::GnomeShellSearch(&provider);
    new tuvo::KRunner(&provider);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/fr/tuvo/tuvo/SearchProvider"), &provider)
        || !bus.registerService(QStringLiteral("fr.tuvo.tuvo.SearchProvider"))) {
        std::fprintf(stderr, "tuvo-search-provider : %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    return application.exec();
}
