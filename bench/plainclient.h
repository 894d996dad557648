#pragma once
// The baseline of the benchmarks: the database's own cost of the statements
// a step of the program sent, measured by replaying them through a plain
// libpq client (the same server, database, account and TCP connection, text
// results) that executes each one and reads every value of its result,
// without converting or storing anything.

#include <libpq-fe.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <optional>
#include <stdexcept>

#include "data/connection.h"
#include "data/connectionstring.h"
#include "data/resultrows.h"

namespace bench {

class PlainClient {
public:
    // The built-in account on PGHOST (localhost unless set), as the program's side.
    explicit PlainClient(const char* database)
    {
        const data::ConnectionParams account = data::defaultConnectionParams();
        const QByteArray host = qEnvironmentVariable("PGHOST", QStringLiteral("localhost")).toUtf8();
        const QByteArray user = account.login.toUtf8(), password = account.password.toUtf8();
        const char* keys[] = {"host", "port", "user", "password", "dbname", "sslmode", nullptr};
        const char* values[] = {host.constData(), "5432",    user.constData(), password.constData(),
                                database,         "disable", nullptr};
        conn_ = PQconnectdbParams(keys, values, 0);
        if (PQstatus(conn_) != CONNECTION_OK)
            throw std::runtime_error(std::string("libpq: ") + PQerrorMessage(conn_));
    }
    ~PlainClient() { PQfinish(conn_); }
    PlainClient(const PlainClient&) = delete;
    PlainClient& operator=(const PlainClient&) = delete;

    // Runs the statements in order, reading every value; returns the time
    // in milliseconds.
    double replayMs(const QList<data::SentStatement>& statements)
    {
        QElapsedTimer timer;
        timer.start();
        for (const data::SentStatement& s : statements)
            run(s);
        return double(timer.nsecsElapsed()) / 1e6;
    }

    // The average of `rounds` replays.
    double averageReplayMs(const QList<data::SentStatement>& statements, int rounds)
    {
        double total = 0;
        for (int i = 0; i < rounds; ++i)
            total += replayMs(statements);
        return total / rounds;
    }

    // A checksum of what was read, so that no reading can be left out.
    long long bytesRead() const { return bytes_; }

private:
    // "?" outside quotes becomes $1, $2, ...
    static QByteArray numbered(const QString& text)
    {
        QString out;
        int n = 0;
        QChar quote;
        for (const QChar c : text) {
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                quote = c;
            } else if (c == QLatin1Char('?')) {
                out += QLatin1Char('$') + QString::number(++n);
                continue;
            }
            out += c;
        }
        return out.toUtf8();
    }

    void run(const data::SentStatement& s)
    {
        PGresult* r = nullptr;
        if (s.values.isEmpty()) {
            r = PQexec(conn_, s.text.toUtf8().constData());
        } else {
            // The values as the program's data layer sends them.
            QList<QByteArray> texts;
            std::vector<const char*> values;
            for (const QVariant& v : s.values) {
                const std::optional<QString> text = data::parameterText(v);
                texts << (text ? text->toUtf8() : QByteArray());
            }
            for (qsizetype i = 0; i < texts.size(); ++i)
                values.push_back(data::parameterText(s.values[i]) ? texts[i].constData() : nullptr);
            r = PQexecParams(conn_, numbered(s.text).constData(), int(values.size()), nullptr, values.data(), nullptr,
                             nullptr, 0);
        }
        const ExecStatusType status = PQresultStatus(r);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            const std::string message = PQresultErrorMessage(r);
            PQclear(r);
            throw std::runtime_error("libpq: " + message + s.text.toStdString());
        }
        const int rows = PQntuples(r), columns = PQnfields(r);
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < columns; ++j)
                if (!PQgetisnull(r, i, j))
                    bytes_ += PQgetlength(r, i, j) + (unsigned char)PQgetvalue(r, i, j)[0];
        PQclear(r);
    }

    PGconn* conn_ = nullptr;
    long long bytes_ = 0;
};

}  // namespace bench
