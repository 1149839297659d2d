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
    const auto rowsOf = [&](const std::vector<ChangeLine>& lines) {
      std::vector<Row> rows;
      for (ChangeEntry& entry : ChangeEntries(lines)) {
        Row& row = rows.emplace_back(Row{std::move(entry), {}});
        for (int column = 0; column < kHistoryColumnCount; ++column)
          row.cells[static_cast<size_t>(column)] =
              QString::fromStdString(HistoryCell(row.entry, kHistoryColumns[column], words));
      }
      return rows;
    };
    // The newest changes show while the rest is read: a change's later
    // lines come after its first.
    const auto newest = [&](const std::vector<ChangeLine>& lines) {
      QMetaObject::invokeMethod(
          this, [this, rows = rowsOf(lines)]() mutable { Show(std::move(rows)); },
          Qt::QueuedConnection);
    };
    // A record that cannot be read now keeps the rows it showed; the next
    // reading tries again. Nothing may leave the thread.
    try {
      if (!follower_->Read(newest) && !rewrite) return;
      read_ = rowsOf(follower_->Lines());
    } catch (const std::exception&) {
      read_.reset();
    }
  });
  connect(reading_, &QThread::finished, this, &ChangesModel::TakeReading);
  reading_->start();
}

void ChangesModel::TakeReading() {
  reading_->wait();
  delete std::exchange(reading_, nullptr);
  if (read_) Show(std::move(*std::exchange(read_, std::nullopt)));
  if (std::exchange(again_, false)) Refresh();
}

void ChangesModel::Show(std::vector<Row> rows) {
  // Lines appended leave the rows there were, and add rows after them; the
  // older files read after the current one add rows before them. Anything
  // else (a rotated or replaced record) is shown anew.
  const size_t old = rows_.size();
  const auto sameFrom = [&](size_t first) {
    for (size_t i = 0; i < old; ++i)
      if (rows[first + i].entry.change.id != rows_[i].entry.change.id) return false;
    return true;
  };
  const int added = static_cast<int>(rows.size()) - static_cast<int>(old);
  if (added >= 0 && sameFrom(0)) {
    if (added > 0) beginInsertRows({}, static_cast<int>(old), static_cast<int>(rows.size()) - 1);
    rows_ = std::move(rows);
    if (added > 0) endInsertRows();
    if (old > 0)
      emit dataChanged(index(0, 0), index(static_cast<int>(old) - 1, kHistoryColumnCount - 1));
  } else if (added > 0 && sameFrom(static_cast<size_t>(added))) {
    beginInsertRows({}, 0, added - 1);
    rows_ = std::move(rows);
    endInsertRows();
    emit dataChanged(index(added, 0), index(rowCount() - 1, kHistoryColumnCount - 1));
  } else {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  emit Refreshed();
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
