#include <QTest>

#include "core/textformat.h"
#include "data/connectionstring.h"
#include "data/statement.h"
#include "support/testmain.h"
#include "ui/keyfilter.h"

class TextFormatTest : public QObject {
    Q_OBJECT
private slots:
    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half to even, down") << 0.03125 << 4 << "0,0312";
        QTest::newRow("half to even, up") << 0.09375 << 4 << "0,0938";
        QTest::newRow("above one") << 1.03125 << 4 << "1,0312";
        QTest::newRow("above one, up") << 1.09375 << 4 << "1,0938";
        QTest::newRow("short stays") << 7.5 << 4 << "7,5";
        QTest::newRow("three decimals") << 0.0625 << 3 << "0,062";
        QTest::newRow("three decimals, up") << 0.0675 << 3 << "0,068";
        QTest::newRow("negative") << -2.00005 << 4 << "-2";
    }
    void rounding()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, shown);
        QCOMPARE(fmt::general(fmt::roundTo(value, decimals)), shown);
    }

    void generalFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 30.0 << "30";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("decimal comma") << 2.5 << "2,5";
        QTest::newRow("no thousands separator") << 1234567.25 << "1234567,25";
        QTest::newRow("15 digits") << 0.1 + 0.2 << "0,3";
        QTest::newRow("negative") << -12.125 << "-12,125";
        QTest::newRow("small") << 0.0001 << "0,0001";
        QTest::newRow("tiny is scientific") << 0.00001 << "1E-5";
        QTest::newRow("huge is scientific") << 1e20 << "1E20";
    }
    void generalFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(fmt::general(value), text);
    }

    void fixedFormat()
    {
        QCOMPARE(fmt::fixed(30, 2), QStringLiteral("30,00"));
        QCOMPARE(fmt::fixed(2.0005, 3), QStringLiteral("2,001"));
        QCOMPARE(fmt::fixed(-0.001, 2), QStringLiteral("0,00"));
        QCOMPARE(fmt::fixed(7.5, 0), QStringLiteral("8"));
        QCOMPARE(fmt::sqlNumber(12.5), QStringLiteral("12.5"));
    }

    void trimming_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("spaces") << "  sys  " << "sys";
        QTest::newRow("control characters") << QString::fromUtf8("\t\r\n sys\x01") << "sys";
        QTest::newRow("case kept") << " Sys" << "Sys";
        QTest::newRow("inner spaces kept") << " a b " << "a b";
        QTest::newRow("non-breaking space is not trimmed") << QString(QChar(0xA0)) + "x" << QString(QChar(0xA0)) + "x";
        QTest::newRow("only blanks") << " \t " << "";
    }
    void trimming()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(fmt::trimmed(text), trimmed);
    }

    void parsingNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("comma") << "2,5" << true << 2.5;
        QTest::newRow("point") << "12.5" << true << 12.5;
        QTest::newRow("whole") << "100" << true << 100.0;
        QTest::newRow("blanks around") << " 3 " << true << 3.0;
        QTest::newRow("comma alone") << "," << false << 0.0;
        QTest::newRow("two commas") << "1,2,3" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "12a" << false << 0.0;
    }
    void parsingNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        if (valid) {
            QCOMPARE(fmt::parseNumber(text), value);
        } else {
            try {
                fmt::parseNumber(text);
                QFAIL("no error for an invalid number");
            } catch (const fmt::ConversionError& e) {
                QVERIFY(e.text().contains(text));
            }
        }
    }

    void parsingIntegers()
    {
        QCOMPARE(fmt::parseInteger(QStringLiteral("2147483647")), 2147483647);
        QVERIFY_THROWS_EXCEPTION(fmt::ConversionError, fmt::parseInteger(QStringLiteral("2147483648")));
        QVERIFY_THROWS_EXCEPTION(fmt::ConversionError, fmt::parseInteger(QStringLiteral("8,5")));
    }

    void quoting()
    {
        QCOMPARE(fmt::quoted(QStringLiteral("О'Нил")), QStringLiteral("'О''Нил'"));
    }

    void keyFilter_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("entered");
        const int comma = int(ui::KeyRule::DecimalComma);
        const int digits = int(ui::KeyRule::Digits);
        QTest::newRow("digit") << comma << "7" << "7";
        QTest::newRow("point becomes comma") << comma << "." << ",";
        QTest::newRow("comma") << comma << "," << ",";
        QTest::newRow("letter dropped") << comma << "б" << "";
        QTest::newRow("minus dropped") << comma << "-" << "";
        QTest::newRow("backspace") << comma << "\b" << "\b";
        QTest::newRow("digits only: comma dropped") << digits << "," << "";
    }
    void keyFilter()
    {
        QFETCH(int, rule);
        QFETCH(QString, typed);
        QFETCH(QString, entered);
        const QChar out = ui::filterKey(ui::KeyRule(rule), typed.at(0));
        QCOMPARE(out.isNull() ? QString() : QString(out), entered);
    }

    void connectionString()
    {
        const QString s = data::buildConnectionString({"srv", "base", "master1", "pw"});
        QVERIFY(s.startsWith(
            "DRIVER={PostgreSQL UNICODE};DATABASE=base;SERVER=srv;PORT=5432;UID=master1;PWD=pw;SSLmode=allow;"
            "ReadOnly=0;Protocol=7.4;"));
        QVERIFY(s.endsWith("UseServerSidePrepare=1;LowerCaseIdentifier=0;D6=-101;OptionalErrors=0;XaOpt=1"));
    }

    void connectionStringQuoting_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("credentials");
        QTest::addColumn<QString>("tail");
        QTest::newRow("plain") << "sys" << "kolxapm" << ";UID=sys;PWD=kolxapm;" << "XaOpt=1";
        QTest::newRow("cyrillic") << "мастер" << "пароль" << ";UID=мастер;PWD=пароль;" << "XaOpt=1";
        QTest::newRow("empty") << "" << "" << ";UID=;PWD=;" << "XaOpt=1";
        QTest::newRow("password with closing brace") << "sys" << "x}y" << ";UID=sys;PWD={x}}y};" << "XaOpt=1";
        QTest::newRow("password with semicolon and equals")
            << "sys" << "a;UID=b" << ";UID=sys;PWD={a;UID=b};" << "XaOpt=1";
        QTest::newRow("login with semicolon") << "a;b" << "pw" << ";UID=;PWD=pw;" << "XaOpt=1;pqopt={user='a;b'}";
        QTest::newRow("login with brace and quote")
            << "o'k}" << "pw" << ";UID=;PWD=pw;" << "XaOpt=1;pqopt={user='o\\'k}}'}";
    }
    void connectionStringQuoting()
    {
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, credentials);
        QFETCH(QString, tail);
        const QString s = data::buildConnectionString({"srv", "base", login, password});
        QVERIFY2(s.contains(";PORT=5432" + credentials + "SSLmode=allow;"), qPrintable(s));
        QVERIFY2(s.endsWith(tail), qPrintable(s));
    }

    void namedParameters_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("positional");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two") << "select 1 where data=:data and ok!=:ok" << "select 1 where data=? and ok!=?"
                             << QStringList{"data", "ok"};
        QTest::newRow("cast is no parameter") << "w_id=person.s_code::t_integer and d=:d"
                                              << "w_id=person.s_code::t_integer and d=?" << QStringList{"d"};
        QTest::newRow("quoted text is no parameter") << "select ':x', \"a:b\" from t where a=:a"
                                                     << "select ':x', \"a:b\" from t where a=?" << QStringList{"a"};
        QTest::newRow("doubled quote inside text") << "select 'it''s :no' , :yes" << "select 'it''s :no' , ?"
                                                   << QStringList{"yes"};
    }
    void namedParameters()
    {
        QFETCH(QString, statement);
        QFETCH(QString, positional);
        QFETCH(QStringList, names);
        const data::PositionalStatement p = data::toPositional(statement);
        QCOMPARE(p.text, positional);
        QCOMPARE(p.names, names);
    }

    void parametersIgnoreLetterCase()
    {
        data::Parameters params;
        params.declare({"data", "ok"});
        params.set("DATA", QDate(2021, 3, 5));
        params.set("Ok", "ta");
        QCOMPARE(params.value("data").toDate(), QDate(2021, 3, 5));
        QCOMPARE(params.value("OK").toString(), QStringLiteral("ta"));
        QVERIFY_THROWS_EXCEPTION(fmt::AppError, params.set("missing", 1));
    }
};

TABEL_TEST_MAIN(TextFormatTest)
#include "test_textformat.moc"
