#include "reportlayout.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace ZQ5Reimbursement {

struct ReportLayout::Node {
    enum Kind { Text, Field, Section, Inverted };
    Kind kind = Text;
    QString text;  // the text itself, or the field's name
    int line = 0;
    std::vector<Node> children;
};

namespace {

using Node = ReportLayout::Node;

const QString reportSource = QStringLiteral("rptReimbursement");
constexpr long errFileNotFound = 53;
constexpr long errFileAccess = 75;

[[noreturn]] void malformed(const QString& fileName, int line, const QString& problem) {
    throw adodb::Error(errFileAccess, reportSource,
                       QStringLiteral("The report file %1 is not a valid layout: line %2: %3")
                           .arg(fileName, QString::number(line), problem));
}

QString tag(const QString& sigil, const QString& name) { return QStringLiteral("{{") + sigil + name + QStringLiteral("}}"); }

class Parser {
public:
    Parser(const QString& text, const QString& fileName) : text_(text), fileName_(fileName) {}

    void parse(std::vector<Node>& body, std::vector<Node>& header, std::vector<Node>& footer) {
        open_.push_back(Node{Node::Section, QString(), 1, {}});
        qsizetype pos = 0;
        while (pos < text_.size()) {
            const qsizetype placeholder = text_.indexOf(QLatin1String("{{"), pos);
            const qsizetype comment = text_.indexOf(QLatin1String("<!--"), pos);
            if (comment >= 0 && (placeholder < 0 || comment < placeholder)) {
                const qsizetype end = text_.indexOf(QLatin1String("-->"), comment);
                pos = appendText(pos, end < 0 ? text_.size() : end + 3);
                continue;
            }
            if (placeholder < 0) {
                pos = appendText(pos, text_.size());
                continue;
            }
            appendText(pos, placeholder);
            const qsizetype close = text_.indexOf(QLatin1String("}}"), placeholder + 2);
            if (close < 0)
                malformed(fileName_, line_, QStringLiteral("\"{{\" without \"}}\""));
            placeholderAt(text_.mid(placeholder + 2, close - placeholder - 2).trimmed(), header, footer);
            pos = appendText(placeholder, close + 2, false);
        }
        if (open_.size() > 1)
            malformed(fileName_, open_.back().line, tag(QStringLiteral("#"), open_.back().text) + QStringLiteral(" is not closed"));
        body = std::move(open_.back().children);
    }

private:
    // Adds text_[from, to) to the open block (or only counts its lines) and returns `to`.
    qsizetype appendText(qsizetype from, qsizetype to, bool keep = true) {
        const QString piece = text_.mid(from, to - from);
        if (keep && !piece.isEmpty())
            open_.back().children.push_back(Node{Node::Text, piece, line_, {}});
        line_ += int(piece.count(QLatin1Char('\n')));
        return to;
    }

    void placeholderAt(const QString& content, std::vector<Node>& header, std::vector<Node>& footer) {
        static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        const QChar sigil = content.isEmpty() ? QChar() : content.front();
        const bool marked = sigil == QLatin1Char('#') || sigil == QLatin1Char('^') || sigil == QLatin1Char('/');
        const QString fieldName = marked ? content.mid(1).trimmed() : content;
        if (!name.match(fieldName).hasMatch())
            malformed(fileName_, line_, tag(QString(), content) + QStringLiteral(" is not a placeholder"));
        if (!marked) {
            open_.back().children.push_back(Node{Node::Field, fieldName, line_, {}});
        } else if (sigil != QLatin1Char('/')) {
            const bool pagePart = isPagePart(fieldName);
            if (pagePart && (sigil != QLatin1Char('#') || open_.size() > 1))
                malformed(fileName_, line_, tag(sigil, fieldName) + QStringLiteral(" belongs at the top of the file, as {{#") + fieldName + QStringLiteral("}}"));
            open_.push_back(Node{sigil == QLatin1Char('#') ? Node::Section : Node::Inverted, fieldName, line_, {}});
        } else {
            if (open_.size() == 1 || open_.back().text != fieldName)
                malformed(fileName_, line_, tag(QStringLiteral("/"), fieldName) + QStringLiteral(" closes no open ")
                                                + tag(QStringLiteral("#"), fieldName));
            Node block = std::move(open_.back());
            open_.pop_back();
            if (!isPagePart(fieldName)) {
                open_.back().children.push_back(std::move(block));
                return;
            }
            if (pageParts_.contains(fieldName))
                malformed(fileName_, block.line, QStringLiteral("a second ") + tag(QStringLiteral("#"), fieldName));
            pageParts_ << fieldName;
            (fieldName == QLatin1String("pageheader") ? header : footer) = std::move(block.children);
        }
    }

    static bool isPagePart(const QString& name) {
        return name == QLatin1String("pageheader") || name == QLatin1String("pagefooter");
    }

    const QString& text_;
    const QString& fileName_;
    std::vector<Node> open_;
    QStringList pageParts_;
    int line_ = 1;
};

class Filler {
public:
    Filler(const ReportFields& fields, const QString& fileName) : fields_(fields), fileName_(fileName) {}

    QString fill(const std::vector<Node>& nodes) {
        QString out;
        for (const Node& node : nodes) {
            if (node.kind == Node::Text) {
                out += node.text;
            } else if (node.kind == Node::Field) {
                out += value(node).toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br/>"));
            } else if (const auto list = fields_.lists.constFind(node.text); list != fields_.lists.cend()) {
                if (node.kind == Node::Inverted) {
                    if (list->isEmpty())
                        out += fill(node.children);
                    continue;
                }
                for (const ReportRow& row : *list) {
                    rows_.push_back(&row);
                    out += fill(node.children);
                    rows_.pop_back();
                }
            } else if (value(node).isEmpty() == (node.kind == Node::Inverted)) {
                out += fill(node.children);
            }
        }
        return out;
    }

private:
    QString value(const Node& node) const {
        for (auto row = rows_.crbegin(); row != rows_.crend(); ++row)
            if (const auto found = (*row)->constFind(node.text); found != (*row)->cend())
                return *found;
        if (const auto found = fields_.values.constFind(node.text); found != fields_.values.cend())
            return *found;
        throw adodb::Error(errFileAccess, reportSource,
                           QStringLiteral("The report file %1, line %2: there is no field %3")
                               .arg(fileName_, QString::number(node.line), tag(QString(), node.text)));
    }

    const ReportFields& fields_;
    const QString& fileName_;
    std::vector<const ReportRow*> rows_;
};

}  // namespace

ReportLayout::ReportLayout(const QString& text, const QString& fileName) : fileName_(fileName) {
    if (text.trimmed().isEmpty())
        malformed(fileName, 1, QStringLiteral("the file is empty"));
    auto body = std::make_shared<std::vector<Node>>();
    auto header = std::make_shared<std::vector<Node>>();
    auto footer = std::make_shared<std::vector<Node>>();
    Parser(text, fileName_).parse(*body, *header, *footer);
    body_ = std::move(body);
    header_ = std::move(header);
    footer_ = std::move(footer);
}

ReportLayout ReportLayout::fromFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw adodb::Error(errFileNotFound, reportSource, QStringLiteral("The report file %1 was not found").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw adodb::Error(errFileAccess, reportSource,
                           QStringLiteral("The report file %1 cannot be read: %2").arg(path, file.errorString()));
    return ReportLayout(QString::fromUtf8(file.readAll()), path);
}

QString ReportLayout::body(const ReportFields& fields) const { return Filler(fields, fileName_).fill(*body_); }
QString ReportLayout::pageHeader(const ReportFields& fields) const { return Filler(fields, fileName_).fill(*header_); }
QString ReportLayout::pageFooter(const ReportFields& fields) const { return Filler(fields, fileName_).fill(*footer_); }

}  // namespace ZQ5Reimbursement
