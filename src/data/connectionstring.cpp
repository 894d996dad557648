#include "data/connectionstring.h"

#include "config.h"

namespace data {

bool needsOdbcQuoting(const QString& value)
{
    static const QString special = QStringLiteral("[]{}(),;?*=!@");
    if (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()))
        return true;
    for (QChar c : value)
        if (special.contains(c))
            return true;
    return false;
}

QString odbcValue(const QString& value)
{
    if (!needsOdbcQuoting(value))
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

namespace {

// user='...' in the server library's notation (\\ and \' inside quotes), in braces.
QString userOption(const QString& login)
{
    QString v = login;
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    v.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QStringLiteral(";pqopt=") + odbcValue(QStringLiteral("user='") + v + QLatin1Char('\''));
}

}  // namespace

QString buildConnectionString(const ConnectionParams& p)
{
    const bool loginAsOption = needsOdbcQuoting(p.login) || p.login.contains(QLatin1Char('\''))
        || p.login.contains(QLatin1Char('\\'));
    return QStringLiteral("DRIVER={PostgreSQL UNICODE};DATABASE=") + odbcValue(p.database)
        + QStringLiteral(";SERVER=") + odbcValue(p.server)
        + QStringLiteral(";PORT=5432;UID=") + (loginAsOption ? QString() : p.login)
        + QStringLiteral(";PWD=") + odbcValue(p.password)
        + QStringLiteral(";SSLmode=allow;")
        + QStringLiteral("ReadOnly=0;Protocol=7.4;FakeOidIndex=0;ShowOidColumn=0;RowVersioning=0;ShowSystemTables=0;"
                         "Fetch=100;UnknownSizes=0;MaxVarcharSize=255;MaxLongVarcharSize=8190;")
        + QStringLiteral("Debug=0;CommLog=0;UseDeclareFetch=0;TextAsLongVarchar=1;UnknownsAsLongVarchar=0;"
                         "BoolsAsChar=1;Parse=0;ExtraSysTablePrefixes=;LFConversion=1;UpdatableCursors=1;")
        + QStringLiteral("TrueIsMinus1=0;BI=0;ByteaAsLongVarBinary=1;UseServerSidePrepare=1;LowerCaseIdentifier=0;"
                         "D6=-101;OptionalErrors=0;XaOpt=1")
        + (loginAsOption ? userOption(p.login) : QString());
}

QString dsnConnectionString(const QString& dsn, const QString& login, const QString& password)
{
    QString text = QStringLiteral("DSN=") + odbcValue(dsn);
    if (!login.isEmpty())
        text += QStringLiteral(";UID=") + odbcValue(login);
    if (!password.isEmpty())
        text += QStringLiteral(";PWD=") + odbcValue(password);
    return text;
}

QString qtOdbcDatabaseName(const QString& connectionString)
{
    const auto holds = [&](const char* part) { return connectionString.contains(QLatin1String(part), Qt::CaseInsensitive); };
    if (holds("DRIVER=") || holds("SERVER=") || holds(".dsn"))
        return connectionString;
    if (connectionString.startsWith(QLatin1String("DSN="), Qt::CaseInsensitive))
        return connectionString.mid(4);
    return connectionString;
}

ConnectionParams defaultConnectionParams()
{
    return {QString::fromUtf8(config::defaultServer), QString::fromUtf8(config::defaultDatabase),
            QString::fromUtf8(config::builtinLogin), QString::fromUtf8(config::builtinPassword)};
}

QString defaultConnectionString()
{
    return buildConnectionString(defaultConnectionParams());
}

}  // namespace data
