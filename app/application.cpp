#include "app/application.h"

#include "ui/fonts.h"
#include "ui/temple.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace tuvo {

void prepareApplication(QApplication &application)
{
    QApplication::setApplicationName(QStringLiteral("Tuvo"));
    // Wayland compositors find the menu entry, and its icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral("fr.tuvo.tuvo"));
    QApplication::setWindowIcon(templeIcon());

    useDesignFaces();

    // The fields' context menu is how a user pastes: it speaks French too,
    // whatever the system's language.
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_fr"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace tuvo
