#pragma once
// The ODBC driver's own cost of a step's statements: replayed on an ODBC
// connection of the program's settings and fetched in blocks into bound
// buffers, texts as bytes and everything else as the driver's default C
// type (its cheapest), nothing converted or kept. A reader on the driver
// can hardly be faster; what the program adds is the difference.

#include <sql.h>
#include <sqlext.h>

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <stdexcept>
#include <vector>

#include "data/connection.h"
#include "data/resultrows.h"

namespace bench {

class DriverFloor {
public:
    explicit DriverFloor(const QString& connectionString)
    {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_);
        SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_);
        const QString text = connectionString;
        if (!SQL_SUCCEEDED(SQLDriverConnectW(dbc_, nullptr, wide(text), SQLSMALLINT(text.size()), nullptr, 0, nullptr,
                                             SQL_DRIVER_NOPROMPT)))
            throw std::runtime_error("the ODBC driver did not connect");
    }
    ~DriverFloor()
    {
        SQLDisconnect(dbc_);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        SQLFreeHandle(SQL_HANDLE_ENV, env_);
    }
    DriverFloor(const DriverFloor&) = delete;
    DriverFloor& operator=(const DriverFloor&) = delete;

    // The average of `rounds` replays of the reading statements, in ms.
    double averageMs(const QList<data::SentStatement>& statements, int rounds)
    {
        for (const data::SentStatement& s : statements)
            run(s);  // warming up
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < rounds; ++i)
            for (const data::SentStatement& s : statements)
                run(s);
        return double(timer.nsecsElapsed()) / 1e6 / rounds;
    }

private:
    static SQLWCHAR* wide(const QString& text)
    {
        return const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(text.utf16()));
    }

    void run(const data::SentStatement& s)
    {
        SQLHSTMT h = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &h);
        // The values as the program's data layer sends them.
        std::vector<QString> values;
        std::vector<SQLLEN> lengths(size_t(s.values.size()));
        for (const QVariant& v : s.values)
            values.push_back(data::parameterText(v).value_or(QString()));
        for (size_t i = 0; i < values.size(); ++i) {
            lengths[i] = data::parameterText(s.values[qsizetype(i)]) ? SQLLEN(values[i].size() * 2) : SQL_NULL_DATA;
            SQLBindParameter(h, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 254, 0,
                             wide(values[i]), lengths[i], &lengths[i]);
        }
        const SQLRETURN r = SQLExecDirectW(h, wide(s.text), SQLINTEGER(s.text.size()));
        if (!SQL_SUCCEEDED(r) && r != SQL_NO_DATA) {
            SQLFreeHandle(SQL_HANDLE_STMT, h);
            throw std::runtime_error("the ODBC driver did not run " + s.text.toStdString());
        }
        SQLSMALLINT n = 0;
        SQLNumResultCols(h, &n);
        constexpr SQLULEN rows = 256;
        constexpr SQLLEN width = 512;
        std::vector<std::vector<char>> buffers(static_cast<size_t>(n));
        std::vector<std::vector<SQLLEN>> indicators(static_cast<size_t>(n));
        for (size_t i = 0; i < size_t(n); ++i) {
            buffers[i].resize(rows * width);
            indicators[i].resize(rows);
        }
        SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(rows), 0);
        for (SQLUSMALLINT i = 0; i < SQLUSMALLINT(n); ++i) {
            SQLLEN type = 0;
            SQLColAttributeW(h, i + 1, SQL_DESC_CONCISE_TYPE, nullptr, 0, nullptr, &type);
            SQLLEN octets = 0;
            SQLColAttributeW(h, i + 1, SQL_DESC_OCTET_LENGTH, nullptr, 0, nullptr, &octets);
            const bool text = (type == SQL_WVARCHAR || type == SQL_WLONGVARCHAR || type == SQL_WCHAR) && octets > 0;
            SQLBindCol(h, i + 1, text ? SQL_C_BINARY : SQL_C_DEFAULT, buffers[i].data(), width, indicators[i].data());
        }
        while (SQL_SUCCEEDED(SQLFetch(h))) {
        }
        SQLFreeHandle(SQL_HANDLE_STMT, h);
    }

    SQLHENV env_ = SQL_NULL_HENV;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
};

}  // namespace bench
