#include "data/resultrows.h"

#include <sql.h>
#include <sqlext.h>

#include <QDateTime>
#include <QSqlResult>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>

#include "data/connection.h"
#include "data/dberror.h"

namespace data {

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager's wide characters are UTF-16");

// A value longer than this many bytes (a text the driver converts: this
// many characters) is read again whole; shorter ones come in the block.
constexpr SQLLEN kBoundTextBytes = 512;
constexpr SQLLEN kBoundChars = 256;
// About this many bytes of bound buffers per block.
constexpr SQLLEN kBlockBytes = 256 * 1024;
constexpr SQLULEN kMaxBlockRows = 1024;

// ---------------------------------------------------------------- columns

// How one column is read. Its values have the type QtSql's ODBC driver gives
// them (a null text has no type, as there) and are converted by the driver
// to `cType`, except texts: those come as the UTF-8 bytes the server sent
// (`asBytes`), which is cheaper than the driver's conversion to UTF-16.
struct Column {
    QString name;
    QMetaType type;
    QMetaType nullType;
    SQLSMALLINT cType = SQL_C_WCHAR;
    bool asBytes = false;
    SQLSMALLINT boundType = SQL_C_WCHAR;
    SQLLEN width = 0;        // bytes of one row's value in the block
    bool mayCutOff = false;  // of variable length: may not fit in `width`
    QByteArray buffer;
    std::vector<SQLLEN> indicators;
};

QString wideText(const SQLWCHAR* p, qsizetype chars)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), chars);
}

QString typeName(SQLHSTMT hstmt, SQLUSMALLINT column)
{
    SQLWCHAR name[64];
    SQLSMALLINT bytes = 0;
    if (!SQL_SUCCEEDED(SQLColAttributeW(hstmt, column, SQL_DESC_TYPE_NAME, name, sizeof name, &bytes, nullptr)))
        return {};
    return wideText(name, std::min<qsizetype>(bytes / qsizetype(sizeof(SQLWCHAR)), std::size(name) - 1));
}

// Whether the column is one of PostgreSQL's texts, which the driver hands
// over as bytes. The one-byte "char" is called "char" like char(n) but has
// no length in bytes, and the driver refuses to hand it over so.
bool isText(SQLHSTMT hstmt, SQLUSMALLINT column)
{
    const QString name = typeName(hstmt, column);
    if (name != QLatin1String("varchar") && name != QLatin1String("text") && name != QLatin1String("char") &&
        name != QLatin1String("bpchar"))
        return false;
    SQLLEN octets = 0;
    SQLColAttributeW(hstmt, column, SQL_DESC_OCTET_LENGTH, nullptr, 0, nullptr, &octets);
    return octets > 0;
}

// The value type and the driver's C type of an ODBC SQL type, as QtSql's
// ODBC driver chooses them (low precision: numbers as double).
void chooseTypes(Column& c, SQLSMALLINT sqlType, bool isSigned)
{
    auto set = [&](QMetaType type, SQLSMALLINT cType) {
        c.type = c.nullType = type;
        c.cType = cType;
    };
    switch (sqlType) {
        case SQL_DECIMAL:
        case SQL_NUMERIC:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return set(QMetaType::fromType<double>(), SQL_C_DOUBLE);
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIT:
            if (isSigned)
                return set(QMetaType::fromType<int>(), SQL_C_SLONG);
            [[fallthrough]];
        case SQL_TINYINT:
            // unsigned (an oid); its null is a signed one there
            set(QMetaType::fromType<uint>(), SQL_C_ULONG);
            c.nullType = QMetaType::fromType<int>();
            return;
        case SQL_BIGINT:
            if (isSigned)
                return set(QMetaType::fromType<qlonglong>(), SQL_C_SBIGINT);
            set(QMetaType::fromType<qulonglong>(), SQL_C_UBIGINT);
            c.nullType = QMetaType::fromType<qlonglong>();
            return;
        case SQL_DATE:
        case SQL_TYPE_DATE:
            return set(QMetaType::fromType<QDate>(), SQL_C_TYPE_DATE);
        case SQL_TIME:
        case SQL_TYPE_TIME:
            return set(QMetaType::fromType<QTime>(), SQL_C_TYPE_TIME);
        case SQL_TIMESTAMP:
        case SQL_TYPE_TIMESTAMP:
            return set(QMetaType::fromType<QDateTime>(), SQL_C_TYPE_TIMESTAMP);
        case SQL_WCHAR:
        case SQL_WVARCHAR:
        case SQL_WLONGVARCHAR:
        case SQL_CHAR:
        case SQL_VARCHAR:
        case SQL_LONGVARCHAR:
        case SQL_GUID:
        case SQL_REAL:  // read as its text
            set(QMetaType::fromType<QString>(), SQL_C_WCHAR);
            c.nullType = QMetaType();
            return;
        default:  // binary, and types the driver has no value type for
            return set(QMetaType::fromType<QByteArray>(), SQL_C_BINARY);
    }
}

SQLLEN fixedWidth(SQLSMALLINT cType)
{
    switch (cType) {
        case SQL_C_SBIGINT:
        case SQL_C_UBIGINT:
        case SQL_C_DOUBLE:
            return 8;
        case SQL_C_SLONG:
        case SQL_C_ULONG:
            return 4;
        case SQL_C_TYPE_DATE:
            return sizeof(SQL_DATE_STRUCT);
        case SQL_C_TYPE_TIME:
            return sizeof(SQL_TIME_STRUCT);
        case SQL_C_TYPE_TIMESTAMP:
            return sizeof(SQL_TIMESTAMP_STRUCT);
        default:
            return 0;
    }
}

Column describe(SQLHSTMT hstmt, SQLUSMALLINT number)
{
    Column c;
    SQLWCHAR name[256];
    SQLSMALLINT nameChars = 0, sqlType = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLDescribeColW(hstmt, number, name, SQLSMALLINT(std::size(name)), &nameChars, &sqlType, &size, &digits, &nullable);
    c.name = wideText(name, std::min<qsizetype>(nameChars, std::size(name) - 1));
    SQLLEN unsignedFlag = SQL_FALSE;
    SQLColAttributeW(hstmt, number, SQL_DESC_UNSIGNED, nullptr, 0, nullptr, &unsignedFlag);
    chooseTypes(c, sqlType, unsignedFlag == SQL_FALSE);

    const SQLLEN chars = std::clamp<SQLLEN>(SQLLEN(size), 1, kBoundChars);
    if (c.cType == SQL_C_WCHAR && isText(hstmt, number)) {
        c.asBytes = true;
        c.boundType = SQL_C_BINARY;
        c.width = std::clamp<SQLLEN>(SQLLEN(size) * 2, 1, kBoundTextBytes);
        c.mayCutOff = true;
    } else if (c.cType == SQL_C_WCHAR) {
        c.boundType = SQL_C_WCHAR;
        c.width = (chars + 1) * SQLLEN(sizeof(SQLWCHAR));
        c.mayCutOff = true;
    } else if (c.cType == SQL_C_BINARY) {
        c.boundType = SQL_C_BINARY;
        c.width = kBoundTextBytes;
        c.mayCutOff = true;
    } else {
        c.boundType = c.cType;
        c.width = fixedWidth(c.cType);
    }
    return c;
}

// ----------------------------------------------------------------- values

// The driver's messages about the statement, one after another, as QtSql
// joins them.
QString diagnostics(SQLSMALLINT handleType, SQLHANDLE handle)
{
    QString text;
    SQLWCHAR state[6];
    SQLWCHAR message[2048];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1; SQL_SUCCEEDED(
             SQLGetDiagRecW(handleType, handle, i, state, &native, message, SQLSMALLINT(std::size(message)), &length));
         ++i) {
        const QString one = wideText(message, std::min<qsizetype>(length, std::size(message) - 1));
        if (one == text)
            continue;
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += one;
    }
    return text;
}

QString fetchError(SQLHSTMT hstmt)
{
    const QString text = diagnostics(SQL_HANDLE_STMT, hstmt);
    return text.isEmpty() ? QStringLiteral("Ошибка чтения результата запроса") : text;
}

// A value as the driver converted it to the column's C type.
QVariant fromDriver(const Column& c, const char* p, SQLLEN indicator)
{
    switch (c.cType) {
        case SQL_C_SBIGINT:
            return *reinterpret_cast<const qint64*>(p);
        case SQL_C_UBIGINT:
            return *reinterpret_cast<const quint64*>(p);
        case SQL_C_SLONG:
            return *reinterpret_cast<const qint32*>(p);
        case SQL_C_ULONG:
            return *reinterpret_cast<const quint32*>(p);
        case SQL_C_DOUBLE:
            return *reinterpret_cast<const double*>(p);
        case SQL_C_TYPE_DATE: {
            const auto& d = *reinterpret_cast<const SQL_DATE_STRUCT*>(p);
            return QDate(d.year, d.month, d.day);
        }
        case SQL_C_TYPE_TIME: {
            const auto& t = *reinterpret_cast<const SQL_TIME_STRUCT*>(p);
            return QTime(t.hour, t.minute, t.second);
        }
        case SQL_C_TYPE_TIMESTAMP: {
            const auto& t = *reinterpret_cast<const SQL_TIMESTAMP_STRUCT*>(p);
            return QDateTime(QDate(t.year, t.month, t.day),
                             QTime(t.hour, t.minute, t.second, int(t.fraction / 1000000)));
        }
        case SQL_C_BINARY:
            return QByteArray(p, indicator);
        default:
            return wideText(reinterpret_cast<const SQLWCHAR*>(p), indicator / SQLLEN(sizeof(SQLWCHAR)));
    }
}

// A value of the current row read on its own and converted by the driver:
// a text or binary value whole, in pieces. A value the driver cannot
// convert (a date of 'infinity') reads as null, as in QtSql.
QVariant readAlone(SQLHSTMT hstmt, SQLUSMALLINT column, const Column& c, const QString& statement)
{
    if (c.cType != SQL_C_WCHAR && c.cType != SQL_C_BINARY) {
        alignas(8) char buffer[64];
        SQLLEN indicator = 0;
        if (!SQL_SUCCEEDED(SQLGetData(hstmt, column, c.cType, buffer, sizeof buffer, &indicator)) ||
            indicator == SQL_NULL_DATA)
            return QVariant(c.nullType);
        return fromDriver(c, buffer, indicator);
    }
    const qsizetype terminator = c.cType == SQL_C_WCHAR ? qsizetype(sizeof(SQLWCHAR)) : 0;
    QByteArray bytes;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN r = SQLGetData(hstmt, column, c.cType, chunk.data(), chunk.size(), &indicator);
        if (r == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(r))
            throw DbError(fetchError(hstmt), statement);
        if (indicator == SQL_NULL_DATA)
            return QVariant(c.nullType);
        const bool more = indicator == SQL_NO_TOTAL || indicator > chunk.size() - terminator;
        bytes.append(chunk.constData(), more ? chunk.size() - terminator : indicator);
        if (!more)
            break;
    }
    if (c.cType == SQL_C_BINARY)
        return bytes;
    return wideText(reinterpret_cast<const SQLWCHAR*>(bytes.constData()), bytes.size() / qsizetype(sizeof(SQLWCHAR)));
}

// The value of a row of the block, or nothing when it must be read on its
// own: it did not fit, or it is a text of several lines.
std::optional<QVariant> fromBlock(const Column& c, SQLULEN row)
{
    const SQLLEN indicator = c.indicators[row];
    if (indicator == SQL_NULL_DATA)
        return QVariant(c.nullType);
    if (c.mayCutOff) {
        const SQLLEN terminator = c.boundType == SQL_C_WCHAR ? SQLLEN(sizeof(SQLWCHAR)) : 0;
        if (indicator == SQL_NO_TOTAL || indicator > c.width - terminator)
            return std::nullopt;
    }
    const char* p = c.buffer.constData() + row * c.width;
    if (!c.asBytes)
        return fromDriver(c, p, indicator);
    // The driver writes a line feed in a text as CR LF (LFConversion=1 of
    // the connection) and, handing the text over as bytes, loses the last
    // byte for it. Such a text is converted by the driver on its own.
    if (std::memchr(p, '\n', size_t(indicator)))
        return std::nullopt;
    return QString::fromUtf8(p, indicator);
}

// -------------------------------------------------------------- statements

class StatementHandle {
public:
    explicit StatementHandle(SQLHDBC hdbc)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, hdbc, &handle_)))
            throw DbError(diagnostics(SQL_HANDLE_DBC, hdbc));
    }
    ~StatementHandle() { SQLFreeHandle(SQL_HANDLE_STMT, handle_); }
    StatementHandle(const StatementHandle&) = delete;
    StatementHandle& operator=(const StatementHandle&) = delete;
    SQLHSTMT get() const { return handle_; }

private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

// The values of the statement's parameters, bound so that the server gets
// what it gets through QtSql's ODBC driver: that driver prepares the
// statement before it binds, so the server learns no parameter's type and
// infers each from its use ("ok<>?" compares as char(2)), and gets the text
// the ODBC driver writes for the value. Here every value goes as that text
// (parameterText), which the server also receives as of no type. Values of
// other types (bindsHere) are left to QtSql.
class BoundValues {
public:
    static bool bindsHere(const QVariant& v)
    {
        switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::Double:
            case QMetaType::QString:
                return true;
            case QMetaType::QDate:  // the ODBC driver's text of other years differs
                return !v.toDate().isValid() || (v.toDate().year() >= 1 && v.toDate().year() <= 9999);
            default:
                return false;
        }
    }

    BoundValues(SQLHSTMT hstmt, const QList<QVariant>& values) : texts_(values.size()), indicators_(values.size())
    {
        for (qsizetype i = 0; i < values.size(); ++i) {
            const std::optional<QString> text = parameterText(values[i]);
            texts_[i] = text.value_or(QString());
            const SQLLEN bytes = SQLLEN(texts_[i].size()) * SQLLEN(sizeof(SQLWCHAR));
            indicators_[i] = text ? bytes : SQL_NULL_DATA;
            const bool isLong = bytes > 254;
            const SQLRETURN r = SQLBindParameter(
                hstmt, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, SQL_C_WCHAR, isLong ? SQL_WLONGVARCHAR : SQL_WVARCHAR,
                isLong ? SQLULEN(bytes) : 254, 0, const_cast<ushort*>(texts_[i].utf16()), bytes, &indicators_[i]);
            if (!SQL_SUCCEEDED(r) && error_.isEmpty())
                error_ = diagnostics(SQL_HANDLE_STMT, hstmt);
        }
    }

    const QString& error() const { return error_; }

private:
    QList<QString> texts_;
    std::vector<SQLLEN> indicators_;
    QString error_;
};

SQLHSTMT handleOf(const QSqlQuery& query, const QString& statement)
{
    SQLHSTMT hstmt = odbcHandleIn(query.result()->handle());
    if (hstmt == SQL_NULL_HSTMT)
        throw DbError(QStringLiteral("Результат запроса не получен от драйвера ODBC"), statement);
    return hstmt;
}

// Puts the statement back as it was: nothing bound, one row a fetch.
class Unbinding {
public:
    explicit Unbinding(SQLHSTMT hstmt) : hstmt_(hstmt) {}
    ~Unbinding()
    {
        SQLFreeStmt(hstmt_, SQL_UNBIND);
        SQLSetStmtAttr(hstmt_, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN(1)), 0);
        SQLSetStmtAttr(hstmt_, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
        SQLSetStmtAttr(hstmt_, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
    }
    Unbinding(const Unbinding&) = delete;
    Unbinding& operator=(const Unbinding&) = delete;

private:
    SQLHSTMT hstmt_;
};

// Every row of the executed statement, a block of rows a fetch.
ResultRows readAll(SQLHSTMT hstmt, const QString& statement)
{
    auto check = [&](SQLRETURN r) {
        if (!SQL_SUCCEEDED(r))
            throw DbError(fetchError(hstmt), statement);
    };
    ResultRows out;
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(hstmt, &count));
    const int n = count;
    if (n == 0)
        return out;

    std::vector<Column> columns;
    columns.reserve(n);
    SQLLEN rowBytes = 0;
    for (int i = 0; i < n; ++i) {
        columns.push_back(describe(hstmt, SQLUSMALLINT(i + 1)));
        out.fields << columns.back().name;
        rowBytes += columns.back().width + SQLLEN(sizeof(SQLLEN));
    }
    const SQLULEN blockRows =
        std::clamp<SQLULEN>(SQLULEN(kBlockBytes / std::max<SQLLEN>(rowBytes, 1)), 1, kMaxBlockRows);

    SQLULEN fetched = 0;
    std::vector<SQLUSMALLINT> status(blockRows);
    const Unbinding unbinding(hstmt);  // declared after what the driver is pointed to: it unbinds first
    check(SQLSetStmtAttr(hstmt, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0));
    check(SQLSetStmtAttr(hstmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(blockRows), 0));
    check(SQLSetStmtAttr(hstmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0));
    check(SQLSetStmtAttr(hstmt, SQL_ATTR_ROW_STATUS_PTR, status.data(), 0));
    for (int i = 0; i < n; ++i) {
        Column& c = columns[i];
        c.buffer = QByteArray(qsizetype(c.width * SQLLEN(blockRows)), Qt::Uninitialized);
        c.indicators.assign(blockRows, 0);
        check(SQLBindCol(hstmt, SQLUSMALLINT(i + 1), c.boundType, c.buffer.data(), c.width, c.indicators.data()));
    }

    for (;;) {
        const SQLRETURN r = SQLFetch(hstmt);
        if (r == SQL_NO_DATA)
            break;
        check(r);
        for (SQLULEN row = 0; row < fetched; ++row) {
            // A row the driver could not fill in the block is read value by value.
            const bool inBlock = status[row] == SQL_ROW_SUCCESS || status[row] == SQL_ROW_SUCCESS_WITH_INFO;
            QList<QVariant> values;
            values.reserve(n);
            bool positioned = false;
            for (int i = 0; i < n; ++i) {
                const Column& c = columns[i];
                std::optional<QVariant> v;
                if (inBlock)
                    v = fromBlock(c, row);
                if (!v) {
                    if (!positioned)
                        check(SQLSetPos(hstmt, SQLSETPOSIROW(row + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE));
                    positioned = true;
                    v = readAlone(hstmt, SQLUSMALLINT(i + 1), c, statement);
                }
                values.append(std::move(*v));
            }
            out.rows.append(std::move(values));
        }
    }
    return out;
}

}  // namespace

std::optional<QString> parameterText(const QVariant& v)
{
    // As QtSql counts them: a null text and an invalid date are nulls too.
    if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isNull()) ||
        (v.typeId() == QMetaType::QDate && !v.toDate().isValid()))
        return std::nullopt;
    switch (v.typeId()) {
        case QMetaType::Double: {
            char buffer[32];
            const auto result =
                std::to_chars(buffer, buffer + sizeof buffer, v.toDouble(), std::chars_format::general, 17);
            return QString::fromLatin1(buffer, result.ptr - buffer);
        }
        case QMetaType::QDate:
            return v.toDate().toString(Qt::ISODate);
        default:
            return v.toString();
    }
}

ResultRows selectRows(Connection& connection, const QString& statement, const Parameters& params, WhenLost whenLost)
{
    const PositionalStatement positional = toPositional(statement);
    QList<QVariant> values;
    for (const QString& name : positional.names)
        values << params.value(name);
    if (!std::all_of(values.cbegin(), values.cend(), &BoundValues::bindsHere)) {
        // Values of other types are bound by QtSql's driver.
        QSqlQuery query = runStatement(connection, statement, params, whenLost);
        return readAll(handleOf(query, statement), statement);
    }
    const QString& text = positional.names.isEmpty() ? statement : positional.text;
    ResultRows rows;
    runRepeatable(connection, statement, whenLost, [&]() -> QString {
        StatementHandle hstmt(static_cast<SQLHDBC>(connection.odbcHandle()));
        const BoundValues bound(hstmt.get(), values);
        if (!bound.error().isEmpty())
            return bound.error();
        connection.logStatement(text, values);
        const SQLRETURN r =
            SQLExecDirectW(hstmt.get(), const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(text.utf16())),
                           SQLINTEGER(text.size()));
        if (!SQL_SUCCEEDED(r) && r != SQL_NO_DATA) {
            const QString error = diagnostics(SQL_HANDLE_STMT, hstmt.get());
            return error.isEmpty() ? QStringLiteral("Ошибка выполнения запроса") : error;
        }
        try {
            rows = readAll(hstmt.get(), statement);
        } catch (const DbError& e) {
            return e.databaseText();  // a lost connection is handled as for the statement
        }
        return {};
    });
    return rows;
}

}  // namespace data
