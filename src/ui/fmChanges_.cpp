#include "fmChanges_.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QSaveFile>
#include <QTableView>
#include <QTimer>
#include <map>

#include "ChangeRecord.h"
#include "ChangeRecorder.h"
#include "HandlerGuard.h"
#include "MessageBoxes.h"
#include "MeterHost.h"
#include "PathText.h"
#include "RegionalFormat.h"
#include "TesterWrite.h"
#include "ui_fmChanges_.h"

namespace {

// A shared record on a network folder changes without the watcher hearing
// of it, and the watcher loses the file at each rotation: it is read again
// this often besides, only what was appended.
constexpr int kPollMs = 2000;
constexpr int kInitialWidth = 1180;
constexpr int kInitialHeight = 420;
// A column of long texts starts no wider; the user widens it.
constexpr int kWidestColumn = 260;

constexpr int Column(HistoryColumn column) { return static_cast<int>(column); }

// The record's words in the language in use.
HistoryWords TranslatedHistoryWords() {
  const auto text = [](const char* english) {
    return QCoreApplication::translate("ChangeHistory", english).toStdString();
  };
  HistoryWords words;
  words.headers = {text(QT_TRANSLATE_NOOP("ChangeHistory", "Time")),
                   text(QT_TRANSLATE_NOOP("ChangeHistory", "Time (UTC)")),
                   text(QT_TRANSLATE_NOOP("ChangeHistory", "Program")),
                   text(QT_TRANSLATE_NOOP("ChangeHistory", "Computer and user")),
                   text(QT_TRANSLATE_NOOP("ChangeHistory", "Port")),
                   text(QT_TRANSLATE_NOOP("ChangeHistory", "Tester")),
                   text(QT_TRANSLATE_NOOP("ChangeHistory", "Setting")),
                   text(QT_TRANSLATE_NOOP("ChangeHistory", "Outcome"))};
  words.voltage = text(QT_TRANSLATE_NOOP("ChangeHistory", "nominal voltage %1 V → %2 V"));
  words.autoMode = text(QT_TRANSLATE_NOOP("ChangeHistory", "AUTO mode: %1 → %2"));
  words.list = text(QT_TRANSLATE_NOOP("ChangeHistory", "%1, %2"));
  words.measurements = {
      text(QT_TRANSLATE_NOOP("ChangeHistory", "trip time 0.5×IΔn positive")),
      text(QT_TRANSLATE_NOOP("ChangeHistory", "trip time 0.5×IΔn negative")),
      text(QT_TRANSLATE_NOOP("ChangeHistory", "trip time 1×IΔn positive")),
      text(QT_TRANSLATE_NOOP("ChangeHistory", "trip time 1×IΔn negative")),
      text(QT_TRANSLATE_NOOP("ChangeHistory", "trip time 5×IΔn positive")),
      text(QT_TRANSLATE_NOOP("ChangeHistory", "trip time 5×IΔn negative")),
      text(QT_TRANSLATE_NOOP("ChangeHistory", "trip current IΔ positive")),
      text(QT_TRANSLATE_NOOP("ChangeHistory", "trip current IΔ negative"))};
  words.done = text(QT_TRANSLATE_NOOP("ChangeHistory", "done"));
  words.putBack = text(QT_TRANSLATE_NOOP("ChangeHistory", "put back"));
  words.halfChanged = text(QT_TRANSLATE_NOOP("ChangeHistory", "half-changed"));
  words.notWritten = text(QT_TRANSLATE_NOOP("ChangeHistory", "not written"));
  words.repaired = text(QT_TRANSLATE_NOOP("ChangeHistory", "repaired"));
  words.givenUp = text(QT_TRANSLATE_NOOP("ChangeHistory", "given up"));
  words.pending = text(QT_TRANSLATE_NOOP("ChangeHistory", "%1, not yet put right"));
  words.finishedAt = text(QT_TRANSLATE_NOOP("ChangeHistory", "%1; finished %2"));
  words.undoneAt = text(QT_TRANSLATE_NOOP("ChangeHistory", "%1; undone %2"));
  words.tookAt = text(QT_TRANSLATE_NOOP("ChangeHistory", "%1; found to have taken %2"));
  words.didNotTakeAt = text(QT_TRANSLATE_NOOP("ChangeHistory", "%1; found not to have taken %2"));
  words.givenUpAt = text(QT_TRANSLATE_NOOP("ChangeHistory", "%1; given up %2"));
  words.detailLine = text(QT_TRANSLATE_NOOP("ChangeHistory", "%1  %2, %3: %4 (%5 %6, %7 / %8, %9)"));
  words.started = text(QT_TRANSLATE_NOOP("ChangeHistory", "started"));
  words.change = text(QT_TRANSLATE_NOOP("ChangeHistory", "change"));
  words.finish = text(QT_TRANSLATE_NOOP("ChangeHistory", "finish"));
  words.undo = text(QT_TRANSLATE_NOOP("ChangeHistory", "undo"));
  words.check = text(QT_TRANSLATE_NOOP("ChangeHistory", "check"));
  words.forget = text(QT_TRANSLATE_NOOP("ChangeHistory", "give-up"));
  words.location = text(QT_TRANSLATE_NOOP(
      "ChangeHistory", "    %1 (EEPROM %2): before %3, written %4, put back %5: %6"));
  words.locationOutcomes = {text(QT_TRANSLATE_NOOP("ChangeHistory", "planned")),
                            text(QT_TRANSLATE_NOOP("ChangeHistory", "written")),
                            text(QT_TRANSLATE_NOOP("ChangeHistory", "put back")),
                            text(QT_TRANSLATE_NOOP("ChangeHistory", "not written")),
                            text(QT_TRANSLATE_NOOP("ChangeHistory", "unknown"))};
  return words;
}

// The period filter's items, in order: how far back each reaches.
enum Period { kAllTime, kToday, kThirtyDays };

// A UTC time as the record writes it.
QString RecordTime(const QDateTime& time) {
  return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + QLatin1Char('Z');
}

// What a repair will write, location by location, as the tester holds it now.
QString RepairWrites(const FoundHalfChange& found, Repair repair) {
  const ChangeLine& halfChange = found.line;
  QStringList writes;
  for (size_t i = 0; i < halfChange.locations.size(); ++i) {
    const LocationLine& location = halfChange.locations[i];
    const std::string target = repair == Repair::Finish ? location.written : location.before;
    const std::string now = HexText(found.examined.found[i]);
    if (now == target) continue;
    writes << QStringLiteral("%1 (EEPROM %2): %3 → %4")
                  .arg(QString::fromStdString(LocationName(halfChange.model, location.address,
                                                           TranslatedHalfChangeWords())))
                  .arg(location.address)
                  .arg(QString::fromStdString(now), QString::fromStdString(target));
  }
  return writes.join(QStringLiteral("; "));
}

}  // namespace

TfmChanges::TfmChanges(MeterHost& host, OnTester onTester, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfmChanges>()),
      host_(host),
      onTester_(std::move(onTester)),
      model_(new ChangesModel(ChangeRecordPath(), this)),
      filter_(new ChangesFilter(this)),
      watcher_(new QFileSystemWatcher(this)),
      poll_(new QTimer(this)),
      record_(Utf8Of(ChangeRecordPath())) {
  ui_->setupUi(this);
  resize(kInitialWidth, kInitialHeight);
  filter_->setSourceModel(model_);
  filter_->setSortRole(ChangesModel::kSortRole);
  filter_->setSortLocaleAware(true);
  QTableView& view = *ui_->tvChanges;
  view.setModel(filter_);
  view.horizontalHeader()->setSectionsMovable(false);
  view.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // The local time says when; the UTC time goes to the export.
  view.setColumnHidden(Column(HistoryColumn::UtcTime), true);
  // Newest first: the order written.
  view.horizontalHeader()->setSortIndicator(Column(HistoryColumn::LocalTime), Qt::DescendingOrder);
  view.setSortingEnabled(true);
  Translate();

  connect(model_, &ChangesModel::Refreshed, this, &TfmChanges::Refreshed);
  connect(view.selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TfmChanges::CurrentChanged);
  connect(filter_, &QAbstractItemModel::modelReset, this, &TfmChanges::Refreshed);
  for (QComboBox* box : {ui_->cbTester, ui_->cbPort, ui_->cbPeriod})
    connect(box, &QComboBox::currentIndexChanged, this, &TfmChanges::ApplyFilters);
  connect(ui_->cbPending, &QCheckBox::toggled, this, &TfmChanges::ApplyFilters);
  // Enter on a row opens its details.
  ConnectCommand(&view, &QTableView::activated, this, &TfmChanges::bbDetailsClick);
  ConnectCommand(ui_->bbDetails, &QPushButton::clicked, this, &TfmChanges::bbDetailsClick);
  ConnectCommand(ui_->bbFinish, &QPushButton::clicked, this, &TfmChanges::bbFinishClick);
  ConnectCommand(ui_->bbUndo, &QPushButton::clicked, this, &TfmChanges::bbUndoClick);
  ConnectCommand(ui_->bbGiveUp, &QPushButton::clicked, this, &TfmChanges::bbGiveUpClick);
  ConnectCommand(ui_->bbExport, &QPushButton::clicked, this, &TfmChanges::bbExportClick);
  connect(ui_->bbClose, &QPushButton::clicked, this, &QDialog::close);

  connect(watcher_, &QFileSystemWatcher::fileChanged, model_, &ChangesModel::Refresh);
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
    Watch();
    model_->Refresh();
  });
  poll_->setInterval(kPollMs);
  connect(poll_, &QTimer::timeout, this, [this] {
    Watch();
    model_->Refresh();
  });
  Watch();
}

TfmChanges::~TfmChanges() = default;

QTableView* TfmChanges::tvChanges() const { return ui_->tvChanges; }
QComboBox* TfmChanges::cbTester() const { return ui_->cbTester; }
QComboBox* TfmChanges::cbPort() const { return ui_->cbPort; }
QComboBox* TfmChanges::cbPeriod() const { return ui_->cbPeriod; }
QCheckBox* TfmChanges::cbPending() const { return ui_->cbPending; }
QPushButton* TfmChanges::bbFinish() const { return ui_->bbFinish; }
QPushButton* TfmChanges::bbUndo() const { return ui_->bbUndo; }
QPushButton* TfmChanges::bbGiveUp() const { return ui_->bbGiveUp; }

void TfmChanges::Watch() {
  const QString file = QString::fromStdString(record_);
  const QString folder = QFileInfo(file).absolutePath();
  if (!watcher_->files().contains(file) && QFileInfo::exists(file)) watcher_->addPath(file);
  if (!watcher_->directories().contains(folder) && QFileInfo::exists(folder))
    watcher_->addPath(folder);
}

void TfmChanges::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  model_->Refresh();
  poll_->start();
  ui_->tvChanges->setFocus();
}

void TfmChanges::hideEvent(QHideEvent* event) {
  poll_->stop();
  QDialog::hideEvent(event);
}

void TfmChanges::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    ui_->retranslateUi(this);
    Translate();
  }
  // Back from a dialog that may have changed a tester: its line shows now.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) model_->Refresh();
  QDialog::changeEvent(event);
}

void TfmChanges::Translate() {
  model_->SetWords(TranslatedHistoryWords());
  const QSignalBlocker blocker(ui_->cbPeriod);
  const int period = std::max(0, ui_->cbPeriod->currentIndex());
  ui_->cbPeriod->clear();
  ui_->cbPeriod->addItems({tr("All"), tr("Today"), tr("Last 30 days")});
  ui_->cbPeriod->setCurrentIndex(period);
  FillFilterLists();
  FitColumns();
}

void TfmChanges::FillFilterLists() {
  std::map<QString, QString> testers, ports;  // item text -> filter key, in order
  for (int row = 0; row < model_->rowCount(); ++row) {
    const ChangesModel::Row& entry = model_->RowAt(row);
    const QString tester = entry.cells[Column(HistoryColumn::Tester)];
    testers[tester] = tester;
    const ChangeLine& change = entry.entry.change;
    ports[tr("%1 on %2").arg(QString::fromStdString(change.port),
                             QString::fromStdString(change.computer))] =
        ChangesFilter::PortKey(change);
  }
  const auto fill = [](QComboBox* box, const QString& any, const std::map<QString, QString>& items) {
    const QSignalBlocker blocker(box);
    const QString chosen = box->currentData().toString();
    box->clear();
    box->addItem(any, QString());
    for (const auto& [text, key] : items) box->addItem(text, key);
    box->setCurrentIndex(std::max(0, box->findData(chosen)));
  };
  fill(ui_->cbTester, tr("All testers"), testers);
  fill(ui_->cbPort, tr("All ports"), ports);
}

void TfmChanges::ApplyFilters() {
  QString since;
  if (ui_->cbPeriod->currentIndex() == kToday)
    since = RecordTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
  if (ui_->cbPeriod->currentIndex() == kThirtyDays)
    since = RecordTime(QDateTime::currentDateTime().addDays(-30));
  filter_->SetFilters(ui_->cbTester->currentData().toString(), ui_->cbPort->currentData().toString(),
                      since, ui_->cbPending->isChecked());
  Refreshed();
}

void TfmChanges::Refreshed() {
  FillFilterLists();
  QTableView& view = *ui_->tvChanges;
  if (!fitted_ && model_->rowCount() > 0) {
    fitted_ = true;
    FitColumns();
  }
  if (view.currentIndex().isValid() || filter_->rowCount() == 0) return CurrentChanged();
  // The change the user was on, when the record was read anew; else the newest.
  int row = 0;
  for (int i = 0; i < filter_->rowCount() && !currentId_.empty(); ++i) {
    if (model_->RowAt(filter_->mapToSource(filter_->index(i, 0)).row()).entry.change.id ==
        currentId_)
      row = i;
  }
  view.setCurrentIndex(filter_->index(row, Column(HistoryColumn::LocalTime)));
}

void TfmChanges::FitColumns() {
  QTableView& view = *ui_->tvChanges;
  for (int column = 0; column < kHistoryColumnCount; ++column) {
    const int header = view.horizontalHeader()->sectionSizeHint(column);
    // The table keeps the measure of its rows to itself; the view at large offers it.
    const QAbstractItemView& rowsView = view;
    const int rows = model_->rowCount() > 0 ? rowsView.sizeHintForColumn(column) : 0;
    view.setColumnWidth(column, std::max(header, std::min(kWidestColumn, rows)));
  }
}

const ChangesModel::Row* TfmChanges::CurrentRow() const {
  const QModelIndex current = filter_->mapToSource(ui_->tvChanges->currentIndex());
  return current.isValid() ? &model_->RowAt(current.row()) : nullptr;
}

void TfmChanges::CurrentChanged() {
  const ChangesModel::Row* row = CurrentRow();
  if (row) currentId_ = row->entry.change.id;
  ui_->bbDetails->setEnabled(row != nullptr);
  for (QPushButton* button : {ui_->bbFinish, ui_->bbUndo, ui_->bbGiveUp})
    button->setEnabled(row && row->entry.pending);
}

void TfmChanges::bbDetailsClick() {
  const ChangesModel::Row* row = CurrentRow();
  if (!row) return;
  const auto cell = [&](HistoryColumn column) { return row->cells[Column(column)]; };
  Boxes().Information(tr("%1 on %2, %3: %4. Outcome: %5.")
                          .arg(cell(HistoryColumn::Tester), cell(HistoryColumn::Port),
                               cell(HistoryColumn::LocalTime), cell(HistoryColumn::Setting),
                               cell(HistoryColumn::Outcome)),
                      QString::fromStdString(EntryDetails(row->entry, model_->Words(),
                                                          TranslatedHalfChangeWords())));
}

void TfmChanges::bbFinishClick() { RepairClick(Repair::Finish); }

void TfmChanges::bbUndoClick() { RepairClick(Repair::Undo); }

void TfmChanges::RepairClick(Repair repair) {
  const ChangesModel::Row* row = CurrentRow();
  if (!row || !row->entry.pending) return;
  // A copy: the rows may be read anew while the tester answers.
  const ChangeLine halfChange = row->entry.change;
  const QString asked = row->cells[Column(HistoryColumn::Setting)];
  onTester_([&] {
    const QString port = QString::fromStdString(host_.Meter().Port->Port());
    const bool held = RepairPicked(host_, halfChange, repair, [&](const FoundHalfChange& found) {
      const QString question =
          repair == Repair::Finish
              ? tr("Finish the change cut short (%1) on the %2 on port %3?\r\rThis writes to "
                   "the tester: %4.")
              : tr("Undo the change cut short (%1) on the %2 on port %3?\r\rThis writes to "
                   "the tester: %4.");
      return Boxes().Confirm(question.arg(asked, QString::fromStdString(found.line.versionText),
                                          port, RepairWrites(found, repair)),
                             false);
    });
    if (!held)
      Boxes().Information(tr("The tester on port %1 does not hold this change cut short, so "
                             "nothing was written to it. Connect the tester it was made on.")
                              .arg(port));
  });
  model_->Refresh();
}

void TfmChanges::bbGiveUpClick() {
  const ChangesModel::Row* row = CurrentRow();
  if (!row || !row->entry.pending) return;
  const ChangeLine halfChange = row->entry.change;
  if (!Boxes().Confirm(tr("Give up the change cut short (%1) on the %2 on port %3?\r\rNothing "
                          "is written to any tester. The record will say that you gave it up, "
                          "and it will no longer be offered for finishing or undoing.")
                           .arg(row->cells[Column(HistoryColumn::Setting)],
                                row->cells[Column(HistoryColumn::Tester)],
                                QString::fromStdString(halfChange.port)),
                       false))
    return;
  RecordGivenUp(host_.Recorder(), halfChange);
  const QString note = QString::fromStdString(host_.Recorder().TakeNote());
  Boxes().Information(note.isEmpty() ? tr("The change cut short has been given up.") : note);
  model_->Refresh();
}

void TfmChanges::bbExportClick() {
  const QString file = QFileDialog::getSaveFileName(
      this, tr("Export the changes"), QDir::home().filePath(QStringLiteral("changes.csv")),
      tr("CSV files (*.csv)"));
  if (!file.isEmpty()) ExportTo(file);
}

bool TfmChanges::ExportTo(const QString& file) {
  std::vector<const ChangeEntry*> shown;
  for (int row = 0; row < filter_->rowCount(); ++row)
    shown.push_back(&model_->RowAt(filter_->mapToSource(filter_->index(row, 0)).row()).entry);
  const std::string csv = CsvText(HistoryTable(shown, model_->Words()), ListSeparator());
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
      !out.commit()) {
    Boxes().Failure(tr("The changes could not be written to %1.").arg(QDir::toNativeSeparators(file)),
                    out.errorString());
    return false;
  }
  Boxes().Information(tr("%n change(s) written to %1.", "", static_cast<int>(shown.size()))
                          .arg(QDir::toNativeSeparators(file)));
  return true;
}
