// The grid model over a dataset: cells read by row without moving the cursor, formats,
// the view's selection and the cursor kept together, sorting by a title click, and
// following the dataset as it opens, refreshes, posts, inserts, cancels and deletes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <memory>

#include "../db/DbTestSupport.h"
#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Table.h"
#include "ui/DatasetTableModel.h"

namespace {

class DatasetTableModelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "dataset_table_model_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    DatasetTableModelTest() : ctx_(std::make_unique<testsupport::ScriptedPrompter>()) {
        EXPECT_TRUE(connection_.Connect(dbtest::SocketParams(db_))) << connection_.LastError().toStdString();
        db_.Exec(
            "CREATE TABLE stock (id int AUTO_INCREMENT PRIMARY KEY, name varchar(30), amount decimal(15,2), "
            "day date, qty int);"
            "INSERT INTO stock (name, amount, day, qty) VALUES ('Bolt', 1234.5, '2024-05-01', 3), "
            "('Anker', 2.25, NULL, 10), ('Clips', 1234567.891, '2023-12-24', NULL), ('Dübel', NULL, NULL, 7)");
        table_.SetOrder("id");
        EXPECT_TRUE(table_.Open());
    }

    std::vector<DatasetColumn> Columns() const {
        return {{"name", "Navn", "", true}, {"amount", "Beløp", "### ##0.00", false}, {"day", "Dato", "", false},
                {"qty", "Antall", "", true}};
    }
    QString Cell(const DatasetTableModel& m, int row, int column) const { return m.CellText(row, column); }

    AppContext ctx_;
    testsupport::TestDatabase db_;
    Connection connection_;
    Table table_{connection_, "stock"};
};

TEST_F(DatasetTableModelTest, CellsAreReadByRowWithFormatsAndTheCursorStays) {
    DatasetTableModel model(table_, Columns());
    ASSERT_EQ(model.rowCount(), 4);
    ASSERT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Beløp");
    table_.SetRecNo(2);
    const struct {
        int row, column;
        const char* text;
    } cases[] = {
        {0, 0, "Bolt"},         {0, 1, "1 234.50"}, {0, 2, "01.05.2024"}, {0, 3, "3"},
        {2, 1, "1 234 567.89"}, {2, 2, "24.12.2023"}, {1, 1, "2.25"},     {1, 2, ""},
        {3, 0, "Dübel"},        {3, 1, ""},         {3, 3, "7"},          {2, 3, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(model.data(model.index(c.row, c.column)).toString(), QString::fromUtf8(c.text))
            << c.row << "," << c.column;
    EXPECT_EQ(table_.RecNo(), 2);  // reading every cell never moved the cursor
    EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_FALSE(model.data(model.index(0, 0), Qt::TextAlignmentRole).isValid());

    EXPECT_EQ(DatasetTableModel::FormatNumber(-0.004, "### ##0.00"), "0.00");
    EXPECT_EQ(DatasetTableModel::FormatNumber(12.5, "0.000"), "12.500");
    EXPECT_EQ(DatasetTableModel::FormatNumber(1999.6, "0"), "2000");
}

TEST_F(DatasetTableModelTest, TheViewAndTheCursorMoveTogether) {
    DatasetTableModel model(table_, Columns());
    QTableView view;
    model.AttachView(&view);
    view.show();
    EXPECT_EQ(view.currentIndex().row(), 0);

    view.selectRow(2);
    EXPECT_EQ(table_.RecNo(), 3);
    EXPECT_EQ(table_.AsString("name"), "Clips");

    table_.Last();
    EXPECT_EQ(view.currentIndex().row(), 3);
    EXPECT_TRUE(view.selectionModel()->isRowSelected(3, QModelIndex()));
    table_.First();
    EXPECT_EQ(view.currentIndex().row(), 0);

    // A row whose changes cannot be saved is not left: the selection goes back to it.
    db_.Exec("ALTER TABLE stock MODIFY name varchar(5)");
    ASSERT_TRUE(table_.Edit());
    ASSERT_TRUE(table_.SetString("name", "Altfor lang"));
    view.selectRow(1);
    EXPECT_EQ(table_.RecNo(), 1);
    EXPECT_TRUE(table_.IsEditing());
    EXPECT_EQ(view.currentIndex().row(), 0);
    EXPECT_EQ(model.CellText(0, 0), "Altfor lang");  // the row being edited shows the typed value
    table_.Cancel();
    EXPECT_EQ(model.CellText(0, 0), "Bolt");
}

TEST_F(DatasetTableModelTest, ATitleClickOrdersTheTableAndAgainDescending) {
    DatasetTableModel model(table_, Columns());
    QTableView view;
    model.AttachView(&view);
    emit view.horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(table_.Order(), "name");
    EXPECT_EQ(model.CellText(0, 0), "Anker");
    EXPECT_EQ(model.CellText(3, 0), "Dübel");
    EXPECT_EQ(view.currentIndex().row(), 0);
    emit view.horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(table_.Order(), "name DESC");
    EXPECT_EQ(model.CellText(0, 0), "Dübel");
    emit view.horizontalHeader()->sectionClicked(3);
    EXPECT_EQ(table_.Order(), "qty");

    // An owner's handler decides instead (a query has no order to set).
    QStringList asked;
    model.SetSortHandler([&](const QString& field) { asked << field; });
    emit view.horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(asked, QStringList{"amount"});
    EXPECT_EQ(table_.Order(), "qty");
}

TEST_F(DatasetTableModelTest, FollowsTheDatasetThroughItsLife) {
    DatasetTableModel model(table_, Columns());
    QTableView view;
    model.AttachView(&view);
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });

    // Rows added elsewhere appear on refresh, and the cursor stays on its row.
    table_.SetRecNo(2);
    db_.Exec("INSERT INTO stock (name) VALUES ('Eple')");
    ASSERT_TRUE(table_.Refresh());
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.CellText(4, 0), "Eple");
    EXPECT_EQ(view.currentIndex().row(), 1);

    // A new record shows as an extra row while it is inserted, and the view is on it.
    ASSERT_TRUE(table_.Append());
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.CurrentRow(), 5);
    EXPECT_EQ(view.currentIndex().row(), 5);
    table_.SetString("name", "Fil");
    EXPECT_EQ(model.CellText(5, 0), "Fil");
    table_.Cancel();
    EXPECT_EQ(model.rowCount(), 5);
    ASSERT_TRUE(table_.Append());
    table_.SetString("name", "Fil");
    ASSERT_TRUE(table_.Post());
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.CellText(5, 0), "Fil");
    EXPECT_EQ(db_.Scalar("SELECT COUNT(*) FROM stock WHERE name='Fil'"), "1");

    // Deleting and closing.
    table_.First();
    ASSERT_TRUE(table_.Delete());
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.CellText(0, 0), "Anker");
    table_.Close();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(view.currentIndex().row(), -1);
    ASSERT_TRUE(table_.Open());
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_GT(resets, 0);
}

TEST_F(DatasetTableModelTest, EditingACellEditsTheRowAndLeavingItSaves) {
    DatasetTableModel model(table_, Columns());
    QTableView view;
    model.AttachView(&view);
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);  // not an editable column
    EXPECT_FALSE(model.setData(model.index(1, 1), "5"));

    ASSERT_TRUE(model.setData(model.index(2, 3), "42"));
    EXPECT_EQ(table_.RecNo(), 3);
    EXPECT_TRUE(table_.IsEditing());
    EXPECT_EQ(model.CellText(2, 3), "42");
    EXPECT_EQ(model.headerData(2, Qt::Vertical).toString(), "*");
    EXPECT_EQ(db_.Scalar("SELECT qty FROM stock WHERE name='Clips'"), "NULL");
    view.selectRow(0);
    EXPECT_FALSE(table_.IsEditing());
    EXPECT_EQ(db_.Scalar("SELECT qty FROM stock WHERE name='Clips'"), "42");

    // A read-only dataset offers nothing to edit.
    table_.Close();
    table_.SetReadOnly(true);
    ASSERT_TRUE(table_.Open());
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(DatasetTableModelTest, AQueryAndAFieldItDoesNotHave) {
    Query query(connection_, "SELECT id, name FROM stock ORDER BY name");
    ASSERT_TRUE(query.Open());
    DatasetTableModel model(query, {{"name", "Navn", "", false}, {"nosuch", "?", "", false}});
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.CellText(0, 0), "Anker");
    EXPECT_EQ(model.CellText(0, 1), "");
    model.RequestSort(0);  // nothing to order without a handler
    EXPECT_EQ(model.CellText(0, 0), "Anker");
}

}  // namespace

namespace {

// A big table is read in pages: the grid shows what has been read, asks for more as it
// scrolls, and grows when the cursor pulls in rows itself.
TEST_F(DatasetTableModelTest, ABigTableGrowsPageByPage) {
    db_.Exec(
        "CREATE TABLE big (id int AUTO_INCREMENT PRIMARY KEY, name varchar(30));"
        "INSERT INTO big (name) SELECT CONCAT('rad ', seq) FROM seq_1_to_3000");
    Table big(connection_, "big");
    big.SetOrder("id");
    ASSERT_TRUE(big.Open());
    DatasetTableModel model(big, {{"name", "Navn"}});
    const int first = model.rowCount();
    ASSERT_LT(first, 3000);
    EXPECT_TRUE(model.canFetchMore(QModelIndex()));
    EXPECT_EQ(model.CellText(first - 1, 0), "rad " + QString::number(first));

    int inserted = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int from, int to) { inserted += to - from + 1; });
    model.fetchMore(QModelIndex());
    EXPECT_GT(model.rowCount(), first);
    EXPECT_EQ(inserted, model.rowCount() - first);

    // The cursor walking to the end brings in the rest; the grid follows.
    while (big.Next()) {
    }
    EXPECT_EQ(model.rowCount(), 3000);
    EXPECT_EQ(inserted, 3000 - first);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
    EXPECT_EQ(model.CellText(2999, 0), "rad 3000");
}

}  // namespace
