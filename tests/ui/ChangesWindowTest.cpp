#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "ChangeHistory.h"
#include "HexBytes.h"
#include "MainWindowFixture.h"
#include "RecordedLines.h"
#include "RegionalFormat.h"
#include "fmChanges_.h"

namespace {

// The record's time of a moment some days back, as the record writes it.
std::string DaysAgo(int days) {
  return QDateTime::currentDateTimeUtc().addDays(-days).toString(Qt::ISODateWithMs).toStdString();
}

// Reads CSV back as a spreadsheet program does: a byte-order mark says
// UTF-8; cells part at the separator outside quotes, "" in quotes is one.
std::vector<QStringList> SpreadsheetRows(QByteArray bytes, QChar separator) {
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
  std::vector<QStringList> rows(1);
  QString cell;
  bool quoted = false;
  const QString text = QString::fromUtf8(bytes.mid(3));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      cell += c, ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == separator || c == '\r')) {
      rows.back() << std::exchange(cell, QString());
      if (c == '\r') rows.emplace_back(), ++i;  // CRLF
    } else {
      cell += c;
    }
  }
  rows.pop_back();
  return rows;
}

}  // namespace

// A record of changes from two programs, on two computers' COM3 and on COM4,
// with a half-change pending, its tester on the program's port.
using ChangesWindow = MainWindowFixture;
TEST_F(ChangesWindow, FiltersFinishFollowAndExport) {
  const std::string halfChange = TvaHalfChangedLine();
  const std::string old = DaysAgo(60);
  std::ofstream(record_.File())
      << R"({"id":"old","time":")" + old +
             R"(","program":"kavel-cli","version":"1.0","computer":"+LAB-2","user":"jan \"QA\"",)"
             R"("port":"COM3","versionText":"DKL-310 v1.00","model":"DKL-310","setting":)"
             R"("nominal-voltage","from":230,"to":220,"outcome":"done"})"
             "\n"
      << std::string(halfChange).replace(halfChange.find("2026-12-07T10:00:00.000Z"), 24, DaysAgo(2))
      << R"({"id":"new","time":")" + DaysAgo(0) +
             R"(","program":"kavel-setup","computer":"PC","user":"tech","port":"COM4",)"
             R"("versionText":"TVA-740 v2.01","model":"TVA-740","setting":"auto-mode",)"
             R"("from":60,"to":68,"outcome":"done"})"
             "\n";
  Remember("COM3", "TVA740v2_299Type");
  tester_.SetEepromBytes(40, Bytes("66 87"));
  TForm1& form = Start();
  form.mmChanges()->trigger();
  TfmChanges& window = *form.fmChanges;
  QTableView& view = *window.tvChanges();
  QAbstractItemModel& shown = *view.model();
  QTRY_COMPARE(shown.rowCount(), 3);
  EXPECT_EQ(window.focusWidget(), &view);
  EXPECT_LE((window.frameGeometry().center() - form.frameGeometry().center()).manhattanLength(), 20);
  const auto cell = [&](int row, HistoryColumn column) {
    return shown.index(row, static_cast<int>(column)).data().toString();
  };
  EXPECT_EQ(view.currentIndex().row(), 0);
  EXPECT_EQ(cell(0, HistoryColumn::Port), "COM4");  // newest first
  EXPECT_EQ(cell(2, HistoryColumn::LocalTime),
            QDateTime::fromString(QString::fromStdString(old), Qt::ISODateWithMs)
                .toLocalTime()
                .toString("yyyy-MM-dd HH:mm:ss"));

  struct FilterRow {
    const char* tester;  // the item's text; "" for all
    QString port;        // the item's key; "" for all
    int period;          // all, today, 30 days
    bool pending;
    int rows;
  };
  const QString here = QString::fromStdString(ComputerName());
  for (const FilterRow& row : {FilterRow{"", "", 0, false, 3}, FilterRow{"TVA-740 v2.01", "", 0, false, 2},
                               FilterRow{"DKL-310 v1.00", "", 0, false, 1},
                               FilterRow{"", "COM3\n" + here, 0, false, 1},
                               FilterRow{"", "COM3\n+LAB-2", 0, false, 1},
                               FilterRow{"TVA-740 v2.01", "COM3\n+LAB-2", 0, false, 0},
                               FilterRow{"", "", 1, false, 1}, FilterRow{"", "", 2, false, 2},
                               FilterRow{"", "", 0, true, 1}}) {
    window.cbTester()->setCurrentIndex(std::max(0, window.cbTester()->findText(row.tester)));
    window.cbPort()->setCurrentIndex(std::max(0, window.cbPort()->findData(row.port)));
    window.cbPeriod()->setCurrentIndex(row.period);
    window.cbPending()->setChecked(row.pending);
    EXPECT_EQ(shown.rowCount(), row.rows) << row.tester << row.port.toStdString() << row.period;
  }

  // Finish on the pending one: asked, naming the tester, the port and the
  // bytes, with No the default; written as the offer writes it.
  EXPECT_TRUE(cell(0, HistoryColumn::Outcome).contains("not yet put right"));
  EXPECT_TRUE(window.bbFinish()->isEnabled());
  boxes_.answers = {true};
  window.bbFinish()->click();
  ASSERT_EQ(boxes_.shown.size(), 2u);
  for (const char* named : {"TVA-740 v2.01", "COM3", "34 12 → 3E 12"})
    EXPECT_TRUE(boxes_.shown[0].text.contains(named)) << boxes_.shown[0].text.toStdString();
  EXPECT_FALSE(boxes_.shown[0].yesIsDefault);
  EXPECT_EQ(boxes_.shown[1].text.toStdString(), RepairedText(Repair::Finish));
  EXPECT_EQ(tester_.Eeprom().substr(126, 2), Bytes("3E 12"));
  QTRY_COMPARE(shown.rowCount(), 0);  // pending no longer
  window.cbPending()->setChecked(false);
  EXPECT_TRUE(cell(1, HistoryColumn::Outcome).startsWith("half-changed; finished "));

  // Enter on its row: every line of it, the change's and the repair's.
  view.setCurrentIndex(shown.index(1, 0));
  QTest::keyClick(&view, Qt::Key_Return);
  EXPECT_EQ(boxes_.shown.back().details.count("calibration word (EEPROM 126)"), 2);

  // A change another program makes shows while the window is open; given up
  // there, nothing is written to a tester.
  ChangeLine line = *ParseChangeLine(halfChange);
  line.id = "another";
  record_.Append(line);
  QTRY_COMPARE(shown.rowCount(), 4);
  view.setCurrentIndex(shown.index(0, 0));
  boxes_.answers = {true};
  window.bbGiveUp()->click();
  EXPECT_FALSE(boxes_.shown.end()[-2].yesIsDefault);
  QTRY_VERIFY(cell(0, HistoryColumn::Outcome).startsWith("half-changed; given up "));
  EXPECT_EQ(tester_.Eeprom().substr(126, 2), Bytes("3E 12"));

  // The export, read back as a spreadsheet reads it: every cell as shown, a
  // formula's first character guarded.
  ASSERT_TRUE(window.ExportTo(QString::fromStdString((dir_ / "changes.csv").string())));
  QFile file(QString::fromStdString((dir_ / "changes.csv").string()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const std::vector<QStringList> rows =
      SpreadsheetRows(file.readAll(), QString::fromStdString(ListSeparator())[0]);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0][0], shown.headerData(0, Qt::Horizontal).toString());
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < kHistoryColumnCount; ++column) {
      const QString text = shown.index(row, column).data().toString();
      EXPECT_EQ(rows[row + 1][column], !text.isEmpty() && QString("=+-@").contains(text[0]) ? "'" + text : text);
    }
  }
  EXPECT_EQ(rows[4][static_cast<int>(HistoryColumn::ComputerUser)], "'+LAB-2 / jan \"QA\"");
}
