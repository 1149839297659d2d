#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "ChangeHistory.h"

class QThread;
class RecordFollower;

// The record of changes as the window lists it: a row per change, oldest
// first (the view shows them newest first). The files are read in the
// background, only what was appended at each later reading, so that the
// window never waits for a big record.
class ChangesModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  struct Row {
    ChangeEntry entry;
    std::array<QString, kHistoryColumnCount> cells;
  };
  // What a column sorts by: the order written for the times.
  static constexpr int kSortRole = Qt::UserRole;

  ChangesModel(std::filesystem::path record, QObject* parent);
  ~ChangesModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  const Row& RowAt(int row) const { return rows_[static_cast<size_t>(row)]; }
  const HistoryWords& Words() const { return words_; }
  // The words of the language in use, for every row anew.
  void SetWords(HistoryWords words);

  // Reads what the record has new, in the background; the rows follow when
  // it is read.
  void Refresh();
  // A reading is under way.
  bool Reading() const { return reading_ != nullptr; }

 signals:
  // The rows changed: new ones, or new lines of old ones.
  void Refreshed();

 private:
  void TakeReading();
  // Puts the rows read in place of the rows there were.
  void Show(std::vector<Row> rows);

  std::unique_ptr<RecordFollower> follower_;  // the reading thread's alone while it runs
  HistoryWords words_;
  std::vector<Row> rows_;
  QThread* reading_ = nullptr;
  std::optional<std::vector<Row>> read_;  // the reading's rows; none when nothing changed
  bool again_ = false;                    // read again once this reading is done
  bool rewrite_ = false;                  // the words changed: every row anew
};

// The rows the window's filters let through.
class ChangesFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

  // Empty: any. since is a UTC time as the record writes it.
  void SetFilters(const QString& tester, const QString& port, const QString& since,
                  bool pendingOnly);

  // The key of a row's port: the same name on two computers is two ports.
  static QString PortKey(const ChangeLine& line);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  QString tester_, port_, since_;
  bool pendingOnly_ = false;
};
