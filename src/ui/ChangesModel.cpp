#include "ChangesModel.h"

#include <QApplication>
#include <QFont>
#include <QStyle>
#include <QThread>
#include <utility>

#include "PortNames.h"
#include "RecordFollower.h"

namespace {

// The columns are listed in the order of their names.
constexpr int Column(HistoryColumn column) { return static_cast<int>(column); }

bool IsTime(int column) {
  return column == Column(HistoryColumn::LocalTime) || column == Column(HistoryColumn::UtcTime);
}

}  // namespace

ChangesModel::ChangesModel(std::filesystem::path record, QObject* parent)
    : QAbstractTableModel(parent), follower_(std::make_unique<RecordFollower>(std::move(record))) {}

ChangesModel::~ChangesModel() {
  if (reading_) reading_->wait();
  delete reading_;
}

int ChangesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ChangesModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kHistoryColumnCount;
}

QVariant ChangesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Row& row = RowAt(index.row());
  const bool outcome = index.column() == Column(HistoryColumn::Outcome);
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return row.cells[static_cast<size_t>(index.column())];
    case kSortRole:
      // Newest is the order written: computers' clocks differ.
      if (IsTime(index.column())) return index.row();
      return row.cells[static_cast<size_t>(index.column())];
    case Qt::DecorationRole:
      if (outcome && row.entry.pending)
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
      return {};
    case Qt::FontRole:
      if (row.entry.pending) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    default:
      return {};
  }
}

QVariant ChangesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= static_cast<int>(words_.headers.size()))
    return QAbstractTableModel::headerData(section, orientation, role);
  return QString::fromStdString(words_.headers[static_cast<size_t>(section)]);
}

void ChangesModel::SetWords(HistoryWords words) {
  words_ = std::move(words);
  emit headerDataChanged(Qt::Horizontal, 0, kHistoryColumnCount - 1);
  rewrite_ = true;
  Refresh();
}

void ChangesModel::Refresh() {
  if (reading_) {
    again_ = true;
    return;
  }
  const bool rewrite = std::exchange(rewrite_, false);
  reading_ = QThread::create([this, words = words_, rewrite] {
    if (!follower_->Read() && !rewrite) return;
    std::vector<Row> rows;
    for (ChangeEntry& entry : ChangeEntries(follower_->Lines())) {
      Row& row = rows.emplace_back(Row{std::move(entry), {}});
      for (int column = 0; column < kHistoryColumnCount; ++column)
        row.cells[static_cast<size_t>(column)] =
            QString::fromStdString(HistoryCell(row.entry, kHistoryColumns[column], words));
    }
    read_ = std::move(rows);
  });
  connect(reading_, &QThread::finished, this, &ChangesModel::TakeReading);
  reading_->start();
}

void ChangesModel::TakeReading() {
  reading_->wait();
  delete std::exchange(reading_, nullptr);
  if (read_) {
    std::vector<Row> rows = std::move(*read_);
    read_.reset();
    // Lines appended leave the rows there were where they were, and add rows
    // after them; a rotated or replaced record is read anew.
    const size_t old = rows_.size();
    bool extends = rows.size() >= old;
    for (size_t i = 0; extends && i < old; ++i)
      extends = rows[i].entry.change.id == rows_[i].entry.change.id;
    if (!extends) {
      beginResetModel();
      rows_ = std::move(rows);
      endResetModel();
    } else {
      if (rows.size() > old) {
        beginInsertRows({}, static_cast<int>(old), static_cast<int>(rows.size()) - 1);
        rows_ = std::move(rows);
        endInsertRows();
      } else {
        rows_ = std::move(rows);
      }
      if (old > 0)
        emit dataChanged(index(0, 0), index(static_cast<int>(old) - 1, kHistoryColumnCount - 1));
    }
  }
  emit Refreshed();
  if (std::exchange(again_, false)) Refresh();
}

void ChangesFilter::SetFilters(const QString& tester, const QString& port, const QString& since,
                               bool pendingOnly) {
  tester_ = tester;
  port_ = port;
  since_ = since;
  pendingOnly_ = pendingOnly;
  invalidateFilter();
}

QString ChangesFilter::PortKey(const ChangeLine& line) {
  return QString::fromStdString(UpperCasePortName(line.port) + "\n" + line.computer);
}

bool ChangesFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  const ChangesModel::Row& row = static_cast<const ChangesModel*>(sourceModel())->RowAt(sourceRow);
  const ChangeLine& change = row.entry.change;
  if (!tester_.isEmpty() && row.cells[Column(HistoryColumn::Tester)] != tester_) return false;
  if (!port_.isEmpty() && PortKey(change) != port_) return false;
  // UTC times as the record writes them: text order is time order.
  if (!since_.isEmpty() && QString::fromStdString(change.time) < since_) return false;
  return !pendingOnly_ || row.entry.pending;
}
