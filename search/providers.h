#pragma once

// The search provider's two D-Bus interfaces, GNOME Shell's and KRunner's, on
// one object. Each call is answered from its own query alone, so calls from
// several clients, or from KRunner's threads, never meet.

#include <QDBusAbstractAdaptor>
#include <QTimer>
#include <QVariantMap>

namespace tuvo {

// What both interfaces share: the program a chosen result opens, and the
// end of the provider once no search has asked anything for a while.
class SearchProvider : public QObject
{
    Q_OBJECT

public:
    explicit SearchProvider(QString program);

    // Opens Tuvo, with the number to convert if there is one.
    void open(const QStringList &arguments) const;
    // A search asked: the provider stays a while longer.
    void asked();

private:
    QString m_program;
    QTimer m_idle;
};

class GnomeShellSearch : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")

public:
    explicit GnomeShellSearch(SearchProvider *provider);

public slots:
    QStringList GetInitialResultSet(const QStringList &terms);
    QStringList GetSubsearchResultSet(const QStringList &previous, const QStringList &terms);
    QList<QVariantMap> GetResultMetas(const QStringList &ids);
    void ActivateResult(const QString &id, const QStringList &terms, uint timestamp);
    void LaunchSearch(const QStringList &terms, uint timestamp);

private:
    SearchProvider *m_provider;
};

struct RemoteMatch
{
    QString id;
    QString text;
    QString iconName;
    int type; // 100 exact, 30 possible
    double relevance;
    QVariantMap properties;
};

struct RemoteAction
{
    QString id;
    QString text;
    QString iconName;
};

class KRunner : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.krunner1")

public:
    explicit KRunner(SearchProvider *provider);

public slots:
    QList<RemoteMatch> Match(const QString &query);
    QList<RemoteAction> Actions();
    void Run(const QString &id, const QString &action);

private:
    SearchProvider *m_provider;
};

// Without these, QtDBus leaves out every method that returns such a list.
void registerSearchTypes();

} // namespace tuvo

Q_DECLARE_METATYPE(tuvo::RemoteMatch)
Q_DECLARE_METATYPE(tuvo::RemoteAction)
