// SQLite files for the benchmark: the shipped schema, one company with its
// employees, types, an eligibility rule per type, settings, layout, prefix
// and rights, and any number of claims. Each file is built once per run and
// shared by the rows that read it; rows that write get a copy of their own.
#pragma once

#include <QHash>
#include <QString>

namespace bench {

constexpr int companyId = 1;
constexpr int userId = 5;
constexpr int interfaceId = 42;
constexpr int typeCount = 12;

struct DatabaseShape {
    int claims = 0;
    int employees = 500;
    int types = typeCount;
    int linesPerClaim = 0;
};

// Creates `path` with claims RB1, RB2, ... of company 1 (every tenth
// cancelled), dated over the four years before 15 March 2004 and spread
// over the employees and types, each with `linesPerClaim` bill lines.
void buildDatabase(const QString& path, const DatabaseShape& shape);

class Databases {
public:
    explicit Databases(QString folder) : folder_(std::move(folder)) {}

    // The register's file: `claims` claims over 500 employees and 12 types.
    const QString& registerFile(int claims);
    // One employee with 100,000 claims of one type, one bill line each, all
    // inside that type's eligibility rule.
    const QString& eligibilityFile();
    // A fresh copy of a built file, for rows that change what they read.
    QString copyOf(const QString& path, const QString& name);

private:
    const QString& file(const QString& name, const DatabaseShape& shape);

    QString folder_;
    QHash<QString, QString> built_;
};

}  // namespace bench
