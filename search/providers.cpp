#include "search/providers.h"

#include "search/answers.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QProcess>

#include <chrono>

namespace tuvo {

namespace {

const QString icon = QStringLiteral("tuvo");

} // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const RemoteMatch &match)
{
    argument.beginStructure();
    argument << match.id << match.text << match.iconName << match.type << match.relevance
             << match.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, RemoteMatch &match)
{
    argument.beginStructure();
    argument >> match.id >> match.text >> match.iconName >> match.type >> match.relevance
        >> match.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const RemoteAction &action)
{
    argument.beginStructure();
    argument << action.id << action.text << action.iconName;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, RemoteAction &action)
{
    argument.beginStructure();
    argument >> action.id >> action.text >> action.iconName;
    argument.endStructure();
    return argument;
}

void registerSearchTypes()
{
    qDBusRegisterMetaType<QList<QVariantMap>>();
    qDBusRegisterMetaType<RemoteMatch>();
    qDBusRegisterMetaType<QList<RemoteMatch>>();
    qDBusRegisterMetaType<RemoteAction>();
    qDBusRegisterMetaType<QList<RemoteAction>>();
}

// Like its peers, gone some seconds after the last search; D-Bus starts it
// again for the next.
SearchProvider::SearchProvider(QString program)
    : m_program(std::move(program))
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(std::chrono::seconds(15));
    connect(&m_idle, &QTimer::timeout, QCoreApplication::instance(), &QCoreApplication::quit);
    m_idle.start();
}

void SearchProvider::open(const QStringList &arguments) const
{
    QProcess::startDetached(m_program, arguments);
}

void SearchProvider::asked()
{
    m_idle.start();
}

GnomeShellSearch::GnomeShellSearch(SearchProvider *provider)
    : QDBusAbstractAdaptor(provider)
    , m_provider(provider)
{
}

// The shell splits what is typed at blanks: a number or numeral is one term.
QStringList GnomeShellSearch::GetInitialResultSet(const QStringList &terms)
{
    m_provider->asked();
    const auto answer = terms.size() == 1 ? answerTo(terms.constFirst()) : std::nullopt;
    return answer ? QStringList{answer->id()} : QStringList();
}

QStringList GnomeShellSearch::GetSubsearchResultSet(const QStringList &, const QStringList &terms)
{
    return GetInitialResultSet(terms);
}

// One meta for each id, or the shell drops them all.
QList<QVariantMap> GnomeShellSearch::GetResultMetas(const QStringList &ids)
{
    m_provider->asked();
    QList<QVariantMap> metas;
    for (const QString &id : ids) {
        const auto answer = answerOf(id);
        metas.append({{QStringLiteral("id"), id},
                      {QStringLiteral("name"), answer ? answer->answer : id},
                      {QStringLiteral("description"), answer ? answer->description : QString()},
                      {QStringLiteral("icon"), icon},
                      {QStringLiteral("clipboardText"), answer ? answer->answer : id}});
    }
    return metas;
}

void GnomeShellSearch::ActivateResult(const QString &id, const QStringList &, uint)
{
    if (const auto answer = answerOf(id))
        m_provider->open({answer->typed});
}

void GnomeShellSearch::LaunchSearch(const QStringList &, uint)
{
    m_provider->open({});
}

KRunner::KRunner(SearchProvider *provider)
    : QDBusAbstractAdaptor(provider)
    , m_provider(provider)
{
}

// What may be a word ranks below what can only be a number.
QList<RemoteMatch> KRunner::Match(const QString &query)
{
    m_provider->asked();
    const auto answer = answerTo(query.trimmed());
    if (!answer)
        return {};
    return {{answer->id(), answer->answer, icon, answer->capitals ? 100 : 30,
             answer->capitals ? 1.0 : 0.5, {{QStringLiteral("subtext"), answer->description}}}};
}

QList<RemoteAction> KRunner::Actions()
{
    return {};
}

void KRunner::Run(const QString &id, const QString &)
{
    if (const auto answer = answerOf(id))
        m_provider->open({answer->typed});
}

} // namespace tuvo
