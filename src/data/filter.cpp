#include "data/filter.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include "core/variants.h"

namespace data {

namespace {

enum class Op { Eq, Ne, Lt, Gt, Le, Ge, Like };

}  // namespace

struct Filter::Node {
    enum class Kind { And, Or, Compare } kind = Kind::Compare;
    std::shared_ptr<const Node> left, right;
    int column = -1;
    Op op = Op::Eq;
    QVariant literal;  // double or QString
    QStringList pieces;  // of a "like" text, split at its wildcards once
};

namespace {

struct Token {
    enum class Type { Name, Number, Text, Operator, LParen, RParen, End } type = Type::End;
    QString text;
};

class Parser {
public:
    Parser(const QString& expr, const QStringList& columns) : expr_(expr), columns_(columns) { advance(); }

    std::shared_ptr<const Filter::Node> parse()
    {
        auto node = parseOr();
        if (tok_.type != Token::Type::End)
            fail(QStringLiteral("лишний текст «%1»").arg(tok_.text));
        return node;
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw FilterError(QStringLiteral("Неверное условие отбора «%1»: %2").arg(expr_, what));
    }

    void advance()
    {
        const qsizetype n = expr_.size();
        while (pos_ < n && expr_.at(pos_).isSpace())
            ++pos_;
        if (pos_ >= n) {
            tok_ = {Token::Type::End, QStringLiteral("конец")};
            return;
        }
        const QChar c = expr_.at(pos_);
        if (c == QLatin1Char('(')) {
            tok_ = {Token::Type::LParen, QStringLiteral("(")};
            ++pos_;
        } else if (c == QLatin1Char(')')) {
            tok_ = {Token::Type::RParen, QStringLiteral(")")};
            ++pos_;
        } else if (c == QLatin1Char('\'')) {
            QString text;
            ++pos_;
            for (;;) {
                if (pos_ >= n)
                    fail(QStringLiteral("текст не закрыт апострофом"));
                if (expr_.at(pos_) == QLatin1Char('\'')) {
                    if (pos_ + 1 < n && expr_.at(pos_ + 1) == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                text += expr_.at(pos_++);
            }
            tok_ = {Token::Type::Text, text};
        } else if (c.isDigit() || ((c == QLatin1Char('-') || c == QLatin1Char('.')) && pos_ + 1 < n
                                   && expr_.at(pos_ + 1).isDigit())) {
            const qsizetype start = pos_++;
            while (pos_ < n && (expr_.at(pos_).isDigit() || expr_.at(pos_) == QLatin1Char('.')))
                ++pos_;
            tok_ = {Token::Type::Number, expr_.mid(start, pos_ - start)};
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            const qsizetype start = pos_++;
            if (pos_ < n && (expr_.at(pos_) == QLatin1Char('=') || expr_.at(pos_) == QLatin1Char('>')))
                ++pos_;
            tok_ = {Token::Type::Operator, expr_.mid(start, pos_ - start)};
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            const qsizetype start = pos_++;
            while (pos_ < n && (expr_.at(pos_).isLetterOrNumber() || expr_.at(pos_) == QLatin1Char('_')
                                || expr_.at(pos_) == QLatin1Char('.')))
                ++pos_;
            tok_ = {Token::Type::Name, expr_.mid(start, pos_ - start)};
        } else {
            fail(QStringLiteral("непонятный знак «%1»").arg(c));
        }
    }

    bool isWord(const char* word) const
    {
        return tok_.type == Token::Type::Name && tok_.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    std::shared_ptr<const Filter::Node> parseOr()
    {
        auto left = parseAnd();
        while (isWord("or")) {
            advance();
            auto node = std::make_shared<Filter::Node>();
            node->kind = Filter::Node::Kind::Or;
            node->left = left;
            node->right = parseAnd();
            left = node;
        }
        return left;
    }

    std::shared_ptr<const Filter::Node> parseAnd()
    {
        auto left = parsePrimary();
        while (isWord("and")) {
            advance();
            auto node = std::make_shared<Filter::Node>();
            node->kind = Filter::Node::Kind::And;
            node->left = left;
            node->right = parsePrimary();
            left = node;
        }
        return left;
    }

    std::shared_ptr<const Filter::Node> parsePrimary()
    {
        if (tok_.type == Token::Type::LParen) {
            advance();
            auto node = parseOr();
            if (tok_.type != Token::Type::RParen)
                fail(QStringLiteral("нет закрывающей скобки"));
            advance();
            return node;
        }
        if (tok_.type != Token::Type::Name || isWord("and") || isWord("or") || isWord("like"))
            fail(QStringLiteral("ожидалось имя поля вместо «%1»").arg(tok_.text));
        auto node = std::make_shared<Filter::Node>();
        node->column = columnIndex(tok_.text);
        advance();
        if (isWord("like")) {
            node->op = Op::Like;
        } else if (tok_.type == Token::Type::Operator) {
            static const QHash<QString, Op> ops = {{QStringLiteral("="), Op::Eq},  {QStringLiteral("<>"), Op::Ne},
                                                   {QStringLiteral("<"), Op::Lt},  {QStringLiteral(">"), Op::Gt},
                                                   {QStringLiteral("<="), Op::Le}, {QStringLiteral(">="), Op::Ge}};
            if (!ops.contains(tok_.text))
                fail(QStringLiteral("неизвестная операция «%1»").arg(tok_.text));
            node->op = ops.value(tok_.text);
        } else {
            fail(QStringLiteral("ожидалась операция сравнения вместо «%1»").arg(tok_.text));
        }
        advance();
        if (tok_.type == Token::Type::Number) {
            if (node->op == Op::Like)
                fail(QStringLiteral("like сравнивает только с текстом"));
            bool ok = false;
            node->literal = tok_.text.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("неверное число «%1»").arg(tok_.text));
        } else if (tok_.type == Token::Type::Text) {
            node->literal = tok_.text;
            if (node->op == Op::Like)
                node->pieces = likePieces(tok_.text);
        } else {
            fail(QStringLiteral("ожидалось значение вместо «%1»").arg(tok_.text));
        }
        advance();
        return node;
    }

    int columnIndex(const QString& name) const
    {
        for (int i = 0; i < columns_.size(); ++i)
            if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        fail(QStringLiteral("нет поля «%1»").arg(name));
    }

    QString expr_;
    QStringList columns_;
    qsizetype pos_ = 0;
    Token tok_;
};

bool isNumeric(const QVariant& v) { return core::isNumber(v) || v.typeId() == QMetaType::Bool; }

QString valueText(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return fmt::dateText(v.toDate());
    if (v.typeId() == QMetaType::QDateTime)
        return fmt::dateText(v.toDateTime().date());
    return v.toString();
}

bool compare(const QVariant& value, const Filter::Node& node)
{
    const Op op = node.op;
    const QVariant& literal = node.literal;
    if (value.isNull())
        return false;
    if (op == Op::Like)
        return likeMatch(valueText(value), node.pieces);
    int order = 0;
    if (literal.typeId() == QMetaType::Double) {
        bool ok = true;
        const double v = isNumeric(value) ? value.toDouble() : fmt::trimmed(value.toString()).toDouble(&ok);
        if (!ok)
            return false;
        const double l = literal.toDouble();
        order = v < l ? -1 : (v > l ? 1 : 0);
    } else {
        order = QString::compare(valueText(value), literal.toString(), Qt::CaseInsensitive);
    }
    switch (op) {
    case Op::Eq: return order == 0;
    case Op::Ne: return order != 0;
    case Op::Lt: return order < 0;
    case Op::Gt: return order > 0;
    case Op::Le: return order <= 0;
    case Op::Ge: return order >= 0;
    case Op::Like: break;
    }
    return false;
}

bool evaluate(const Filter::Node& node, const std::function<QVariant(int)>& value)
{
    switch (node.kind) {
    case Filter::Node::Kind::And: return evaluate(*node.left, value) && evaluate(*node.right, value);
    case Filter::Node::Kind::Or: return evaluate(*node.left, value) || evaluate(*node.right, value);
    case Filter::Node::Kind::Compare: return compare(value(node.column), node);
    }
    return false;
}

}  // namespace

Filter Filter::parse(const QString& expression, const QStringList& columns)
{
    Filter f;
    f.root_ = Parser(expression, columns).parse();
    return f;
}

bool Filter::matches(const std::function<QVariant(int)>& value) const
{
    return root_ && evaluate(*root_, value);
}

QStringList likePieces(const QString& pattern)
{
    static const QRegularExpression wildcard(QStringLiteral("[%*]"));
    return pattern.split(wildcard);
}

bool likeMatch(const QString& text, const QStringList& pieces)
{
    // The pieces between the wildcards, found in order.
    if (pieces.size() == 1)
        return text.compare(pieces.first(), Qt::CaseInsensitive) == 0;
    qsizetype pos = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString& piece = pieces[i];
        if (i == 0) {
            if (!text.startsWith(piece, Qt::CaseInsensitive))
                return false;
            pos = piece.size();
        } else if (i == pieces.size() - 1) {
            return piece.isEmpty()
                || (text.size() - piece.size() >= pos && text.endsWith(piece, Qt::CaseInsensitive));
        } else if (!piece.isEmpty()) {
            const qsizetype found = text.indexOf(piece, pos, Qt::CaseInsensitive);
            if (found < 0)
                return false;
            pos = found + piece.size();
        }
    }
    return true;
}

bool likeMatch(const QString& text, const QString& pattern)
{
    return likeMatch(text, likePieces(pattern));
}

namespace filters {

QString equals(const QString& column, qint64 value)
{
    return column + QLatin1Char('=') + QString::number(value);
}

QString startsWith(const QString& column, const QString& prefix)
{
    QString p = prefix;
    p.replace(QLatin1Char('\''), QStringLiteral("''"));
    return column + QStringLiteral(" like '") + p + QStringLiteral("%'");
}

}  // namespace filters

}  // namespace data
