// The register grid on its own: cells, colours, the generic sort and the text storage.
#include "register/claimlistmodel.h"
#include "register/flexgrid.h"
#include "register/textarena.h"

#include "testhelpers.h"

#include <QTest>

using namespace ZQ5Reimbursement;

namespace {

QStringList gridColumn(const FlexGrid& grid, int col) {
    QStringList cells;
    for (int row = 1; row < grid.Rows(); ++row)
        cells << grid.TextMatrix(row, col);
    return cells;
}

}  // namespace

class TestClaimGrid : public QObject {
    Q_OBJECT
private slots:
    void arenaKeepsEveryText() {
        TextArena arena;
        const QString big(3 * 1024 * 1024, QLatin1Char('x'));  // larger than a block
        const QStringList texts{QStringLiteral("RB/1"), QString(), QStringLiteral("Zoë Ångström"),
                                QStringLiteral("emoji \U0001F600"), big, QString(200, QLatin1Char('y')),
                                QStringLiteral("after")};
        std::vector<QByteArray> utf8;
        std::vector<std::string_view> views;
        for (const QString& text : texts)
            utf8.push_back(text.toUtf8());
        for (const QByteArray& text : utf8)
            views.emplace_back(text.constData(), std::size_t(text.size()));
        // Each alone, then all as one row; UTF-8 is kept byte for byte.
        QList<TextArena::Ref> refs;
        for (const std::string_view text : views)
            refs << arena.add({&text, 1});
        const TextArena::Ref row = arena.add(views);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            QCOMPARE(arena.text(refs[i]), texts[i]);
            QCOMPARE(QByteArrayView(arena.bytes(row, std::size_t(i))), QByteArrayView(utf8[std::size_t(i)]));
        }
        QCOMPARE(refs[1], TextArena::EmptyText);
        QCOMPARE(arena.add(std::vector<std::string_view>(3)), TextArena::EmptyText);
    }

    void cellsColoursAndRangeErrors() {
        FlexGrid grid;
        grid.setFormatString(QStringLiteral("A|B"));
        grid.setTextMatrix(1, 1, QStringLiteral("first"));
        grid.AddItem(QStringLiteral("7\tsecond"));
        QCOMPARE(gridColumn(grid, 1), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
        grid.setCellForeColor(2, 1, QColor(255, 0, 0));
        QCOMPARE(grid.model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QVERIFY(!grid.model()->index(0, 1).data(Qt::ForegroundRole).isValid());
        QCOMPARE(grid.model()->index(1, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("second"));
        QCOMPARE(errorNumberOf([&] { grid.setTextMatrix(1, 2, QStringLiteral("x")); }), 381L);
        const std::string_view tooMany[] = {"a", "b", "x"};
        QCOMPARE(errorNumberOf([&] { grid.setRowTextMatrixUtf8(1, tooMany); }), 381L);
        const std::string_view first[] = {"Zo\xc3\xab"};
        grid.setRowTextMatrixUtf8(1, first);
        const std::string_view caption[] = {"Caption"};
        grid.setRowTextMatrixUtf8(0, caption);
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("Zoë"));
        QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("Caption"));
        QCOMPARE(errorNumberOf([&] { grid.TextMatrix(3, 0); }), 381L);
        QCOMPARE(errorNumberOf([&] { grid.setRow(0); }), 381L);
        grid.setRow(2);
        grid.selectCurrentRow();
        QVERIFY(grid.Row() == 2 && grid.Col() == 0 && grid.selectionModel()->selectedIndexes().size() == 2);
    }

    void genericSortOrdersNumbersByValueAndTextInCapitals() {
        FlexGrid grid;
        grid.setFormatString(QStringLiteral("K|Tag"));
        const QStringList keys{QStringLiteral("10"), QStringLiteral("b"), QStringLiteral("9"), QString(),
                               QStringLiteral("A"), QStringLiteral("100"), QStringLiteral("a")};
        grid.setTextMatrix(1, 0, keys[0]);
        grid.setTextMatrix(1, 1, QStringLiteral("0"));
        for (int i = 1; i < keys.size(); ++i)
            grid.AddItem(keys[i] + QLatin1Char('\t') + QString::number(i));
        grid.setCellForeColor(3, 0, QColor(255, 0, 0));  // the "9" row keeps its colour when moved
        grid.Sort(0, Qt::AscendingOrder);
        QCOMPARE(gridColumn(grid, 0), (QStringList{QString(), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("100"),
                                               QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(gridColumn(grid, 1).at(4), QStringLiteral("4"));  // equal keys keep their order
        QCOMPARE(grid.model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        grid.Sort(0, Qt::DescendingOrder);
        QCOMPARE(gridColumn(grid, 0).first(), QStringLiteral("b"));
        QCOMPARE(gridColumn(grid, 0).last(), QString());
        grid.AddItem(QStringLiteral("0\tnew"));  // appended rows go to the bottom
        QCOMPARE(gridColumn(grid, 1).last(), QStringLiteral("new"));
        grid.Sort(0, Qt::DescendingOrder);
        QCOMPARE(gridColumn(grid, 0).at(6), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestClaimGrid)
#include "tst_claimgrid.moc"
