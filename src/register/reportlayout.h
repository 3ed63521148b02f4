// A report file: rich text in Qt's HTML subset with placeholders that the
// report fills from its fields.
//
//   {{name}}                 the field's value, HTML-escaped (line breaks kept)
//   {{#name}}...{{/name}}    a list: the block once per row, the row's fields
//                            first; any other field: the block when it is not empty
//   {{^name}}...{{/name}}    the block when the list or field is empty
//   {{#pageheader}}...{{/pageheader}}, {{#pagefooter}}...{{/pagefooter}}
//                            drawn at the top and bottom of every page, where
//                            {{page}} and {{pages}} give the page number and count
//
// Placeholders inside HTML comments are left alone.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace ZQ5Reimbursement {

using ReportRow = QHash<QString, QString>;

struct ReportFields {
    ReportRow values;
    QHash<QString, QList<ReportRow>> lists;
};

class ReportLayout {
public:
    struct Node;

    // Raises adodb::Error for a malformed layout, naming `fileName` and the line.
    ReportLayout(const QString& text, const QString& fileName);
    // Raises adodb::Error when the file is missing, unreadable or malformed.
    static ReportLayout fromFile(const QString& path);

    // The filled parts; a placeholder naming no field raises adodb::Error.
    QString body(const ReportFields& fields) const;
    QString pageHeader(const ReportFields& fields) const;
    QString pageFooter(const ReportFields& fields) const;

private:
    QString fileName_;
    std::shared_ptr<const std::vector<Node>> body_, header_, footer_;
};

}  // namespace ZQ5Reimbursement
