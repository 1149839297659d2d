#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "ChangesModel.h"
#include "HalfChange.h"

namespace Ui {
class TfmChanges;
}
class MeterHost;
class QCheckBox;
class QComboBox;
class QFileSystemWatcher;
class QPushButton;
class QTableView;
class QTimer;

// Every change made to a tester, newest first, in a window kept open beside
// the main window: filtered by tester, by port, by time and to the pending
// half-changes, which can be finished, undone or given up from here, and
// exported as CSV for the lab's quality file. It follows the record while
// it is open. Made when first shown; Close and the close box only hide it.
class TfmChanges : public QDialog {
  Q_OBJECT

 public:
  // Runs an exchange with the tester on the program's port, as the main
  // window runs the dialogs' (a tester that does not answer is told).
  using OnTester = std::function<void(const std::function<void()>&)>;

  TfmChanges(MeterHost& host, OnTester onTester, QWidget* parent);
  ~TfmChanges() override;

  // Writes what the filters show to the file as CSV, the header in the
  // window's language; false, the user told, when it could not.
  bool ExportTo(const QString& file);

  void bbDetailsClick();
  void bbFinishClick();
  void bbUndoClick();
  void bbGiveUpClick();
  void bbExportClick();

  ChangesModel& Model() { return *model_; }
  QTableView* tvChanges() const;
  QComboBox* cbTester() const;
  QComboBox* cbPort() const;
  QComboBox* cbPeriod() const;
  QCheckBox* cbPending() const;
  QPushButton* bbFinish() const;
  QPushButton* bbUndo() const;
  QPushButton* bbGiveUp() const;

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // The words and the filters' own items in the language in use.
  void Translate();
  void ApplyFilters();
  // The testers and ports the record names, as the filters offer them.
  void FillFilterLists();
  void Refreshed();
  // Each column as wide as its header, and its rows when there are any.
  void FitColumns();
  void CurrentChanged();
  // The row the user is on, or nullptr.
  const ChangesModel::Row* CurrentRow() const;
  void RepairClick(Repair repair);
  // Watches the record file, which rotation replaces, and its folder.
  void Watch();

  std::unique_ptr<Ui::TfmChanges> ui_;
  MeterHost& host_;
  OnTester onTester_;
  ChangesModel* model_;
  ChangesFilter* filter_;
  QFileSystemWatcher* watcher_;
  QTimer* poll_;
  std::string record_;     // the record file's path, as the watcher names it
  std::string currentId_;  // the change the user is on, kept when the record is read anew
  bool fitted_ = false;    // the columns have taken their contents' widths
};
