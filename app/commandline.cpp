#include "app/commandline.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

namespace tuvo {

namespace {

const char help[] = "Utilisation : tuvo [option]\n"
                    "Convertit les nombres de 1 à 3999 entre chiffres arabes et chiffres romains,\n"
                    "dans une fenêtre : on tape le nombre d'un côté et on clique sur la flèche\n"
                    "qui pointe vers l'autre.\n"
                    "\n"
                    "Options :\n"
                    "  -h, --help     affiche cette aide et quitte\n"
                    "  -v, --version  affiche la version et quitte\n";

void say(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int answerCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption(QStringList{"h", "help"});
    const QCommandLineOption versionOption(QStringList{"v", "version"});
    parser.addOptions({helpOption, versionOption});
    for (const char *qtOption : {"platform", "platformpluginpath", "platformtheme", "plugin",
                                 "display", "qwindowgeometry", "qwindowtitle", "qwindowicon",
                                 "style", "stylesheet", "session", "name"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(qtOption), {}, "value"));
    for (const char *qtFlag : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(qtFlag)));

    const bool parsed = parser.parse(arguments);
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString &name = unknown.constFirst();
        say(stderr,
            QStringLiteral("tuvo : option inconnue « %1%2 » ; tuvo --help donne la liste.\n")
                .arg(name.size() == 1 ? "-" : "--", name));
        return 2;
    }
    if (!parsed) {
        say(stderr, QStringLiteral("tuvo : une option de Qt attend une valeur, qui manque.\n"));
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        say(stderr, QStringLiteral("tuvo : argument inattendu « %1 » ; tuvo n'en prend aucun.\n")
                        .arg(parser.positionalArguments().constFirst()));
        return 2;
    }
    if (parser.isSet(helpOption)) {
        say(stdout, QString::fromUtf8(help));
        return 0;
    }
    if (parser.isSet(versionOption)) {
        say(stdout, QStringLiteral("Tuvo " TUVO_VERSION "\n"));
        return 0;
    }
    return -1;
}

} // namespace tuvo
